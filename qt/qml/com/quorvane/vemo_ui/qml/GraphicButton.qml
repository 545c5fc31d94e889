import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui

// Raised 64-wide button with an 18-pixel icon over a small caption; it presses down and right
// while its drop shadow collapses. Reads `theme` from the document that holds it.
Item {
    id: root

    signal clicked()

    property alias text: caption.text
    property alias imageSource: icon.source
    property alias imageWidth: icon.width
    property alias imageHeight: icon.height
    property alias imageSourceSize: icon.sourceSize
    property bool showImage: true
    property bool hasImageSource: imageSource !== null && imageSource.toString() !== ""
    property int offsetSize: 2
    property int preferredWidth: 18
    property int preferredHeight: 18
    property alias toolTip: toolTipControl

    width: 64
    height: 42 - (showImage ? (!hasImageSource) * 24 : 24)

    Button {
        id: button
        objectName: "innerButton"

        x: pressed ? root.offsetSize : 0
        y: pressed ? root.offsetSize : 0
        width: root.width
        height: root.height
        focusPolicy: Qt.TabFocus

        onClicked: root.clicked()
        Keys.onReturnPressed: root.clicked()

        VemoToolTip {
            id: toolTipControl
            delay: 500
            visible: button.hovered && text !== ""
        }

        background: Rectangle {
            color: !root.enabled ? Qt.lighter(theme.default_bg_color, 1.35)
                   : button.pressed || button.hovered ? Qt.lighter(theme.default_bg_color, 1.3)
                   : theme.default_bg_color

            BasicBevel { bevel_width: 1 }

            FocusHighlight {
                anchors.fill: parent
                visible: button.activeFocus
            }
        }

        contentItem: ColumnLayout {
            spacing: 0

            Image {
                id: icon
                objectName: "icon"
                Layout.preferredWidth: visible ? 18 : 0
                Layout.preferredHeight: visible ? 18 : 0
                Layout.alignment: Qt.AlignHCenter
                fillMode: Image.PreserveAspectFit
                smooth: true
                opacity: root.enabled ? 1.0 : 0.3
                visible: root.hasImageSource && root.showImage
            }

            Text {
                id: caption
                textFormat: Text.PlainText
                objectName: "caption"
                Layout.fillWidth: true
                Layout.fillHeight: icon.visible
                font.pixelSize: 9
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                color: !root.enabled ? "#666666" : button.hovered ? "white" : "silver"
            }
        }
    }

    BlurredShadow {
        objectName: "shadow"
        z: -1
        target: button
        horizontalOffset: button.pressed ? 0 : root.offsetSize
        verticalOffset: button.pressed ? 0 : root.offsetSize
        radius: 8
        samples: 16
        color: "#66000000"
    }
}
