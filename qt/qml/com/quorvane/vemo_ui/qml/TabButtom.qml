import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Qt5Compat.GraphicalEffects
import com.quorvane.vemo_ui

// Earlier icon tab: the icon left of a bold caption, hover colours always on, a full bevel.
TabButton {
    id: control

    property bool isSelected: TabBar.tabBar !== null && TabBar.tabBar.currentIndex === TabBar.index
    property int imageMargin: 5
    property url source
    property color overlayColor

    text: qsTr("Tab")
    width: 1.2 * implicitWidth
    font.bold: true

    VemoTheme { id: theme }

    contentItem: RowLayout {
        spacing: control.imageMargin

        Item {
            Layout.alignment: Qt.AlignVCenter
            implicitWidth: icon.implicitWidth
            implicitHeight: icon.implicitHeight

            Image {
                id: icon
                anchors.fill: parent
                source: control.source
                fillMode: Image.PreserveAspectFit
            }

            ColorOverlay {
                objectName: "disabledOverlay"
                anchors.fill: icon
                source: icon
                color: "gray"
                visible: !control.enabled
            }
        }

        Text {
            Layout.alignment: Qt.AlignVCenter
            text: control.text
            textFormat: Text.PlainText
            font: control.font
            color: control.isSelected ? theme.tab_selected_text_color : theme.default_text_header_color
        }
    }

    background: Rectangle {
        color: control.hovered ? theme.default_bg_hover_color
               : control.isSelected ? theme.default_bg_color
               : theme.default_bg_unselected_color

        Rectangle {
            width: parent.width
            height: 3
            visible: control.isSelected || control.hovered
            color: control.hovered && control.isSelected ? "white" : control.hovered ? "dimgray" : "transparent"
        }

        Rectangle {
            anchors.bottom: bottomLightLine.top
            width: parent.width
            height: 1
            color: theme.bevel_dark_color
            visible: !control.isSelected
        }

        Rectangle {
            id: bottomLightLine
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: theme.bevel_light_color
            visible: !control.isSelected
        }

        BasicBevel {}
    }
}
