import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The vamp, repeat and transposition windows: stepping, reading typed text, and what OK sends.
Item {
    id: host

    width: 400
    height: 200

    VemoTheme { id: theme }

    Component { id: vampComponent; VampTool { property var counts } }
    Component { id: repeatComponent; RepeatTool { property var counts } }
    Component { id: transposeComponent; TransposeTool { property var counts } }

    ListModel {
        id: bars
        ListElement { bar: "1" }
        ListElement { bar: "2" }
    }

    TestCase {
        name: "CountTools"
        when: windowShown

        property var shownWindows: []

        function cleanup() {
            for (const window of shownWindows)
                window.visible = false
            shownWindows = []
            host.Window.window.requestActivate()
            tryCompare(host.Window.window, "active", true)
        }

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

        function spinOf(tool, kind) {
            return findChild(tool.contentItem, kind === "transpose" ? "transposeHalfStepsInput" : "countInput")
        }

        // A window as its tool opens it: inputs filled, shown and active; its requests recorded.
        function open(kind, isEdit) {
            const components = { vamp: vampComponent, repeat: repeatComponent, transpose: transposeComponent }
            const tool = createTemporaryObject(components[kind], host, { isEdit: isEdit })
            tool.counts = { requests: 0, sent: [] }
            const word = kind.charAt(0).toUpperCase() + kind.slice(1)
            const record = (a, b, c, d, count) => { ++tool.counts.requests; tool.counts.sent = [a, b, c, d, count] }
            tool[(isEdit ? "change" : "create") + word + "Request"].connect(record)
            for (const name of ["inBarInput", "outBarInput"])
                findChild(tool.contentItem, name).model = bars
            findChild(tool.contentItem, "inBeatInput").model = [1, 2, 3, 4]
            findChild(tool.contentItem, "outBeatInput").model = [1, 2, 3, 4]
            findChild(tool.contentItem, "outBarInput").currentIndex = 1
            findChild(tool.contentItem, "outBeatInput").currentIndex = 2
            shownWindows.push(tool)
            tool.show()
            tool.requestActivate()
            tryCompare(tool, "active", true)
            // The window's focus item takes the focus a moment after the window becomes active.
            tryVerify(() => tool.activeFocusItem !== null)
            return tool
        }

        function buttons(spin) {
            return [spin.decrementButton.enabled, spin.incrementButton.enabled]
        }

        function test_opening_data() {
            return [
                { tag: "vamp", kind: "vamp", title: "Create Vamp", label: "Vamp Count", text: "∞", count: 0, buttons: [false, true] },
                { tag: "repeat", kind: "repeat", title: "Create Repeat", label: "Repeat Count", text: "2", count: 2, buttons: [true, true] },
                { tag: "transpose", kind: "transpose", title: "Transpose Key", label: "Half Steps", text: "0", count: 0, buttons: [true, true] }
            ]
        }

        function test_opening(data) {
            const tool = open(data.kind, false)
            const spin = spinOf(tool, data.kind)
            compare(tool.title, data.title)
            compare(tool.value, data.text)
            compare(tool.intValue, data.count)
            compare(buttons(spin), data.buttons)
            compare(tool.activeFocusItem.objectName, "field")
            compare(findChild(tool.contentItem, "selectAllButton").visible, data.kind === "transpose")
            compare(findChild(tool.contentItem, "eventIdLabel").visible, data.kind === "vamp")
            tool.isEdit = true
            compare(tool.title, { vamp: "Edit Vamp", repeat: "Edit Repeat", transpose: "Edit Transposition" }[data.kind])
        }

        // Plus and minus from the opening value; each step's text, and the buttons after the last.
        function test_steps_data() {
            return [
                { tag: "vamp plus, plus", kind: "vamp", steps: "++", texts: ["1", "2"], buttons: [true, true] },
                { tag: "vamp down to endless", kind: "vamp", steps: "++--", texts: ["1", "2", "1", "∞"], buttons: [false, true] },
                { tag: "vamp +++-+", kind: "vamp", steps: "+++-+", texts: ["1", "2", "3", "2", "3"], buttons: [true, true] },
                { tag: "vamp minus at endless", kind: "vamp", steps: "-", texts: ["∞"], buttons: [false, true] },
                { tag: "repeat down to 1", kind: "repeat", steps: "--", texts: ["1", "1"], buttons: [false, true] },
                { tag: "transpose up to 6", kind: "transpose", steps: "+++++++", texts: ["1", "2", "3", "4", "5", "6", "6"], buttons: [true, false] },
                { tag: "transpose down", kind: "transpose", steps: "--", texts: ["-1", "-2"], buttons: [true, true] }
            ]
        }

        function test_steps(data) {
            const tool = open(data.kind, false)
            const spin = spinOf(tool, data.kind)
            const texts = []
            for (const step of data.steps) {
                mouseClick(step === "+" ? spin.incrementButton : spin.decrementButton)
                texts.push(tool.value)
            }
            compare(texts, data.texts)
            compare(buttons(spin), data.buttons)
        }

        // Text typed into the field, then read when the field finishes editing ("finish") or by OK
        // ("ok"): the text shown afterwards, the count (sent, for OK) and the buttons.
        function test_typed_data() {
            const rows = [
                ["vamp", "abc", "finish", "∞", 0, [false, true]],
                ["vamp", "700", "finish", "500", 500, [true, false]],
                ["vamp", "-3", "finish", "∞", 0, [false, true]],
                ["vamp", "", "finish", "∞", 0, [false, true]],
                ["vamp", " ", "finish", "∞", 0, [false, true]],
                ["vamp", "\t", "ok", "∞", 0, [false, true]],
                ["vamp", "0x10", "finish", "16", 16, [true, true]],
                ["vamp", "-0.5", "finish", "∞", 0, [false, true]],
                ["vamp", "2.5", "ok", "2", 2, [true, true]],
                ["vamp", "1e10", "ok", "500", 500, [true, false]],
                ["vamp", "9999999999", "finish", "500", 500, [true, false]],
                ["vamp", "Infinity", "ok", "500", 500, [true, false]],
                ["vamp", "500", "ok", "500", 500, [true, false]],
                ["repeat", "abc", "ok", "2", 2, [true, true]],
                ["repeat", "0", "ok", "1", 1, [false, true]],
                ["repeat", "900", "ok", "500", 500, [true, false]],
                ["repeat", "", "ok", "2", 2, [true, true]],
                ["repeat", " ", "ok", "2", 2, [true, true]],
                ["repeat", "0x10", "ok", "16", 16, [true, true]],
                ["repeat", "-2.5", "ok", "1", 1, [false, true]],
                ["repeat", "7.9", "ok", "7", 7, [true, true]],
                ["repeat", "-Infinity", "ok", "1", 1, [false, true]],
                ["repeat", "9999999999", "ok", "500", 500, [true, false]],
                // The repeat field is read on OK only.
                ["repeat", "abc", "finish", "abc", 2, [true, true]],
                ["transpose", "9", "ok", "6", 6, [true, false]],
                ["transpose", "-10", "ok", "-6", -6, [false, true]],
                ["transpose", "abc", "ok", "abc", 0, [true, true]],
                ["transpose", "\t", "finish", "\t", 0, [true, true]],
                ["transpose", "0x10", "ok", "6", 6, [true, false]],
                ["transpose", "-0.5", "ok", "0", 0, [true, true]],
                ["transpose", "-2.5", "finish", "-2", -2, [true, true]],
                ["transpose", "1e10", "ok", "6", 6, [true, false]],
                ["transpose", "-9999999999", "ok", "-6", -6, [false, true]],
                ["transpose", "-Infinity", "ok", "-6", -6, [false, true]],
                ["transpose", "0", "ok", "0", 0, [true, true]]
            ]
            return rows.map(r => ({ tag: r[0] + " " + JSON.stringify(r[1]) + " " + r[2], kind: r[0], typed: r[1], how: r[2],
                                    text: r[3], count: r[4], buttons: r[5] }))
        }

        function test_typed(data) {
            const tool = open(data.kind, false)
            const spin = spinOf(tool, data.kind)
            tool.value = data.typed
            if (data.how === "ok") {
                mouseClick(findChild(tool.contentItem, "editButtons").okButton)
                compare(tool.counts.requests, 1)
                compare(tool.counts.sent, ["1", 1, "2", 3, data.count])
            } else {
                spin.editingFinished()
                compare(tool.counts.requests, 0)
            }
            compare(tool.value, data.text)
            compare(tool.intValue, data.count)
            compare(buttons(spin), data.buttons)
        }

        // Return right after the window opens reaches the window through the focused field: one
        // request with the opening value.
        function test_return_right_after_opening_data() {
            return [
                { tag: "vamp", kind: "vamp", count: 0 },
                { tag: "repeat", kind: "repeat", count: 2 },
                { tag: "transpose", kind: "transpose", count: 0 }
            ]
        }

        function test_return_right_after_opening(data) {
            const tool = open(data.kind, false)
            keyClick(Qt.Key_Return)
            compare(tool.counts.requests, 1)
            compare(tool.counts.sent[4], data.count)
            compare(tool.visible, false)
        }

        // The window as an edit opens it: the tool writes `intValue` and `value`.
        function test_stored_values_data() {
            return [
                { tag: "transpose at -6", kind: "transpose", stored: -6, buttons: [false, true] },
                { tag: "transpose at 6", kind: "transpose", stored: 6, buttons: [true, false] },
                { tag: "repeat at 1", kind: "repeat", stored: 1, buttons: [false, true] },
                { tag: "vamp at 500", kind: "vamp", stored: 500, buttons: [true, false] }
            ]
        }

        function test_stored_values(data) {
            const tool = open(data.kind, true)
            tool.intValue = data.stored
            tool.value = data.stored
            compare(buttons(spinOf(tool, data.kind)), data.buttons)
            tool.confirm()
            compare(tool.counts.sent[4], data.stored)
        }
    }
}
