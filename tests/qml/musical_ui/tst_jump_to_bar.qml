import QtQuick
import QtTest
import com.quorvane.musical_ui

// The jump-to-bar prompt: what Return, OK and Cancel submit, and what the engine's answer, or its
// silence, leaves on screen.
Item {
    id: host

    width: 800
    height: 600

    // Answers like the main window: bars 1 to 40 exist; with `answering` false no show is loaded.
    property bool answering: true

    JumpToBar {
        id: jump
        anchors.fill: parent
        onOk: {
            if (host.answering)
                jump.result(/^[0-9]+$/.test(jump.barNum) && Number(jump.barNum) >= 1 && Number(jump.barNum) <= 40)
        }
    }

    SignalSpy { id: okSpy; target: jump; signalName: "ok" }

    Component {
        id: freshPrompt
        JumpToBar { anchors.fill: parent }
    }

    TestCase {
        name: "JumpToBar"
        when: windowShown

        readonly property var popup: findChild(jump, "jumpQuery")
        // Made when the prompt first opens.
        property var field: null

        function init() {
            failOnWarning(/.?/)
            host.answering = true
            jump.barNum = "0"
            jump.promptText = "Enter Bar Number"
            jump.open()
            tryCompare(popup, "opened", true)
            field = findChild(jump, "barEdit")
            okSpy.clear()
        }

        function cleanup() {
            jump.exit()
            tryCompare(popup, "visible", false)
        }

        function type(text) {
            for (const c of text)
                keyClick(c)
        }

        function test_opening_shows_the_prompt_in_an_empty_focused_field() {
            compare(field.text, "")
            verify(field.activeFocus)
            const placeholder = findChild(jump, "placeholder")
            verify(placeholder.visible)
            compare(placeholder.text, "Enter Bar Number")
            type("7")
            verify(!placeholder.visible)
        }

        function test_submissions_data() {
            return [
                { tag: "Return, known bar", text: "9", ok: false, open: false, field: "" },
                { tag: "Return, unknown bar", text: "99", ok: false, open: true, field: "Bar not found!" },
                { tag: "Return, text kept as typed", text: " 9x", ok: false, open: true, field: "Bar not found!" },
                { tag: "Return, empty", text: "", ok: false, open: true, field: "Bar not found!" },
                { tag: "OK, known bar", text: "12", ok: true, open: false, field: "" },
                { tag: "OK, unknown bar", text: "99", ok: true, open: false, field: "" }
            ]
        }

        function test_submissions(data) {
            type(data.text)
            if (data.ok)
                mouseClick(findChild(jump, "okButton"))
            else
                keyClick(Qt.Key_Return)
            compare(okSpy.count, 1)
            compare(jump.barNum, data.text)
            compare(popup.visible, data.open)
            compare(field.text, data.field)
            if (data.open)
                compare(field.selectedText, data.field)
        }

        function test_typing_replaces_the_refusal() {
            type("99")
            keyClick(Qt.Key_Return)
            compare(field.selectedText, "Bar not found!")
            type("9")
            compare(field.text, "9")
            keyClick(Qt.Key_Return)
            compare(jump.barNum, "9")
            compare(popup.visible, false)
            compare(okSpy.count, 2)
        }

        function test_no_answer_leaves_the_prompt_open_and_empty() {
            host.answering = false
            type("12")
            keyClick(Qt.Key_Return)
            compare(okSpy.count, 1)
            compare(popup.visible, true)
            compare(field.text, "")
            verify(field.activeFocus)
        }

        function test_cancel_submits_nothing() {
            type("12")
            mouseClick(findChild(jump, "cancelButton"))
            compare(okSpy.count, 0)
            compare(jump.barNum, "0")
            compare(popup.visible, false)
            compare(field.text, "")
        }

        function test_the_score_pane_asks_for_a_page() {
            jump.promptText = "Enter Page"
            compare(findChild(jump, "placeholder").text, "Enter Page")
        }

        // A prompt that never opened has no field yet; the first opening shows the prompt text
        // given before, in an empty focused field.
        function test_the_field_comes_with_the_first_opening() {
            const prompt = createTemporaryObject(freshPrompt, host, { promptText: "Enter Page" })
            compare(findChild(prompt, "barEdit"), null)
            prompt.open()
            tryCompare(findChild(prompt, "jumpQuery"), "opened", true)
            const edit = findChild(prompt, "barEdit")
            verify(edit.activeFocus)
            compare(edit.text, "")
            compare(findChild(prompt, "placeholder").text, "Enter Page")
            prompt.exit()
        }
    }
}
