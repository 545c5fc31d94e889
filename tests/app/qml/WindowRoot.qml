import QtQuick
import QtQuick.Window

Window {
    width: 40
    height: 40
}
