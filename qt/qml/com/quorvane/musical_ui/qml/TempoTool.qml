import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui

// The tempo tool's window: a range of the song and the percentage its tempo is scaled by, a whole
// number from 50 to 200. OK (the button, Return, or Enter in a closed input) first checks the typed
// percentage, then sends one request per opening and closes the window; Cancel and Escape only
// close it.
EditTool {
    id: tool

    property alias barModel: panel.inBarModel
    property alias inBarModel: panel.inBarModel
    property alias intValue: tempoScaleInput.intValue
    property alias value: tempoScaleInput.value
    property alias panel: panel

    signal createTempoRequest(string startBar, int startBeat, string endBar, int endBeat, int count)
    signal changeTempoRequest(string startBar, int startBeat, string endBar, int endBeat, int count)
    signal tempoToolClosing()

    property bool confirmedOnce: false
    // The bar input's width as the panel lays it out by preference. The window is not sized from
    // the input's actual width: the panel stretches its inputs to the window, so each would widen
    // the other without end.
    readonly property int barInputWidth: 100

    // The typed text as a whole percentage inside the range. The int property is never written
    // with the text itself: it would round fractions, wrap numbers beyond its range and throw on
    // text it cannot read. A blank text or one that is not a number shows the last valid value.
    function validateInput() {
        const text = tempoScaleInput.value
        const number = text.trim() === "" ? NaN : Number(text)
        if (!isNaN(number)) {
            const bounded = Math.min(Math.max(Math.trunc(number), tempoScaleInput.from), tempoScaleInput.to)
            tempoScaleInput.intValue = bounded
        }
        tempoScaleInput.value = String(tempoScaleInput.intValue)
    }

    function confirm() {
        validateInput()
        if (!confirmedOnce) {
            confirmedOnce = true
            const startBeat = parseInt(panel.inBeat, 10) || 0
            const endBeat = parseInt(panel.outBeat, 10) || 0
            if (isEdit)
                changeTempoRequest(panel.inBar, startBeat, panel.outBar, endBeat, tempoScaleInput.intValue)
            else
                createTempoRequest(panel.inBar, startBeat, panel.outBar, endBeat, tempoScaleInput.intValue)
        }
        close()
    }

    title: isEdit ? "Edit Tempo Scale" : "Scale Tempo"
    width: barInputWidth * 2.5
    height: content.implicitHeight + 50
    flags: Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    modality: Qt.ApplicationModal

    onWindowClosing: tempoToolClosing()

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
            hasDuration: true
            showSelectAll: true
            onPressEnter: tool.confirm()
            onInBarInputChanged: tool.inBarChanged()
            onInBeatInputChanged: tool.inBeatChanged()
        }

        Text {
            objectName: "valueLabel"
            Layout.alignment: Qt.AlignHCenter
            text: "Percent Change"
            font.pixelSize: 14
            color: theme.default_text_color
        }

        RecessedSpinBox {
            id: tempoScaleInput
            objectName: "tempoScaleInput"
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: 100
            from: 50
            to: 200
            defaultValue: 100
            textIndent: 0
            inputWidth: 45
            inputFocus: true
            onEditingFinished: tool.validateInput()
            onIncrementValue: {
                intValue = Math.min(intValue + 1, to)
                value = String(intValue)
            }
            onDecrementValue: {
                intValue = Math.max(intValue - 1, from)
                value = String(intValue)
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
            visible: false
            value: tool.eventId
        }
    }
}
