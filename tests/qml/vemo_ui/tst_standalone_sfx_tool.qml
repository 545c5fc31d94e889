import QtQuick
import QtQuick.Window
import QtTest
import com.quorvane.vemo_ui

Item {
    id: host

    width: 200
    height: 100

    ListModel {
        id: effects
        ListElement { displayname: "Thunder"; sfxid: "thunder" }
        ListElement { displayname: "Rain"; sfxid: "rain" }
    }

    Component {
        id: toolComponent
        StandaloneSfxTool {
            effectModel: effects
        }
    }

    TestCase {
        name: "StandaloneSfxTool"
        when: windowShown

        property var shownWindows: []
        property var events: []
        property var request: null

        function cleanup() {
            for (const window of shownWindows)
                window.visible = false
            shownWindows = []
            host.Window.window.requestActivate()
            tryCompare(host.Window.window, "active", true)
        }

        function open(isEdit) {
            const tool = createTemporaryObject(toolComponent, host, { isEdit: !!isEdit })
            events = []
            request = null
            const record = kind => (name, outputPath, outputPathIndex, effectId, effectIdIndex, volume, pan, reverb,
                                    fadeIn, fadeOut, repeats) => {
                events.push(kind)
                request = { name: name, outputPath: outputPath, outputPathIndex: outputPathIndex, effectId: effectId,
                            effectIdIndex: effectIdIndex, volume: volume, pan: pan, reverb: reverb, fadeIn: fadeIn,
                            fadeOut: fadeOut, repeats: repeats }
            }
            tool.createRequest.connect(record("create"))
            tool.changeRequest.connect(record("change"))
            tool.toolClosing.connect(() => events.push("closing"))
            shownWindows.push(tool)
            tool.show()
            return tool
        }

        function pressOk(tool) {
            mouseClick(findChild(tool, "buttonRow").okButton)
        }

        function test_titles() {
            compare(open(false).title, "Create Instance")
            compare(open(true).title, "Edit Instance")
        }

        function test_ok_arguments_data() {
            return [
                { tag: "defaults", set: {}, expect: { fadeIn: 0, fadeOut: 0, repeats: 0, pan: 50, reverb: 50,
                                                      outputPath: "", outputPathIndex: -1, effectId: "thunder",
                                                      effectIdIndex: 0, name: "Thunder" }, gain: 0.501 },
                { tag: "not a number", set: { fadeIn: "abc", fadeOut: "2" }, expect: { fadeIn: 0, fadeOut: 2000 } },
                { tag: "truncated", set: { fadeIn: "1.001", fadeOut: "-0.5" }, expect: { fadeIn: 1000, fadeOut: -500 } },
                { tag: "infinite", set: { fadeIn: "Infinity", fadeOut: "1e400" }, expect: { fadeIn: 0, fadeOut: 0 } },
                { tag: "huge", set: { fadeIn: "1e12" }, expect: { fadeIn: 2147483647 } },
                { tag: "loop", set: { loop: true }, expect: { repeats: -1 } },
                { tag: "lowest volume", set: { volume: 0.04076220398 }, expect: {}, gain: 0.0001 },
                { tag: "second effect", set: { effectIdIndex: 1 }, expect: { effectId: "rain", name: "Rain" } }
            ]
        }

        function test_ok_arguments(data) {
            const tool = open(false)
            for (const key in data.set)
                tool[key] = data.set[key]
            pressOk(tool)
            compare(events, ["create", "closing"])
            for (const key in data.expect)
                compare(request[key], data.expect[key], key)
            if (data.gain !== undefined)
                fuzzyCompare(request.volume, data.gain, data.gain * 0.002)
            compare(tool.visible, false)
        }

        function test_edit_sends_a_change() {
            const tool = open(true)
            pressOk(tool)
            compare(events, ["change", "closing"])
        }

        function test_name_follows_until_typed() {
            const tool = open(false)
            tool.effectIdIndex = 1
            compare(tool.name, "Rain")
            const field = findChild(tool, "nameField")
            field.text = "Mine"
            field.textEdited()
            verify(tool.isNameDirty)
            tool.effectIdIndex = 0
            compare(tool.name, "Mine")
            mouseClick(findChild(tool, "buttonRow").cancelButton)
            verify(tool.isNameDirty)
            tool.show()
            tool.close()
            verify(!tool.isNameDirty)
            tool.effectIdIndex = 1
            compare(tool.name, "Rain")
        }

        function test_no_effects() {
            const tool = createTemporaryObject(Qt.createComponent("qrc:/qt/qml/com/quorvane/vemo_ui/qml/StandaloneSfxTool.qml"), host)
            tool.createRequest.connect((name, outputPath, outputPathIndex, effectId) => request = { effectId: effectId })
            shownWindows.push(tool)
            tool.show()
            pressOk(tool)
            compare(request.effectId, "")
        }
    }
}
