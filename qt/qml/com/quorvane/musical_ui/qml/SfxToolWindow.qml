import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui

// The window of a sound-effect tool: a bar and beat (or an in and an out), the cue's name, output
// path and effect, and its volume, pan and reverb. OK sends one confirmation per opening and
// closes the window; Cancel closes it. Return and Escape act only while OK or Cancel holds the
// focus.
EditTool {
    id: tool

    // In and out bars and beats (the ambient effect) instead of one bar and beat.
    property bool ranged: false
    property alias panel: panel
    property alias effectChoice: effectInput
    property alias inBarModel: panel.inBarModel
    property alias outputPathsModel: outputInput.model
    property alias name: nameInput.text
    property alias outputPath: outputInput.currentValue
    property alias outputPathIndex: outputInput.currentIndex
    property alias effectId: effectInput.currentValue
    property alias effectIdIndex: effectInput.currentIndex
    property alias effectText: effectInput.displayText
    property alias effectModel: effectInput.model
    property alias volume: volumeSlider.value
    property alias pan: panSlider.value
    property alias reverb: reverbSlider.value

    property bool confirmedOnce: false
    // The bar input's width as the panel lays it out by preference. The window is not sized from
    // the input's actual width: the panel stretches its inputs to the window.
    readonly property int barInputWidth: 100
    readonly property int columnWidth: barInputWidth * 1.5

    signal confirmed()

    function setOutputPathIndexFromName(name) {
        outputPathIndex = outputInput.indexOfValue(name)
    }

    function confirm() {
        if (!confirmedOnce) {
            confirmedOnce = true
            confirmed()
        }
        close()
    }

    title: "Create Sound Effect"
    width: barInputWidth * 3.75
    height: content.implicitHeight + 50
    flags: Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint

    ColumnLayout {
        id: content
        objectName: "content"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 25
        spacing: 15

        BarAndBeatPanel {
            id: panel
            objectName: "barAndBeatPanel"
            Layout.fillWidth: true
            hasDuration: tool.ranged
            hasMicroshift: true
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.alignment: tool.ranged ? Qt.AlignLeft : Qt.AlignHCenter

            ColumnLayout {
                spacing: tool.ranged ? 10 : 15

                Label {
                    text: "Name"
                    font: theme.default_font
                    color: theme.default_text_color
                }
                RecessedTextInput {
                    id: nameInput
                    objectName: "nameInput"
                    Layout.leftMargin: tool.ranged ? 2 : 0
                    Layout.preferredWidth: tool.columnWidth - (tool.ranged ? 3 : 0)
                    textColor: theme.light_text_color
                }
                Label {
                    text: "Output"
                    font: theme.default_font
                    color: theme.default_text_color
                }
                CustomComboBox {
                    id: outputInput
                    objectName: "outputInput"
                    Layout.preferredWidth: tool.columnWidth
                    textRole: "path_name"
                    valueRole: "path_id"
                }
                Label {
                    Layout.topMargin: tool.ranged ? -3 : 0
                    text: "Effect"
                    font: theme.default_font
                    color: theme.default_text_color
                }
                CustomComboBox {
                    id: effectInput
                    objectName: "effectInput"
                    Layout.topMargin: tool.ranged ? -5 : 0
                    Layout.preferredWidth: tool.columnWidth
                    textRole: "displayname"
                    valueRole: "sfxid"
                }
            }

            ColumnLayout {
                spacing: 10

                Label {
                    text: "Volume"
                    font: theme.default_font
                    color: theme.default_text_color
                }
                VemoCustomSlider {
                    id: volumeSlider
                    objectName: "volumeSlider"
                    Layout.preferredWidth: tool.columnWidth
                    from: 0
                    to: 100
                    value: 100
                    showZeroMark: false
                }
                Label {
                    text: "Pan"
                    font: theme.default_font
                    color: theme.default_text_color
                }
                VemoCustomSlider {
                    id: panSlider
                    objectName: "panSlider"
                    Layout.preferredWidth: tool.columnWidth
                    from: 0
                    to: 100
                    value: 50
                    zeroMark: 50
                    showZeroMark: true
                }
                Label {
                    text: "Reverb"
                    font: theme.default_font
                    color: theme.default_text_color
                }
                VemoCustomSlider {
                    id: reverbSlider
                    objectName: "reverbSlider"
                    Layout.preferredWidth: tool.columnWidth
                    from: 0
                    to: 100
                    value: 50
                    showZeroMark: false
                }
            }
        }

        StandardEditButtons {
            objectName: "editButtons"
            Layout.alignment: Qt.AlignHCenter
            onOkayClicked: tool.confirm()
            onCancelClicked: tool.close()
        }

        EventIdLabel {
            objectName: "eventIdLabel"
            Layout.fillWidth: true
            value: tool.eventId
        }
    }
}
