import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The tempo window's percentage: typed texts of every kind end as a whole number from 50 to 200
// (the int property is never handed the text), the steps stop at the bounds, and OK sends the
// checked value once.
Item {
    id: host

    width: 400
    height: 200

    VemoTheme { id: theme }

    Component { id: tempoComponent; TempoTool { property var counts } }

    TestCase {
        name: "TempoTool"
        when: windowShown

        function findChild(item, name) {
            if (item.objectName === name)
                return item
            const children = item.children || []
            for (let i = 0; i < children.length; ++i) {
                const found = findChild(children[i], name)
                if (found)
                    return found
            }
            return null
        }

        function open(isEdit) {
            const tool = createTemporaryObject(tempoComponent, host, { isEdit: isEdit })
            tool.counts = { create: 0, change: 0, closing: 0, sent: [] }
            tool.createTempoRequest.connect((a, b, c, d, count) => { ++tool.counts.create; tool.counts.sent.push(count) })
            tool.changeTempoRequest.connect((a, b, c, d, count) => { ++tool.counts.change; tool.counts.sent.push(count) })
            tool.tempoToolClosing.connect(() => ++tool.counts.closing)
            // Only a shown window announces its closing.
            tool.show()
            return tool
        }

        function spinBox(tool) {
            return findChild(tool.contentItem, "tempoScaleInput")
        }

        function test_window_data() {
            return [
                { tag: "new", isEdit: false, title: "Scale Tempo" },
                { tag: "edit", isEdit: true, title: "Edit Tempo Scale" }
            ]
        }

        function test_window(data) {
            const tool = open(data.isEdit)
            compare(tool.title, data.title)
            compare(tool.flags, Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint)
            compare(tool.modality, Qt.ApplicationModal)
            compare(tool.value, "100")
            compare(tool.intValue, 100)
            compare(findChild(tool.contentItem, "valueLabel").text, "Percent Change")
            compare(findChild(tool.contentItem, "eventIdLabel").visible, false)
            compare(findChild(tool.contentItem, "barAndBeatPanel").showSelectAll, true)
            compare(tool.width, 250)
            const width = tool.width
            wait(50)
            compare(tool.width, width)
            tool.close()
            compare(tool.counts.closing, 1)
            compare(tool.counts.create + tool.counts.change, 0)
        }

        // Typed text, then OK: the percentage sent, the text shown and the buttons' states.
        function test_typed_text_data() {
            return [
                { tag: "20", before: "", text: "20", sent: 50, minus: false, plus: true },
                { tag: "500", before: "", text: "500", sent: 200, minus: true, plus: false },
                { tag: "on the lower bound", before: "", text: "50", sent: 50, minus: false, plus: true },
                { tag: "on the upper bound", before: "", text: "200", sent: 200, minus: true, plus: false },
                { tag: "inside", before: "", text: "53", sent: 53, minus: true, plus: true },
                { tag: "letters", before: "", text: "abc", sent: 100, minus: true, plus: true },
                { tag: "letters after a valid value", before: "120", text: "abc", sent: 120, minus: true, plus: true },
                { tag: "empty", before: "", text: "", sent: 100, minus: true, plus: true },
                { tag: "a space", before: "", text: " ", sent: 100, minus: true, plus: true },
                { tag: "a tab", before: "75", text: "\t", sent: 75, minus: true, plus: true },
                { tag: "hexadecimal", before: "", text: "0x10", sent: 50, minus: false, plus: true },
                { tag: "hexadecimal inside", before: "", text: "0x80", sent: 128, minus: true, plus: true },
                { tag: "a fraction", before: "", text: "150.7", sent: 150, minus: true, plus: true },
                { tag: "half", before: "", text: "2.5", sent: 50, minus: false, plus: true },
                { tag: "below zero", before: "", text: "-0.5", sent: 50, minus: false, plus: true },
                { tag: "negative half", before: "", text: "-2.5", sent: 50, minus: false, plus: true },
                { tag: "an exponent", before: "", text: "1e10", sent: 200, minus: true, plus: false },
                { tag: "beyond the int range", before: "", text: "9999999999", sent: 200, minus: true, plus: false },
                { tag: "below the int range", before: "", text: "-9999999999", sent: 50, minus: false, plus: true },
                { tag: "Infinity", before: "", text: "Infinity", sent: 200, minus: true, plus: false },
                { tag: "-Infinity", before: "", text: "-Infinity", sent: 50, minus: false, plus: true },
                { tag: "spaces around", before: "", text: " 75 ", sent: 75, minus: true, plus: true }
            ]
        }

        function test_typed_text(data) {
            const tool = open(false)
            const spin = spinBox(tool)
            if (data.before !== "") {
                spin.value = data.before
                spin.editingFinished()
                compare(spin.intValue, Number(data.before))
            }
            spin.value = data.text
            tool.confirm()
            compare(tool.counts.create, 1)
            compare(tool.counts.sent, [data.sent])
            compare(spin.intValue, data.sent)
            compare(spin.value, String(data.sent))
            compare(spin.decrementButton.enabled, data.minus)
            compare(spin.incrementButton.enabled, data.plus)
            compare(tool.counts.closing, 1)
        }

        // The field finishing its editing checks the text as OK does.
        function test_editing_finished_checks_the_text() {
            const tool = open(true)
            const spin = spinBox(tool)
            spin.value = "500"
            spin.editingFinished()
            compare(spin.intValue, 200)
            compare(spin.value, "200")
            compare(tool.counts.change, 0)
        }

        // Each step moves by one; a step onto a bound disables the button pointing outwards.
        function test_steps_data() {
            return [
                { tag: "up onto the upper bound", start: 199, signal: "incrementValue", end: 200, minus: true, plus: false },
                { tag: "down onto the lower bound", start: 51, signal: "decrementValue", end: 50, minus: false, plus: true },
                { tag: "up from the lower bound", start: 50, signal: "incrementValue", end: 51, minus: true, plus: true },
                { tag: "down from the upper bound", start: 200, signal: "decrementValue", end: 199, minus: true, plus: true }
            ]
        }

        function test_steps(data) {
            const tool = open(true)
            const spin = spinBox(tool)
            tool.intValue = data.start
            spin[data.signal]()
            compare(spin.intValue, data.end)
            compare(spin.value, String(data.end))
            compare(spin.decrementButton.enabled, data.minus)
            compare(spin.incrementButton.enabled, data.plus)
            tool.confirm()
            tool.confirm()
            compare(tool.counts.change, 1)
            compare(tool.counts.sent, [data.end])
        }
    }
}
