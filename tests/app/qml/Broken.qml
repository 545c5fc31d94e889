import QtQuick

Item {
    width: notAThing +
}
