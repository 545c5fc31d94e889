import QtQuick
import com.quorvane.vemo_ui

// Self-validating whole-number spin box; with `underflowWithInfinite` the value below `from`
// reads "Infinite".
Item {
    id: root

    property alias value: input.text
    property int intValue: 1
    property alias editable: input.editable
    property bool underflowWithInfinite: false
    property int from: 0
    property int to: 99

    signal validateInput()

    function applyRange() {
        const lowest = underflowWithInfinite ? from - 1 : from
        if (intValue < lowest) {
            intValue = from
            return
        }
        if (intValue > to) {
            intValue = to
            return
        }
        const atInfinite = underflowWithInfinite && intValue === from - 1
        input.text = atInfinite ? "Infinite" : String(intValue)
        decrement.enabled = underflowWithInfinite ? !atInfinite : intValue !== from
        increment.enabled = intValue !== to
    }

    height: 25

    onIntValueChanged: applyRange()
    Component.onCompleted: applyRange()

    onValidateInput: {
        const number = parseInt(input.text)
        if (isNaN(number)) {
            if (underflowWithInfinite)
                intValue = from - 1
            applyRange()
            return
        }
        intValue = Math.max(from, Math.min(to, number))
        applyRange()
    }

    Row {
        id: row
        anchors.fill: parent
        spacing: 5

        FlatButton {
            id: decrement
            text: "-"
            width: 25
            height: 25
            onClicked: root.intValue = root.intValue - 1
            onDoubleClicked: root.intValue = root.intValue - 1
        }

        CustomTextInput {
            id: input
            text: "1"
            width: root.width - 50 - 4 * row.spacing
            height: 25
            horizontalAlignment: TextEdit.AlignHCenter
            onEditingFinished: root.validateInput()
        }

        FlatButton {
            id: increment
            text: "+"
            width: 25
            height: 25
            onClicked: root.intValue = root.intValue + 1
            onDoubleClicked: root.intValue = root.intValue + 1
        }
    }
}
