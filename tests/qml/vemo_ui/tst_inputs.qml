import QtQuick
import QtQuick.Controls
import QtTest
import com.quorvane.vemo_ui
import "helpers.js" as Helpers

Item {
    id: host

    width: 500
    height: 300

    Component {
        id: recessedSpin
        RecessedSpinBox {}
    }

    Component {
        id: customSpin
        Row {
            property alias spin: spin
            property alias other: other
            CustomSpinBox { id: spin; width: 150 }
            FlatButton { id: other; text: "Elsewhere" }
        }
    }

    Component {
        id: fieldRow
        Row {
            property alias first: first
            property alias field: field
            FlatButton { id: first; text: "First" }
            RecessedTextInput { id: field; width: 150; text: "Intro bars" }
        }
    }

    Component {
        id: checkbox
        CustomCheckbox { checkboxTextStr: "Do not show again" }
    }

    SignalSpy { id: spy }
    SignalSpy { id: secondSpy }

    TestCase {
        name: "RecessedSpinBox"
        when: windowShown

        function test_start_up_data() {
            return [
                { tag: "defaults", props: {}, text: "∞", intValue: 0, minus: false, plus: true },
                { tag: "four", props: { defaultValue: 4 }, text: "4", intValue: 4, minus: true, plus: true },
                { tag: "at the top", props: { defaultValue: 99 }, text: "99", intValue: 99, minus: true, plus: false },
                { tag: "one at from one", props: { defaultValue: 1, from: 1 }, text: "1", intValue: 1, minus: false, plus: true }
            ]
        }

        function test_start_up(data) {
            const spin = createTemporaryObject(recessedSpin, host, data.props)
            compare(spin.value, data.text)
            compare(spin.intValue, data.intValue)
            compare(spin.decrementButton.enabled, data.minus)
            compare(spin.incrementButton.enabled, data.plus)
            compare(spin.width, 102)
            compare(spin.height, 25)
        }

        function test_out_of_range_only_disables() {
            const spin = createTemporaryObject(recessedSpin, host, { defaultValue: 5 })
            spin.intValue = 150
            verify(!spin.incrementButton.enabled)
            verify(spin.decrementButton.enabled)
            compare(spin.value, "5", "the text is the user document's")
            spin.intValue = -3
            verify(!spin.decrementButton.enabled)
            verify(spin.incrementButton.enabled)
        }

        function test_buttons_only_report() {
            const spin = createTemporaryObject(recessedSpin, host, { defaultValue: 5 })
            spy.signalName = "incrementValue"
            spy.target = spin
            spy.clear()
            secondSpy.signalName = "decrementValue"
            secondSpy.target = spin
            secondSpy.clear()
            mouseClick(spin.incrementButton)
            mouseClick(spin.decrementButton)
            mouseClick(spin.decrementButton)
            compare(spy.count, 1)
            compare(secondSpy.count, 2)
            compare(spin.intValue, 5)
            compare(spin.value, "5")
        }
    }

    TestCase {
        name: "CustomSpinBox"
        when: windowShown

        function editor(spin) {
            return findChild(spin, "editor")
        }

        function typeAndLeave(row, text) {
            const field = editor(row.spin)
            field.forceActiveFocus()
            field.text = text
            row.other.forceActiveFocus()
        }

        function test_typed_text_data() {
            return [
                { tag: "in range", text: "42", intValue: 42, shown: "42" },
                { tag: "above the top", text: "300", intValue: 127, shown: "127" },
                { tag: "huge", text: "99999999999999999999", intValue: 127, shown: "127" },
                { tag: "below the bottom", text: "-3", intValue: 0, shown: "0" },
                { tag: "digits then letters", text: "12abc", intValue: 12, shown: "12" },
                { tag: "decimal", text: "3.9", intValue: 3, shown: "3" },
                { tag: "leading space", text: "  7", intValue: 7, shown: "7" },
                { tag: "hexadecimal", text: "0x1A", intValue: 26, shown: "26" },
                { tag: "letters only", text: "abc", intValue: 78, shown: "78" },
                { tag: "empty", text: "", intValue: 78, shown: "78" },
                { tag: "lone minus", text: "-", intValue: 78, shown: "78" }
            ]
        }

        function test_typed_text(data) {
            const row = createTemporaryObject(customSpin, host)
            row.spin.to = 127
            row.spin.intValue = 78
            compare(row.spin.value, "78")
            typeAndLeave(row, data.text)
            compare(row.spin.intValue, data.intValue)
            compare(row.spin.value, data.shown)
        }

        function test_top_of_range() {
            const row = createTemporaryObject(customSpin, host)
            row.spin.to = 127
            row.spin.intValue = 127
            const plus = row.spin.children[0].children[2]
            const minus = row.spin.children[0].children[0]
            verify(!plus.enabled)
            verify(minus.enabled)
            mouseClick(minus)
            compare(row.spin.intValue, 126)
            verify(plus.enabled)
        }

        function test_infinite_below_from() {
            const row = createTemporaryObject(customSpin, host)
            const spin = row.spin
            spin.underflowWithInfinite = true
            spin.from = 1
            spin.intValue = 1
            const minus = spin.children[0].children[0]
            const plus = spin.children[0].children[2]
            mouseClick(minus)
            compare(spin.intValue, 0)
            compare(spin.value, "Infinite")
            verify(!minus.enabled)
            mouseClick(plus)
            compare(spin.intValue, 1)
            compare(spin.value, "1")
            typeAndLeave(row, "none")
            compare(spin.intValue, 0)
            compare(spin.value, "Infinite")
        }

        function test_assigned_below_range() {
            const row = createTemporaryObject(customSpin, host)
            row.spin.intValue = -5
            compare(row.spin.intValue, 0)
            compare(row.spin.value, "0")
            verify(!row.spin.children[0].children[0].enabled)
        }

        function test_double_click_steps_twice() {
            const row = createTemporaryObject(customSpin, host)
            row.spin.intValue = 10
            mouseDoubleClickSequence(row.spin.children[0].children[2])
            compare(row.spin.intValue, 12)
        }

        function test_validate_signal() {
            const row = createTemporaryObject(customSpin, host)
            spy.signalName = "validateInput"
            spy.target = row.spin
            spy.clear()
            typeAndLeave(row, "5")
            compare(spy.count, 1)
        }
    }

    TestCase {
        name: "RecessedTextInput"
        when: windowShown

        function test_tab_selects_all() {
            const row = createTemporaryObject(fieldRow, host)
            row.first.forceActiveFocus()
            keyClick(Qt.Key_Tab)
            verify(row.field.field.activeFocus)
            compare(row.field.field.selectedText, "Intro bars")
            verify(findChild(row.field, "focusFrame").visible)
        }

        function test_focus_passes_to_field() {
            const row = createTemporaryObject(fieldRow, host)
            row.field.forceActiveFocus()
            verify(row.field.field.activeFocus)
            compare(row.field.field.selectedText, "Intro bars")
            row.first.forceActiveFocus()
            row.field.focus = true
            verify(row.field.field.activeFocus)
        }

        function test_context_menu_states() {
            const row = createTemporaryObject(fieldRow, host)
            const menu = findChild(row.field, "contextMenu")
            row.field.field.deselect()
            mouseClick(row.field, 10, 5, Qt.RightButton)
            tryCompare(menu, "opened", true)
            compare([menu.actionAt(0).text, menu.actionAt(1).text, menu.actionAt(2).text], ["Copy", "Cut", "Paste"])
            verify(!menu.actionAt(0).enabled)
            verify(!menu.actionAt(1).enabled)
            verify(menu.actionAt(2).enabled)
            menu.close()
            row.field.field.selectAll()
            verify(menu.actionAt(0).enabled)
            verify(menu.actionAt(1).enabled)
        }

        function test_colours_follow_editable() {
            const row = createTemporaryObject(fieldRow, host)
            compare(Helpers.colorText(row.field.backgroundColor), "#282828")
            compare(Helpers.colorText(row.field.textColor), "#a4a4a4")
            row.field.editable = false
            compare(Helpers.colorText(row.field.backgroundColor), "#202020")
            compare(Helpers.colorText(row.field.textColor), "#838383")
            row.field.textColor = "red"
            row.field.editable = true
            compare(Helpers.colorText(row.field.textColor), Helpers.colorText("red"))
        }

        function test_signals() {
            const row = createTemporaryObject(fieldRow, host)
            spy.signalName = "textEdited"
            spy.target = row.field
            spy.clear()
            secondSpy.signalName = "editingFinished"
            secondSpy.target = row.field
            secondSpy.clear()
            row.field.text = "Set from outside"
            compare(spy.count, 0)
            row.field.forceActiveFocus()
            keyClick(Qt.Key_A)
            compare(spy.count, 1)
            compare(row.field.text, "a")
            keyClick(Qt.Key_Return)
            compare(secondSpy.count, 1)
            compare(row.field.implicitHeight, row.field.field.implicitHeight + 6)
            compare(row.field.rectHeight, row.field.implicitHeight)
        }
    }

    TestCase {
        name: "CustomCheckbox"
        when: windowShown

        function test_label_and_tick() {
            const box = createTemporaryObject(checkbox, host)
            compare(box.text, "<font color='#a4a4a4'>Do not show again</font>")
            const square = findChild(box, "box")
            compare(Helpers.colorText(square.color), Helpers.colorText("white"))
            verify(!findChild(box, "tick").visible)
            mouseClick(box)
            verify(box.checked)
            compare(Helpers.colorText(square.color), Helpers.colorText("steelblue"))
            verify(findChild(box, "tick").visible)
            box.forceActiveFocus()
            compare(Helpers.colorText(square.border.color), Helpers.colorText("steelblue"))
            box.checkboxTextColor = "red"
            compare(box.text, "<font color='red'>Do not show again</font>")
        }
    }
}
