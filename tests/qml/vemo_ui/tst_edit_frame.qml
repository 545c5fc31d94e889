import QtQuick
import QtQuick.Window
import QtTest
import com.quorvane.vemo_ui
import "helpers.js" as Helpers

Item {
    id: host

    width: 400
    height: 200

    VemoTheme { id: theme }

    Component {
        id: sizedTool
        EditTool {
            property int wantedWidth: 420
            width: wantedWidth
            height: wantedWidth / 2
        }
    }

    Component {
        id: toolWithLabel
        EditTool {
            property alias label: label
            EventIdLabel {
                id: label
                x: 20
                y: 60
                width: 300
            }
        }
    }

    StandardEditButtons {
        id: buttons
        width: 300
    }

    TextInput {
        id: pasteTarget
        y: 100
        width: 200
        height: 20
    }

    SignalSpy { id: okSpy; target: buttons; signalName: "okayClicked" }
    SignalSpy { id: cancelSpy; target: buttons; signalName: "cancelClicked" }

    TestCase {
        name: "EditFrame"
        when: windowShown

        // Windows shown by a test are modal and take the focus: they are hidden at its end, so that
        // the next test starts in the test's own window with nothing blocking it.
        property var shownWindows: []

        function keepShown(window) {
            shownWindows.push(window)
            return window
        }

        function cleanup() {
            for (const window of shownWindows)
                window.visible = false
            shownWindows = []
            host.Window.window.requestActivate()
            tryCompare(host.Window.window, "active", true)
        }

        function activateHost() {
            host.Window.window.requestActivate()
            tryCompare(host.Window.window, "active", true)
        }

        function test_defaults() {
            const tool = createTemporaryObject(sizedTool, host, { wantedWidth: 360 })
            compare(tool.title, "Edit Tool")
            compare(tool.modality, Qt.ApplicationModal)
            compare(tool.flags, Qt.Dialog)
            compare(tool.isEdit, false)
            compare(tool.eventId, "")
            compare(tool.visible, false)
            compare(tool.windowHeight, tool.height)
            compare(Helpers.colorText(tool.theme.default_bg_color), "#202020")
        }

        function test_size_is_fixed_once() {
            const tool = createTemporaryObject(sizedTool, host)
            compare([tool.minimumWidth, tool.maximumWidth, tool.minimumHeight, tool.maximumHeight], [420, 420, 210, 210])
            tool.wantedWidth = 500
            compare(tool.width, 500)
            compare([tool.minimumWidth, tool.maximumWidth, tool.minimumHeight, tool.maximumHeight], [420, 420, 210, 210])
        }

        function test_closing_is_announced() {
            const tool = createTemporaryObject(sizedTool, host)
            let closings = 0
            tool.windowClosing.connect(() => ++closings)
            keepShown(tool).show()
            tool.close()
            compare(closings, 1)
            compare(tool.visible, false)
        }

        // Its own size is the two 80-wide buttons and their spacing; given more, they keep to the right.
        function test_button_row_size() {
            compare(buttons.implicitWidth, 180)
            compare(buttons.implicitHeight, buttons.cancelButton.implicitHeight)
            compare(buttons.cancelButton.mapToItem(buttons, 0, 0).x, 120)
            compare(buttons.okButton.mapToItem(buttons, 0, 0).x + buttons.okButton.width, 300)
        }

        function test_keys_data() {
            return [
                { tag: "Escape on OK", focus: "ok", key: Qt.Key_Escape, ok: 0, cancel: 1 },
                { tag: "Escape on Cancel", focus: "cancel", key: Qt.Key_Escape, ok: 0, cancel: 1 },
                { tag: "Return on Cancel", focus: "cancel", key: Qt.Key_Return, ok: 1, cancel: 0 },
                { tag: "Return on OK", focus: "ok", key: Qt.Key_Return, ok: 1, cancel: 0 },
                { tag: "keypad Enter on OK", focus: "ok", key: Qt.Key_Enter, ok: 0, cancel: 0 },
                { tag: "keypad Enter on the row", focus: "row", key: Qt.Key_Enter, ok: 0, cancel: 0 }
            ]
        }

        function test_keys(data) {
            activateHost()
            okSpy.clear()
            cancelSpy.clear()
            const target = data.focus === "ok" ? buttons.okButton : data.focus === "cancel" ? buttons.cancelButton : buttons
            target.forceActiveFocus()
            verify(target.activeFocus)
            keyClick(data.key)
            compare(okSpy.count, data.ok)
            compare(cancelSpy.count, data.cancel)
        }

        function test_button_row() {
            compare(buttons.cancelButton.text, "Cancel")
            compare(buttons.okButton.text, "OK")
            verify(buttons.okButton.isDefault)
            verify(!buttons.cancelButton.isDefault)
            verify(buttons.cancelButton.x < buttons.okButton.x)
            compare(buttons.okButton.width, buttons.cancelButton.width)
            compare(buttons.implicitHeight, buttons.cancelButton.implicitHeight)
            okSpy.clear()
            cancelSpy.clear()
            mouseClick(buttons.okButton)
            mouseClick(buttons.cancelButton)
            compare([okSpy.count, cancelSpy.count], [1, 1])
        }

        function showLabel(value) {
            const tool = createTemporaryObject(toolWithLabel, host)
            tool.label.value = value
            keepShown(tool).show()
            tryCompare(tool, "visible", true)
            waitForRendering(tool.contentItem)
            return tool
        }

        function test_empty_id_copies_none() {
            const tool = showLabel("")
            const idField = findChild(tool.label, "idField")
            compare(findChild(tool.label, "caption").text, "Event ID:")
            compare(idField.text, "(none)")
            mouseClick(findChild(tool.label, "idMouse"))
            verify(findChild(tool.label, "notice").visible)
            pasteTarget.text = ""
            pasteTarget.paste()
            compare(pasteTarget.text, "(none)")
        }

        function test_id_is_copied() {
            const tool = showLabel("L-1042")
            compare(findChild(tool.label, "idField").text, "L-1042")
            mouseClick(findChild(tool.label, "idMouse"))
            pasteTarget.text = ""
            pasteTarget.paste()
            compare(pasteTarget.text, "L-1042")
        }

        // The notice hides 1000 ms after the first of several quick clicks: a click while the
        // timer runs does not restart it.
        function test_notice_hides_after_first_click() {
            const tool = showLabel("M-7")
            const notice = findChild(tool.label, "notice")
            const timer = findChild(tool.label, "hideTimer")
            let hiddenAt = 0
            timer.triggered.connect(() => hiddenAt = Date.now())
            const mouse = findChild(tool.label, "idMouse")
            const firstClick = Date.now()
            mouseClick(mouse)
            verify(notice.visible)
            wait(500)
            mouseClick(mouse)
            verify(notice.visible)
            tryVerify(() => !notice.visible, 2000)
            verify(hiddenAt - firstClick < 1400, "hidden " + (hiddenAt - firstClick) + " ms after the first click")
            verify(hiddenAt - firstClick >= 990)
        }

        function test_tool_tip() {
            const tool = showLabel("M-7")
            const tip = findChild(tool.label, "toolTip")
            compare(tip.text, "Click to Copy to Clipboard")
            compare(tip.delay, 1000)
            compare(tip.timeout, 5000)
            verify(!tip.visible)
        }
    }
}
