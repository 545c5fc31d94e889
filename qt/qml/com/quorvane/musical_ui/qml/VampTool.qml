import QtQuick
import QtQuick.Layouts
import com.quorvane.musical_ui

// The vamp tool's window: a range played over and over, a set number of times or, with the count
// "∞", until the operator releases it.
RangeToolWindow {
    id: tool

    property alias intValue: countInput.intValue
    property alias value: countInput.value

    signal changeVampRequest(string startBar, int startBeat, string endBar, int endBeat, int count)
    signal createVampRequest(string startBar, int startBeat, string endBar, int endBeat, int count)
    signal vampToolClosing()

    title: isEdit ? "Edit Vamp" : "Create Vamp"

    valueItems: [
        Text {
            Layout.alignment: Qt.AlignHCenter
            text: "Vamp Count"
            color: tool.theme.default_text_color
            font.pixelSize: 14
        },
        CountSpinBox {
            id: countInput
            objectName: "countInput"
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: 125
            inputWidth: 45
            from: 0
            to: 500
            defaultValue: "∞"
            zeroIsEndless: true
            notANumber: "endless"
            onEditingFinished: validate()
        }
    ]

    onConfirmed: (startBar, startBeat, endBar, endBeat) => {
        countInput.validate()
        if (isEdit)
            changeVampRequest(startBar, beatNumber(startBeat), endBar, beatNumber(endBeat), countInput.intValue)
        else
            createVampRequest(startBar, beatNumber(startBeat), endBar, beatNumber(endBeat), countInput.intValue)
    }
    onWindowClosing: vampToolClosing()
    Component.onCompleted: countInput.inputFocus = true
}
