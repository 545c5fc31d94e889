import QtQuick
import QtQuick.Layouts
import QtQuick.Window
import com.quorvane.vemo_ui

// The "Audio Manager" window: the audio device the player plays on. The volume slider is kept,
// hidden: OK hands back the volume the window was given, within the slider's -80 to 0 dB.
Window {
    id: root

    property alias outputDeviceModel: deviceCombo.model
    property alias outputDeviceIndex: deviceCombo.currentIndex
    property alias outputDeviceValue: deviceCombo.currentValue
    property alias outputVolume: volumeSlider.value
    // The gain of the slider's fader position.
    property real outputVolumeLinear: Math.pow(10, 25 * Math.log(volumeSlider.value) / 20)
    property int mainMargin: 16
    property int mainSpacing: 16

    readonly property int fixedHeight: content.implicitHeight + 2 * mainMargin

    signal okay()

    title: "Audio Manager"
    visible: false
    modality: Qt.ApplicationModal
    flags: Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    width: 360
    height: fixedHeight
    minimumWidth: 360
    maximumWidth: 360
    minimumHeight: fixedHeight
    maximumHeight: fixedHeight
    color: theme.default_bg_color

    VemoTheme { id: theme }

    ColumnLayout {
        id: content
        x: root.mainMargin
        y: root.mainMargin
        width: root.width - 2 * root.mainMargin
        spacing: root.mainSpacing

        Text {
            text: qsTr("Audio Output")
            font: theme.heavy_label
            color: theme.light_text_color
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: grid.implicitHeight + 2 * root.mainMargin
            color: Qt.lighter(theme.default_bg_color, 1.25)
            radius: 3

            GridLayout {
                id: grid
                anchors.fill: parent
                anchors.margins: root.mainMargin
                columns: 2
                rowSpacing: 16
                columnSpacing: 10

                Text {
                    text: qsTr("Device")
                    font: theme.default_font
                    color: theme.default_text_color
                }
                CustomComboBox {
                    id: deviceCombo
                    objectName: "deviceCombo"
                    Layout.fillWidth: true
                    onEnterPressed: root.okay()
                }

                Item {
                    implicitWidth: 1
                    implicitHeight: 1
                }
                Text {
                    Layout.fillWidth: true
                    text: qsTr("• Bluetooth devices are not supported\n• Adding or removing an audio device while the application is running may cause stability issues")
                    textFormat: Text.PlainText
                    wrapMode: Text.WordWrap
                    font: theme.small_font
                    color: theme.dim_text_color
                }

                Text {
                    visible: false
                    text: qsTr("Volume")
                    font: theme.default_font
                    color: theme.default_text_color
                }
                VemoCustomVolumeSlider {
                    id: volumeSlider
                    objectName: "volumeSlider"
                    visible: false
                    Layout.fillWidth: true
                }
            }
        }

        RowLayout {
            Layout.alignment: Qt.AlignRight
            spacing: 10

            FlatButton {
                objectName: "dismissButton"
                text: qsTr("Cancel")
                onClicked: root.close()
            }
            FlatButton {
                objectName: "applyButton"
                text: qsTr("OK")
                isDefault: true
                onClicked: root.okay()
            }
        }
    }
}
