import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The click tool's window: the note-head picker, its refill requests, and what OK sends.
Item {
    id: host

    width: 400
    height: 200

    VemoTheme { id: theme }

    Component { id: clickComponent; ClickTool { property var counts } }
    Component { id: pictureComponent; Image {} }

    ListModel {
        id: bars
        ListElement { bar: "1" }
        ListElement { bar: "2" }
    }

    TestCase {
        name: "ClickTool"
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

        function child(tool, name) {
            return findChild(tool.contentItem, name)
        }

        // A window as its tool opens it: inputs and offer filled, shown and active; its signals counted.
        function open(isEdit, offer) {
            const tool = createTemporaryObject(clickComponent, host, { isEdit: isEdit })
            tool.counts = { requests: 0, sent: [], refills: 0, closing: 0 }
            const record = (a, b, c, d, count) => { ++tool.counts.requests; tool.counts.sent = [a, b, c, d, count] }
            tool.createClickRequest.connect(record)
            tool.changeClickRequest.connect(record)
            tool.updateAvailableClicks.connect(() => ++tool.counts.refills)
            tool.clickToolClosing.connect(() => ++tool.counts.closing)
            for (const name of ["inBarInput", "outBarInput"])
                child(tool, name).model = bars
            child(tool, "inBeatInput").model = [1, 2, 3, 4]
            child(tool, "outBeatInput").model = [1, 2, 3, 4]
            child(tool, "outBarInput").currentIndex = 1
            child(tool, "outBeatInput").currentIndex = 2
            tool.clickCountModel = offer
            tool.clickCountIndex = 0
            shownWindows.push(tool)
            tool.show()
            tool.requestActivate()
            tryCompare(tool, "active", true)
            // The window's focus item takes the focus a moment after the window becomes active.
            tryVerify(() => tool.activeFocusItem !== null)
            return tool
        }

        function test_titles() {
            const tool = open(false, [4])
            compare(tool.title, "Change Click Resolution")
            compare(child(tool, "eventIdLabel").visible, false)
            tool.isEdit = true
            compare(tool.title, "Edit Click Resolution")
        }

        function test_the_picker_shows_note_heads() {
            const tool = open(false, [8, 4, 12])
            const picker = child(tool, "clickCountInput")
            const current = child(tool, "currentPicture")
            compare(picker.mainLabel.visible, false)
            compare(current.visible, true)
            compare(current.picture.source, "qrc:/images/notehead-8.svg")
            compare(current.width, 20)
            compare(tool.intValue, 8)
            tool.clickCountIndex = 2
            compare(current.picture.source, "qrc:/images/notehead-12.svg")
            compare(tool.intValue, 12)
            picker.choices.open()
            tryCompare(picker.choices, "opened", true)
            const list = findChild(picker.choices.contentItem, "list")
            const sources = []
            compare(list.count, 3)
            for (let row = 0; row < list.count; ++row) {
                tryVerify(() => list.itemAtIndex(row) !== null)
                const delegate = list.itemAtIndex(row)
                compare(delegate.height, 40)
                sources.push(String(findChild(delegate, "rowPicture").picture.source))
            }
            compare(sources, ["qrc:/images/notehead-8.svg", "qrc:/images/notehead-4.svg", "qrc:/images/notehead-12.svg"])
            picker.choices.close()
        }

        function test_an_empty_offer_sends_zero() {
            const tool = open(false, [])
            compare(child(tool, "currentPicture").visible, false)
            compare(tool.intValue, 0)
            tool.confirm()
            compare(tool.counts.sent, ["1", 1, "2", 3, 0])
        }

        function test_every_range_input_asks_for_a_refill_data() {
            return [
                { tag: "in bar", input: "inBarInput", index: 1 },
                { tag: "in beat", input: "inBeatInput", index: 3 },
                { tag: "out bar", input: "outBarInput", index: 0 },
                { tag: "out beat", input: "outBeatInput", index: 0 }
            ]
        }

        function test_every_range_input_asks_for_a_refill(data) {
            const tool = open(false, [4])
            tool.counts.refills = 0
            child(tool, data.input).currentIndex = data.index
            compare(tool.counts.refills, 1)
        }

        function test_requests_data() {
            return [
                { tag: "Return right after opening", isEdit: false, how: "return", requests: 1 },
                { tag: "OK on an opened region", isEdit: true, how: "ok", requests: 1 },
                { tag: "Escape", isEdit: false, how: "escape", requests: 0 },
                { tag: "close button", isEdit: true, how: "close", requests: 0 }
            ]
        }

        function test_requests(data) {
            const tool = open(data.isEdit, [4, 8])
            if (data.how === "return")
                keyClick(Qt.Key_Return)
            else if (data.how === "escape")
                keyClick(Qt.Key_Escape)
            else if (data.how === "ok")
                mouseClick(child(tool, "editButtons").okButton)
            else
                tool.close()
            compare(tool.counts.requests, data.requests)
            compare(tool.counts.closing, 1)
            compare(tool.visible, false)
            if (data.requests > 0)
                compare(tool.counts.sent, ["1", 1, "2", 3, 4])
        }

        function test_every_note_head_loads_data() {
            return [1, 2, 3, 4, 6, 7, 8, 12, 14, 16, 24, 28, 30, 31, 32].map(n => ({ tag: String(n), value: n }))
        }

        function test_every_note_head_loads(data) {
            const picture = createTemporaryObject(pictureComponent, host,
                                                  { source: "qrc:/images/notehead-" + data.value + ".svg" })
            tryCompare(picture, "status", Image.Ready)
            verify(picture.implicitWidth > 0)
        }
    }
}
