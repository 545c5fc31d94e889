import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui

// Icon-and-text tab with bevels for the tab bars above the edit panel's lists. An unselected
// tab carries the dark-over-light bottom edge; the selected one opens into the page below.
TabButton {
    id: control

    property url source
    property bool isSelected: TabBar.tabBar !== null && TabBar.tabBar.currentIndex === TabBar.index
    property bool showHoverEffect: false
    property real iconScale: 1.0
    property color selectedColor: "transparent"
    property color hoverColor: "dimgray"
    property alias toolTip: toolTipControl
    property int imageMargin: 5
    property color overlayColor

    text: qsTr("Tab")
    width: Math.floor(1.3 * contentItem.implicitWidth)
    font.family: theme.default_font.family
    font.pixelSize: theme.default_font.pixelSize
    font.bold: isSelected

    VemoTheme { id: theme }

    VemoToolTip {
        id: toolTipControl
        delay: 500
        visible: control.hovered && text !== ""
    }

    TextMetrics {
        id: captionMetrics
        font: theme.default_font
        text: control.text
    }

    contentItem: Item {
        implicitHeight: Math.floor(1.5 * caption.implicitHeight)
        implicitWidth: Math.floor(icon.width + 1.2 * captionMetrics.advanceWidth)

        RowLayout {
            anchors.fill: parent
            spacing: 0

            Item { Layout.fillWidth: true }

            Item {
                Layout.alignment: Qt.AlignVCenter
                implicitWidth: icon.implicitWidth
                implicitHeight: icon.implicitHeight

                // The icon shows only recoloured, drawn straight from the image's texture.
                Image {
                    id: icon
                    objectName: "icon"
                    anchors.fill: parent
                    visible: false
                    source: control.source
                    fillMode: Image.PreserveAspectFit
                    sourceSize.height: 0.8 * caption.implicitHeight * control.iconScale
                }

                IconTint {
                    objectName: "iconTint"
                    anchors.fill: icon
                    source: icon
                    color: !control.enabled ? "dimgray" : control.isSelected ? "white" : "gray"
                }

                Loader {
                    objectName: "disabledOverlay"
                    anchors.fill: icon
                    visible: !control.enabled
                    active: visible

                    sourceComponent: IconTint {
                        source: icon
                        color: "gray"
                    }
                }
            }

            Text {
                id: caption
                objectName: "caption"
                text: control.text
                textFormat: Text.PlainText
                font: control.font
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                color: control.isSelected ? theme.tab_selected_text_color : theme.default_text_header_color
            }

            Item { Layout.fillWidth: true }
        }
    }

    background: Rectangle {
        color: control.hovered && control.showHoverEffect ? theme.default_bg_hover_color
               : control.isSelected ? theme.default_bg_color
               : theme.default_bg_unselected_color

        Rectangle {
            objectName: "indicatorStrip"
            width: parent.width
            height: 3
            visible: control.isSelected || control.hovered
            color: control.showHoverEffect && control.hovered && control.isSelected ? "white"
                   : control.isSelected ? control.selectedColor
                   : control.showHoverEffect && control.hovered ? control.hoverColor
                   : "transparent"
        }

        Rectangle {
            objectName: "bottomDarkLine"
            anchors.bottom: bottomLightLine.top
            width: parent.width
            height: 1
            color: theme.bevel_dark_color
            visible: !control.isSelected
        }

        Rectangle {
            id: bottomLightLine
            objectName: "bottomLightLine"
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: theme.bevel_light_color
            visible: !control.isSelected
        }

        BasicBevel { hide_bottom: true }
    }
}
