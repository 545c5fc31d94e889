import QtQuick
import QtQuick.Layouts
import com.quorvane.vemo_ui

// "-" button, recessed field, "+" button. The user document owns stepping, clamping, the text
// and the "∞" state; this control reports the button presses and keeps the buttons' enabled
// state in step with `intValue`.
Item {
    id: root

    property alias value: input.text
    property int intValue: 1
    property alias editable: input.editable
    property int inputWidth: 50
    property bool underflowWithInfinite: false
    property bool dirty: false
    property int from: 0
    property int to: 99
    property alias textIndent: input.textIndent
    property alias decrementButton: decrement
    property alias incrementButton: increment
    property var defaultValue: "∞"
    property alias inputFocus: input.focus

    signal incrementValue()
    signal decrementValue()
    signal editingFinished()
    signal textEdited()

    function updateButtons() {
        decrement.enabled = intValue > from
        increment.enabled = intValue < to
    }

    height: 25
    width: row.implicitWidth + 2

    onIntValueChanged: updateButtons()

    Component.onCompleted: {
        intValue = defaultValue === "∞" ? from : defaultValue
        value = defaultValue
        updateButtons()
    }

    RowLayout {
        id: row
        anchors.fill: parent
        spacing: 0

        FlatButton {
            id: decrement
            text: "-"
            Layout.preferredWidth: 25
            Layout.preferredHeight: 25
            onClicked: root.decrementValue()
        }

        RecessedTextInput {
            id: input
            Layout.preferredWidth: root.inputWidth
            Layout.preferredHeight: 25
            Layout.fillWidth: true
            horizontalAlignment: TextInput.AlignHCenter
            onEditingFinished: root.editingFinished()
            onTextEdited: root.textEdited()
        }

        FlatButton {
            id: increment
            text: "+"
            Layout.preferredWidth: 25
            Layout.preferredHeight: 25
            onClicked: root.incrementValue()
        }
    }
}
