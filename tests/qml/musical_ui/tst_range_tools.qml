import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The cut and skip tool windows: titles, the id line, one request per opening from OK, Return and
// Enter, none from Escape and the close button, and one closing signal for every close.
Item {
    id: host

    width: 400
    height: 200

    VemoTheme { id: theme }

    Component { id: cutComponent; CutTool { property var counts } }
    Component { id: skipComponent; SkipTool { property var counts } }

    ListModel {
        id: bars
        ListElement { bar: "1" }
        ListElement { bar: "2" }
    }

    TestCase {
        name: "RangeTools"
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

        function picker(tool, name) {
            return findChild(tool.contentItem, name)
        }

        // A window as its tool opens it: inputs filled, shown and active; its signals counted.
        function open(kind, isEdit) {
            const tool = createTemporaryObject(kind === "cut" ? cutComponent : skipComponent, host, { isEdit: isEdit })
            tool.counts = { create: 0, change: 0, closing: 0, sent: [] }
            const word = kind === "cut" ? "Cut" : "Skip"
            tool["create" + word + "Request"].connect((a, b, c, d) => { ++tool.counts.create; tool.counts.sent = [a, b, c, d] })
            tool["change" + word + "Request"].connect((a, b, c, d) => { ++tool.counts.change; tool.counts.sent = [a, b, c, d] })
            tool[kind + "ToolClosing"].connect(() => ++tool.counts.closing)
            for (const name of ["inBarInput", "outBarInput"])
                picker(tool, name).model = bars
            picker(tool, "inBeatInput").model = [1, 2, 3, 4]
            picker(tool, "outBeatInput").model = [1, 2, 3, 4]
            picker(tool, "outBarInput").currentIndex = 1
            picker(tool, "outBeatInput").currentIndex = 2
            shownWindows.push(tool)
            tool.show()
            tool.requestActivate()
            tryCompare(tool, "active", true)
            return tool
        }

        function giveFocus(item) {
            item.forceActiveFocus()
            tryVerify(() => item.activeFocus)
        }

        function test_titles_data() {
            return [
                { tag: "new cut", kind: "cut", isEdit: false, title: "Create Cut", idShown: false },
                { tag: "cut", kind: "cut", isEdit: true, title: "Edit Cut", idShown: false },
                { tag: "new skip", kind: "skip", isEdit: false, title: "Create Skip", idShown: true },
                { tag: "skip", kind: "skip", isEdit: true, title: "Edit Skip", idShown: true }
            ]
        }

        function test_titles(data) {
            const tool = open(data.kind, data.isEdit)
            compare(tool.title, data.title)
            compare(picker(tool, "eventIdLabel").visible, data.idShown)
            compare(tool.flags, Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint)
            compare(tool.modality, Qt.ApplicationModal)
            compare(tool.width, 250)
            verify(tool.height > 50)
            const width = tool.width
            wait(50)
            compare(tool.width, width)
        }

        function test_requests_data() {
            return [
                { tag: "OK on a new cut", kind: "cut", isEdit: false, how: "ok", create: 1, change: 0 },
                { tag: "OK on a skip", kind: "skip", isEdit: true, how: "ok", create: 0, change: 1 },
                { tag: "Return in a closed input", kind: "cut", isEdit: false, how: "return in input", create: 1, change: 0 },
                { tag: "Enter in a closed input", kind: "skip", isEdit: true, how: "enter in input", create: 0, change: 1 },
                { tag: "Return in the column", kind: "skip", isEdit: false, how: "return in column", create: 1, change: 0 },
                { tag: "OK twice", kind: "cut", isEdit: true, how: "ok twice", create: 0, change: 1 },
                { tag: "Escape", kind: "cut", isEdit: false, how: "escape", create: 0, change: 0 },
                { tag: "Cancel", kind: "skip", isEdit: true, how: "cancel", create: 0, change: 0 },
                { tag: "close button", kind: "cut", isEdit: true, how: "close", create: 0, change: 0 }
            ]
        }

        function test_requests(data) {
            const tool = open(data.kind, data.isEdit)
            const buttons = picker(tool, "editButtons")
            switch (data.how) {
            case "ok":
                mouseClick(buttons.okButton)
                break
            case "ok twice":
                tool.confirm()
                tool.confirm()
                break
            case "return in input":
                giveFocus(picker(tool, "inBeatInput").comboControl)
                keyClick(Qt.Key_Return)
                break
            case "enter in input":
                giveFocus(picker(tool, "outBarInput").comboControl)
                keyClick(Qt.Key_Enter)
                break
            case "return in column":
                giveFocus(picker(tool, "content"))
                keyClick(Qt.Key_Return)
                break
            case "escape":
                giveFocus(picker(tool, "content"))
                keyClick(Qt.Key_Escape)
                break
            case "cancel":
                mouseClick(buttons.cancelButton)
                break
            case "close":
                tool.close()
                break
            }
            compare(tool.counts.create, data.create)
            compare(tool.counts.change, data.change)
            compare(tool.counts.closing, 1)
            compare(tool.visible, false)
            if (data.create + data.change > 0)
                compare(tool.counts.sent, ["1", "1", "2", "3"])
        }
    }
}
