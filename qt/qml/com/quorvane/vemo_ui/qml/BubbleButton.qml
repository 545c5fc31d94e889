import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui

// Square transport button with a dark gradient, an icon, an optional caption, a toggled look,
// a pulsing highlight and an optional chevron for buttons that open a menu on a long press.
DelayButton {
    id: control

    property color textColor: "silver"
    property bool showText: false
    property bool toggled: false
    property bool radiant: false
    property bool colorToggledOn: false
    property bool showDownChevron: false
    property var imageSource
    property var toggledOnImageSource
    property alias toolTip: toolTipControl
    property int pressOffsetX: 2
    property int pressOffsetY: 4
    property double lightScale: 1.2
    property color radiantColor: "green"

    implicitHeight: 52
    implicitWidth: implicitHeight
    focusPolicy: Qt.TabFocus
    font: theme.default_font

    Keys.onReturnPressed: control.clicked()

    VemoTheme { id: theme }

    VemoToolTip {
        id: toolTipControl
        delay: 500
        visible: control.hovered && text !== ""
    }

    background: Item {
        Rectangle {
            id: face
            anchors.fill: parent
            gradient: Gradient {
                GradientStop {
                    position: 0.0
                    color: !control.enabled ? "#181818"
                           : control.pressed ? Qt.lighter(Qt.lighter("#181818", 0.4))
                           : control.hovered ? Qt.lighter(Qt.lighter("#181818", 0.6))
                           : Qt.lighter("black")
                }
                GradientStop {
                    position: 1.0
                    color: control.pressed ? Qt.lighter(Qt.lighter("#282828", 0.8)) : Qt.lighter("#222222")
                }
            }
        }

        FocusHighlight {
            anchors.fill: parent
            visible: control.activeFocus
        }

        // The highlight is made only while it shows: each effect costs a layer of the face. Its hue
        // swings only while it shows, so that an idle window draws no frames.
        Loader {
            id: radiantGlow
            objectName: "radiantGlow"

            property real hue: 0.547

            anchors.fill: face
            visible: control.radiant && control.enabled
            active: visible

            sourceComponent: HslColorize {
                source: ShaderEffectSource { sourceItem: face }
                hue: radiantGlow.hue
                saturation: 0.87
                lightness: 0.10
            }

            SequentialAnimation on hue {
                objectName: "hueSwing"
                loops: Animation.Infinite
                running: radiantGlow.visible
                NumberAnimation { to: 0.547; duration: 800 }
                NumberAnimation { to: 0.58; duration: 800 }
            }
        }
    }

    contentItem: ColumnLayout {
        spacing: 0

        Item { Layout.fillHeight: true }

        Item {
            Layout.preferredWidth: 22
            Layout.preferredHeight: 22
            Layout.alignment: Qt.AlignHCenter
            transform: Translate {
                x: control.pressed ? control.pressOffsetX : 0
                y: control.pressed ? control.pressOffsetY : 0
            }

            Image {
                id: icon
                objectName: "icon"
                anchors.fill: parent
                fillMode: Image.PreserveAspectFit
                opacity: control.enabled && !control.pressed ? 1.0 : 0.5
                source: (control.toggled && control.toggledOnImageSource
                         ? control.toggledOnImageSource : control.imageSource) || ""
            }

            Loader {
                objectName: "toggledTint"
                anchors.fill: icon
                visible: control.toggled && control.colorToggledOn && control.enabled
                active: visible

                sourceComponent: HslColorize {
                    source: icon
                    hue: 0.547
                    saturation: 0.82
                    lightness: -0.3
                }
            }
        }

        Text {
            objectName: "caption"
            Layout.fillWidth: true
            text: control.text
            textFormat: Text.PlainText
            font: theme.default_font
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            visible: control.showText
            opacity: control.enabled ? 1.0 : 0.3
            color: control.down ? Qt.lighter(control.textColor, 0.75) : Qt.lighter(control.textColor, 1.0)
        }

        Item { Layout.fillHeight: true }
    }

    Image {
        objectName: "chevron"
        source: "qrc:/images/arrow_drop_down.svg"
        width: 12
        height: 12
        fillMode: Image.PreserveAspectFit
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: control.pressed ? control.pressOffsetX : control.pressOffsetX + 3
        anchors.bottomMargin: control.pressed ? control.pressOffsetY : control.pressOffsetY + 3
        visible: control.showDownChevron
        opacity: control.enabled && !control.pressed ? 1.0 : 0.5
    }
}
