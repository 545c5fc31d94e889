import QtQuick

Item {
    property int initial: 0
    property int seenAtCompletion: -1
    x: 5
    width: 30
    Component.onCompleted: seenAtCompletion = initial
}
