import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The OSC cue and sound-effect tool windows: one request per opening, one closing signal for every
// close, and which keys act where.
Item {
    id: host

    width: 400
    height: 200

    VemoTheme { id: theme }

    Component { id: oscComponent; OscTool { property var counts } }
    Component { id: primaryComponent; PrimarySFXTool { property var counts } }
    Component { id: ambientComponent; AmbientSFXTool { property var counts } }

    ListModel {
        id: bars
        ListElement { bar: "1" }
        ListElement { bar: "2" }
    }

    TestCase {
        name: "CueTools"
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
        function open(kind) {
            const component = { osc: oscComponent, primary: primaryComponent, ambient: ambientComponent }[kind]
            const tool = createTemporaryObject(component, host)
            tool.counts = { requests: 0, closing: 0, sent: [] }
            const signals = {
                osc: ["createRequest", "toolClosing"],
                primary: ["createPrimarySFXRequest", "primarySFXToolClosing"],
                ambient: ["createAmbientSFXRequest", "ambientSFXToolClosing"]
            }[kind]
            tool[signals[0]].connect((...values) => { ++tool.counts.requests; tool.counts.sent = values })
            tool[signals[1]].connect(() => ++tool.counts.closing)
            for (const name of ["inBarInput", "outBarInput"])
                picker(tool, name).model = bars
            picker(tool, "inBeatInput").model = [1, 2, 3, 4]
            picker(tool, "outBeatInput").model = [1, 2, 3, 4]
            picker(tool, "inBarInput").currentIndex = 1
            picker(tool, "inBeatInput").currentIndex = 2
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

        function test_closing_data() {
            const rows = []
            for (const kind of ["osc", "primary", "ambient"]) {
                rows.push({ tag: kind + " OK", kind: kind, how: "ok", requests: 1 })
                rows.push({ tag: kind + " OK twice", kind: kind, how: "ok twice", requests: 1 })
                rows.push({ tag: kind + " Cancel", kind: kind, how: "cancel", requests: 0 })
                rows.push({ tag: kind + " title bar", kind: kind, how: "close", requests: 0 })
                rows.push({ tag: kind + " Return on OK", kind: kind, how: "return on ok", requests: 1 })
                rows.push({ tag: kind + " Escape on Cancel", kind: kind, how: "escape on cancel", requests: 0 })
            }
            rows.push({ tag: "osc Escape in the column", kind: "osc", how: "escape", requests: 0 })
            rows.push({ tag: "osc Return right after opening", kind: "osc", how: "return", requests: 1 })
            rows.push({ tag: "osc Enter on the destination", kind: "osc", how: "enter on network", requests: 1 })
            return rows
        }

        function test_closing(data) {
            const tool = open(data.kind)
            const buttons = picker(tool, "editButtons")
            switch (data.how) {
            case "ok":
                mouseClick(buttons.okButton)
                break
            case "ok twice":
                tool.confirm()
                tool.confirm()
                break
            case "cancel":
                mouseClick(buttons.cancelButton)
                break
            case "close":
                tool.close()
                break
            case "return on ok":
                giveFocus(buttons.okButton)
                keyClick(Qt.Key_Return)
                break
            case "escape on cancel":
                giveFocus(buttons.cancelButton)
                keyClick(Qt.Key_Escape)
                break
            case "escape":
                giveFocus(picker(tool, "content"))
                keyClick(Qt.Key_Escape)
                break
            case "return":
                tryVerify(() => picker(tool, "commandInput").field.activeFocus)
                keyClick(Qt.Key_Return)
                break
            case "enter on network":
                giveFocus(picker(tool, "networkInput").comboControl)
                keyClick(Qt.Key_Enter)
                break
            }
            compare(tool.counts.requests, data.requests)
            compare(tool.counts.closing, 1)
            compare(tool.visible, false)
            if (data.requests > 0) {
                compare(tool.counts.sent[0], "2")
                compare(tool.counts.sent[1], 3)
            }
        }

        function test_sound_effect_keys_need_the_buttons_data() {
            const rows = []
            for (const kind of ["primary", "ambient"]) {
                rows.push({ tag: kind + " Return in the name", kind: kind, key: Qt.Key_Return, where: "nameInput" })
                rows.push({ tag: kind + " Escape in the name", kind: kind, key: Qt.Key_Escape, where: "nameInput" })
                rows.push({ tag: kind + " Return in the column", kind: kind, key: Qt.Key_Return, where: "content" })
                rows.push({ tag: kind + " Escape in the column", kind: kind, key: Qt.Key_Escape, where: "content" })
            }
            return rows
        }

        function test_sound_effect_keys_need_the_buttons(data) {
            const tool = open(data.kind)
            const target = picker(tool, data.where)
            giveFocus(data.where === "nameInput" ? target.field : target)
            keyClick(data.key)
            compare(tool.counts.requests, 0)
            compare(tool.counts.closing, 0)
            compare(tool.visible, true)
        }

        function test_the_message_field_has_the_focus() {
            const tool = open("osc")
            tryVerify(() => picker(tool, "commandInput").field.activeFocus)
            keyClick(Qt.Key_G)
            compare(tool.strValue, "g")
        }

        function test_sliders_send_whole_numbers() {
            const tool = open("primary")
            tool.volume = 73.6
            tool.confirm()
            compare(tool.counts.sent[7], 73)
            compare(tool.counts.sent[8], 50)
            compare(tool.counts.sent[9], 50)
        }
    }
}
