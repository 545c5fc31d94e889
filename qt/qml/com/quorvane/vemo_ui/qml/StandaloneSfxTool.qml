import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Window
import com.quorvane.vemo_ui

// Creates a sound-effect instance from one of the manifest's effects, or changes one: name, source
// effect, volume, pan, fades and looping. OK sends createRequest() or changeRequest() and hides the
// window; every way out ends with toolClosing().
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
    property alias volume: volumeSlider.value
    property alias reverb: reverbSlider.value
    property alias pan: panSlider.value
    property alias fadeIn: fadeInField.text
    property alias fadeOut: fadeOutField.text
    property alias loop: loopBox.checked
    property bool isNameDirty: false
    property int prefColumnWidth: 200

    signal createRequest(string name, string outputPath, int outputPathIndex, string effectId, int effectIdIndex,
                         real volume, real pan, int reverb, int fadeIn, int fadeOut, int repeats)
    signal changeRequest(string name, string outputPath, int outputPathIndex, string effectId, int effectIdIndex,
                         real volume, real pan, int reverb, int fadeIn, int fadeOut, int repeats)
    signal toolClosing()

    // Seconds as typed (the leading number counts; no finite number gives 0) in milliseconds,
    // kept inside the range of an int.
    function fadeMilliseconds(text) {
        const ms = parseFloat(text) * 1000
        return isFinite(ms) ? Math.max(-2147483648, Math.min(2147483647, ms)) : 0
    }

    function confirm() {
        const gain = Math.pow(10, 25 * Math.log(volumeSlider.value) / 20)
        const request = isEdit ? changeRequest : createRequest
        request(nameField.text, outputPathChoice.currentValue, outputPathChoice.currentIndex,
                effectChoice.currentValue, effectChoice.currentIndex, gain, panSlider.value, reverbSlider.value,
                fadeMilliseconds(fadeInField.text), fadeMilliseconds(fadeOutField.text), loopBox.checked ? -1 : 0)
        visible = false
        toolClosing()
    }

    function cancel() {
        visible = false
        toolClosing()
    }

    title: (isEdit ? "Edit " : "Create ") + "Instance"
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
        objectName: "content"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 25
        spacing: 15
        focus: true

        Keys.onReturnPressed: root.confirm()
        Keys.onEnterPressed: root.confirm()
        Keys.onEscapePressed: root.cancel()

        GridLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignLeft
            columns: 2

            Label {
                text: qsTr("Name")
                font: theme.default_font
                color: theme.default_text_color
            }
            RecessedTextInput {
                id: nameField
                objectName: "nameField"
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
                text: qsTr("Source File")
                font: theme.default_font
                color: theme.default_text_color
            }
            CustomComboBox {
                id: effectChoice
                objectName: "effectChoice"
                Layout.preferredWidth: root.prefColumnWidth
                textRole: "displayname"
                valueRole: "sfxid"
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
                    visible: volumeSlider.hovered || volumeSlider.activeFocus
                    delay: 500
                    text: qsTr("Value: ") + (25 * Math.log(volumeSlider.value)).toFixed(1) + " dB"
                }
            }

            Label {
                text: qsTr("Pan")
                font: theme.default_font
                color: theme.default_text_color
            }
            VemoCustomSlider {
                id: panSlider
                objectName: "panSlider"
                Layout.preferredWidth: root.prefColumnWidth
                from: 0
                to: 100
                value: 50
                zeroMark: 50

                VemoToolTip {
                    objectName: "panToolTip"
                    visible: panSlider.hovered || panSlider.activeFocus
                    delay: 500
                    text: qsTr("Value: ") + panSlider.value.toFixed(2)
                }
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

            Item {
                width: 1
                height: 1
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
            onOkayClicked: root.confirm()
            onCancelClicked: root.cancel()
        }

        EventIdLabel {
            objectName: "eventIdLabel"
            value: root.eventId
        }
    }
}
