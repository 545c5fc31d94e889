import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui

// The OSC cue tool's window: a bar and beat with an in-shift, the destination and the message.
// OK (the button, Return in the column or the message, Enter in a closed input) sends one request
// per opening and closes the window; Cancel and Escape only close it.
EditTool {
    id: tool

    property alias strValue: commandInput.text
    property alias networkModel: networkInput.model
    property alias networkCurrentIndex: networkInput.currentIndex
    property alias inShift: panel.inShift
    property alias inShiftMax: panel.inMaxMicroshift
    property alias inShiftEnabled: panel.inShiftEnabled
    property int inShiftMin: 0

    property bool confirmedOnce: false
    // The bar input's width as the panel lays it out by preference. The window is not sized from
    // the input's actual width: the panel stretches its inputs to the window.
    readonly property int barInputWidth: 100

    signal createRequest(string bar, int beat, string text, string networkId, real inShift)
    signal changeRequest(string bar, int beat, string text, string networkId, real inShift)
    signal toolClosing()

    function confirm() {
        if (!confirmedOnce) {
            confirmedOnce = true
            const beat = parseInt(panel.inBeat)
            if (isEdit)
                changeRequest(panel.inBar, beat, commandInput.text, networkInput.currentValue, inShift)
            else
                createRequest(panel.inBar, beat, commandInput.text, networkInput.currentValue, inShift)
        }
        close()
    }

    title: isEdit ? "Edit OSC Command" : "Create OSC Command"
    width: barInputWidth * 4.5
    height: content.implicitHeight + 50
    flags: Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    modality: Qt.ApplicationModal

    onWindowClosing: toolClosing()

    ColumnLayout {
        id: content
        objectName: "content"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 25
        spacing: 15

        Keys.onReturnPressed: tool.confirm()
        Keys.onEscapePressed: tool.close()

        BarAndBeatPanel {
            id: panel
            objectName: "barAndBeatPanel"
            Layout.fillWidth: true
            hasDuration: false
            hasMicroshift: true
            inMinMicroshift: tool.inShiftMin
            onPressEnter: tool.confirm()
            onInBarInputChanged: tool.inBarChanged()
            onInBeatInputChanged: tool.inBeatChanged()
        }

        Label {
            Layout.alignment: Qt.AlignHCenter
            text: "Network"
            font: theme.default_font
            color: theme.default_text_color
        }

        CustomComboBox {
            id: networkInput
            objectName: "networkInput"
            Layout.preferredWidth: 200
            Layout.alignment: Qt.AlignHCenter
            textRole: "name"
            valueRole: "networkId"
            onEnterPressed: tool.confirm()
        }

        Label {
            Layout.alignment: Qt.AlignHCenter
            text: "OSC Command"
            font: theme.default_font
            color: theme.default_text_color
        }

        RecessedTextInput {
            id: commandInput
            objectName: "commandInput"
            Layout.fillWidth: true
            focus: true
        }

        Label {
            Layout.alignment: Qt.AlignHCenter
            text: "Example Commands"
            font: theme.default_font
            color: theme.default_text_color
        }

        TextEdit {
            objectName: "examples"
            Layout.fillWidth: true
            readOnly: true
            textFormat: TextEdit.PlainText
            wrapMode: TextEdit.WrapAnywhere
            horizontalAlignment: TextEdit.AlignHCenter
            font.family: "Courier New"
            font.pixelSize: theme.default_font.pixelSize - 2
            color: theme.default_text_color
            text: "/vemo/volume (-#db)\n/vemo/fadeout (#time)\n/vemo/fadeto (-#db) (#time)\n"
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
            visible: false
            value: tool.eventId
        }
    }
}
