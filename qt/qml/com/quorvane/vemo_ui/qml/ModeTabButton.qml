import QtQuick
import QtQuick.Controls

// Text-only mode tab with a three-pixel indicator strip on top. Reads `theme` from the
// document that holds it.
TabButton {
    id: control

    property bool isSelected: TabBar.tabBar !== null && TabBar.tabBar.currentIndex === TabBar.index
    property color selectedColor: "white"
    property color hoverColor: "dimgray"

    text: qsTr("Tab")
    implicitHeight: 35
    width: 1.2 * implicitWidth
    font.pixelSize: 14

    contentItem: Text {
        text: control.text
        textFormat: Text.PlainText
        font.family: control.font.family
        font.pixelSize: control.font.pixelSize
        font.bold: control.isSelected
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        color: !control.enabled ? "dimgray" : control.isSelected ? "white" : "gray"
    }

    background: Rectangle {
        color: control.hovered && !control.isSelected ? Qt.lighter(theme.default_bg_color, 1.3) : "transparent"

        MouseArea {
            objectName: "cursorArea"
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.NoButton
            cursorShape: control.hovered && !control.isSelected ? Qt.PointingHandCursor : Qt.ArrowCursor
        }

        Rectangle {
            objectName: "indicatorStrip"
            width: parent.width
            height: 3
            visible: control.isSelected || control.hovered
            color: control.isSelected ? control.selectedColor : control.hoverColor
        }
    }
}
