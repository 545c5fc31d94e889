import QtQuick
import QtQuick.Layouts
import com.quorvane.musical_ui

// The transposition tool's window: a range whose key is shifted by whole half steps. Letters typed
// into the field stay there; the request carries the last whole number the field held.
RangeToolWindow {
    id: tool

    property alias intValue: halfStepsInput.intValue
    property alias value: halfStepsInput.value

    signal changeTransposeRequest(string startBar, int startBeat, string endBar, int endBeat, int count)
    signal createTransposeRequest(string startBar, int startBeat, string endBar, int endBeat, int count)
    signal transposeToolClosing()

    title: isEdit ? "Edit Transposition" : "Transpose Key"
    showEventId: false
    panel.showSelectAll: true

    valueItems: [
        Text {
            Layout.alignment: Qt.AlignHCenter
            text: "Half Steps"
            color: tool.theme.default_text_color
            font.pixelSize: 14
        },
        CountSpinBox {
            id: halfStepsInput
            objectName: "transposeHalfStepsInput"
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: 125
            from: -6
            to: 6
            defaultValue: 0
            notANumber: "keep"
            onEditingFinished: validate()
        }
    ]

    onConfirmed: (startBar, startBeat, endBar, endBeat) => {
        halfStepsInput.validate()
        if (isEdit)
            changeTransposeRequest(startBar, beatNumber(startBeat), endBar, beatNumber(endBeat), halfStepsInput.intValue)
        else
            createTransposeRequest(startBar, beatNumber(startBeat), endBar, beatNumber(endBeat), halfStepsInput.intValue)
    }
    onWindowClosing: transposeToolClosing()
    Component.onCompleted: halfStepsInput.inputFocus = true
}
