import QtQuick
import QtQuick.Layouts
import com.quorvane.musical_ui

// The repeat tool's window: a range played a set number of times. The typed count is read on OK.
RangeToolWindow {
    id: tool

    property alias intValue: countInput.intValue
    property alias value: countInput.value

    signal changeRepeatRequest(string startBar, int startBeat, string endBar, int endBeat, int count)
    signal createRepeatRequest(string startBar, int startBeat, string endBar, int endBeat, int count)
    signal repeatToolClosing()

    title: isEdit ? "Edit Repeat" : "Create Repeat"
    showEventId: false

    valueItems: [
        Text {
            Layout.alignment: Qt.AlignHCenter
            text: "Repeat Count"
            color: tool.theme.default_text_color
            font.pixelSize: 14
        },
        CountSpinBox {
            id: countInput
            objectName: "countInput"
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: 125
            inputWidth: 45
            from: 1
            to: 500
            defaultValue: 2
            notANumber: "restore"
        }
    ]

    onConfirmed: (startBar, startBeat, endBar, endBeat) => {
        countInput.validate()
        if (isEdit)
            changeRepeatRequest(startBar, beatNumber(startBeat), endBar, beatNumber(endBeat), countInput.intValue)
        else
            createRepeatRequest(startBar, beatNumber(startBeat), endBar, beatNumber(endBeat), countInput.intValue)
    }
    onWindowClosing: repeatToolClosing()
    Component.onCompleted: countInput.inputFocus = true
}
