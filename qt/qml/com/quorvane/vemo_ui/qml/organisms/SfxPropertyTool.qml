import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Window
import com.quorvane.vemo_ui

// Edits one custom audio entry: its source (a file, or one of the offered effects), play or stop,
// volume, fades and looping. OK hands the values over in updateCustomAudioEntry() and closes.
EditTool {
    id: root

    property alias outputPathsModel: outputPathChoice.model
    property alias outputPath: outputPathChoice.currentValue
    property alias outputPathIndex: outputPathChoice.currentIndex
    property alias effectId: effectChoice.currentValue
    property alias effectIdIndex: effectChoice.currentIndex
    property alias effectText: effectChoice.displayText
    property alias effectModel: effectChoice.model
    property alias name: nameField.text
    property alias filename: fileChooser.value
    property alias fileUrl: fileChooser.fileUrl
    property alias volume: volumeSlider.value
    property alias reverb: reverbSlider.value
    property alias pan: panSlider.value
    property alias fadeIn: fadeInField.text
    property alias fadeOut: fadeOutField.text
    property alias commandIndex: commandChoice.currentIndex
    property alias loop: loopBox.checked
    property bool isNameDirty: false
    property bool isSourceFileDirty: false
    property bool usesCustomAudioFile: true
    property int prefColumnWidth: 200

    signal updateCustomAudioEntry(url fileUrl, int commandIndex, real volume, real pan, int fadeIn, int fadeOut,
                                  bool loop)
    signal toolClosing()

    function setOutputPathIndexFromName(name) {
        outputPathIndex = outputPathChoice.indexOfValue(name)
    }

    // Seconds as typed (the leading number counts, anything else gives 0) in milliseconds.
    function fadeMilliseconds(text) {
        const seconds = parseFloat(text)
        return isNaN(seconds) ? 0 : seconds * 1000
    }

    function confirm() {
        const gain = Math.pow(10, 25 * Math.log(volumeSlider.value) / 20)
        updateCustomAudioEntry(fileUrl, commandIndex, gain, pan, Math.trunc(fadeMilliseconds(fadeIn)),
                               Math.trunc(fadeMilliseconds(fadeOut)), loop)
        close()
    }

    title: "Custom Audio Parameters"
    width: content.implicitWidth + 50
    height: content.implicitHeight + 50
    flags: Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    modality: Qt.ApplicationModal

    onWindowClosing: {
        isNameDirty = false
        toolClosing()
    }

    Binding {
        target: nameField
        property: "text"
        value: effectChoice.displayText
        when: !root.isNameDirty
        restoreMode: Binding.RestoreNone
    }

    ColumnLayout {
        id: content
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 25
        spacing: 15

        GridLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignLeft
            columns: 2

            Label {
                visible: false
                text: qsTr("Name")
                font: theme.default_font
                color: theme.default_text_color
            }
            RecessedTextInput {
                id: nameField
                objectName: "nameField"
                visible: false
                Layout.preferredWidth: root.prefColumnWidth
                onTextEdited: root.isNameDirty = true
            }

            Label {
                visible: false
                text: qsTr("Output Path")
                font: theme.default_font
                color: theme.default_text_color
            }
            CustomComboBox {
                id: outputPathChoice
                objectName: "outputPathChoice"
                visible: false
                Layout.preferredWidth: root.prefColumnWidth
                textRole: "path_name"
                valueRole: "path_id"
            }

            Label {
                Layout.topMargin: 5
                Layout.bottomMargin: 2
                text: qsTr("Source File")
                font: theme.default_font
                color: theme.default_text_color
            }
            CustomComboBox {
                id: effectChoice
                objectName: "effectChoice"
                visible: !root.usesCustomAudioFile
                Layout.preferredWidth: root.prefColumnWidth
                Layout.topMargin: 5
                Layout.bottomMargin: 2
                textRole: "displayname"
                valueRole: "sfxid"
            }
            FileInputControl {
                id: fileChooser
                objectName: "fileChooser"
                visible: root.usesCustomAudioFile
                Layout.preferredWidth: root.prefColumnWidth
                Layout.topMargin: 5
                spacing: 15
                nameFilters: ["WAV Files (*.wav)", "All files (*)"]
            }

            Label {
                Layout.bottomMargin: 2
                text: qsTr("Command")
                font: theme.default_font
                color: theme.default_text_color
            }
            CustomComboBox {
                id: commandChoice
                objectName: "commandChoice"
                Layout.preferredWidth: root.prefColumnWidth
                Layout.bottomMargin: 2
                textRole: "displayName"
                valueRole: "commandIndex"
                model: [{ displayName: "Play", commandIndex: 0 }, { displayName: "Stop", commandIndex: 1 }]
            }

            Label {
                text: qsTr("Volume")
                font: theme.default_font
                color: theme.default_text_color
            }
            VemoCustomSlider {
                id: volumeSlider
                objectName: "volumeSlider"
                Layout.preferredWidth: root.prefColumnWidth
                from: 0.04076220398
                to: 1.0
                value: 0.7866278611
                step: 0.01
                zeroMark: 0.7866278611
                showZeroMark: true
                customDisplayFunction: value => (25 * Math.log(value)).toFixed(3)
                customInvertFunction: text => Math.exp(parseFloat(text) / 25)

                VemoToolTip {
                    objectName: "volumeToolTip"
                    visible: volumeSlider.hovered
                    delay: 500
                    text: qsTr("Value: ") + (25 * Math.log(volumeSlider.value)).toFixed(1) + " dB"
                }
            }

            Label {
                visible: false
                text: qsTr("Pan")
                font: theme.default_font
                color: theme.default_text_color
            }
            VemoCustomSlider {
                id: panSlider
                objectName: "panSlider"
                visible: false
                Layout.preferredWidth: root.prefColumnWidth
                from: 0
                to: 100
                value: 50
                zeroMark: 50
            }

            Label {
                visible: false
                text: qsTr("Reverb")
                font: theme.default_font
                color: theme.default_text_color
            }
            VemoCustomSlider {
                id: reverbSlider
                objectName: "reverbSlider"
                visible: false
                Layout.preferredWidth: root.prefColumnWidth
                from: 0
                to: 100
                value: 50
                showZeroMark: false
            }

            Label {
                text: qsTr("Fade In (sec)")
                font: theme.default_font
                color: theme.default_text_color
            }
            RecessedTextInput {
                id: fadeInField
                objectName: "fadeInField"
                Layout.preferredWidth: root.prefColumnWidth / 2
            }

            Label {
                text: qsTr("Fade Out (sec)")
                font: theme.default_font
                color: theme.default_text_color
            }
            RecessedTextInput {
                id: fadeOutField
                objectName: "fadeOutField"
                Layout.preferredWidth: root.prefColumnWidth / 2
            }

            CustomCheckbox {
                id: loopBox
                objectName: "loopBox"
                checkboxTextStr: "Loop"
            }
        }

        StandardEditButtons {
            id: buttonRow
            objectName: "buttonRow"
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 5
            onOkayClicked: root.confirm()
            onCancelClicked: root.close()
        }

        EventIdLabel {
            objectName: "eventIdLabel"
            visible: !root.usesCustomAudioFile
            value: root.eventId
        }
    }
}
