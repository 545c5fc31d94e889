import QtQuick
import QtQuick.Layouts
import com.quorvane.musical_ui

// The tempo tool's window: a range of the song and the percentage its tempo is scaled by, a whole
// number from 50 to 200. The typed percentage is checked when its field finishes editing and on OK.
RangeToolWindow {
    id: tool

    property alias intValue: tempoScaleInput.intValue
    property alias value: tempoScaleInput.value

    signal createTempoRequest(string startBar, int startBeat, string endBar, int endBeat, int count)
    signal changeTempoRequest(string startBar, int startBeat, string endBar, int endBeat, int count)
    signal tempoToolClosing()

    title: isEdit ? "Edit Tempo Scale" : "Scale Tempo"
    showEventId: false
    showSelectAll: true

    valueItems: [
        Text {
            objectName: "valueLabel"
            Layout.alignment: Qt.AlignHCenter
            text: "Percent Change"
            color: tool.theme.default_text_color
            font.pixelSize: 14
        },
        CountSpinBox {
            id: tempoScaleInput
            objectName: "tempoScaleInput"
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: 100
            inputWidth: 45
            from: 50
            to: 200
            defaultValue: 100
            notANumber: "restore"
            onEditingFinished: validate()
        }
    ]

    onConfirmed: (startBar, startBeat, endBar, endBeat) => {
        tempoScaleInput.validate()
        if (isEdit)
            changeTempoRequest(startBar, beatNumber(startBeat), endBar, beatNumber(endBeat), tempoScaleInput.intValue)
        else
            createTempoRequest(startBar, beatNumber(startBeat), endBar, beatNumber(endBeat), tempoScaleInput.intValue)
    }
    onWindowClosing: tempoToolClosing()
    Component.onCompleted: tempoScaleInput.inputFocus = true
}
