import QtQuick
import QtQuick.Window
import QtTest
import com.quorvane.vemo_ui

Item {
    id: host

    width: 200
    height: 100

    ListModel {
        id: outputPaths
        ListElement { path_name: "Main PA"; path_id: 3 }
        ListElement { path_name: "Lobby"; path_id: 8 }
    }

    ListModel {
        id: namedPaths
        ListElement { path_name: "Main PA"; path_id: "3f2b6c1e-8a4d-4a51-9d7e-0c4f5e6a7b81" }
        ListElement { path_name: "Monitors"; path_id: "0003a1c2-6b3c-4e7a-8f15-2d3c4b5a6e70" }
        ListElement { path_name: "Lobby"; path_id: "a9d1e0f2-6b3c-4e7a-8f15-2d3c4b5a6e70" }
    }

    ListModel {
        id: effects
        ListElement { displayname: "Thunder"; sfxid: "sfx-1" }
        ListElement { displayname: "Rain"; sfxid: "sfx-2" }
    }

    Component {
        id: toolComponent
        SfxPropertyTool {
            outputPathsModel: outputPaths
            effectModel: effects
        }
    }

    TestCase {
        name: "SfxPropertyTool"
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

        property var events: []
        property var update: null

        function open() {
            const tool = createTemporaryObject(toolComponent, host)
            events = []
            update = null
            tool.updateCustomAudioEntry.connect((fileUrl, commandIndex, volume, pan, fadeIn, fadeOut, loop) => {
                events.push("update")
                update = { fileUrl: fileUrl, commandIndex: commandIndex, volume: volume, pan: pan,
                           fadeIn: fadeIn, fadeOut: fadeOut, loop: loop }
            })
            tool.toolClosing.connect(() => events.push("closing"))
            keepShown(tool).show()
            return tool
        }

        function pressOk(tool) {
            mouseClick(findChild(tool, "buttonRow").okButton)
        }

        function test_settings() {
            const tool = open()
            compare(tool.title, "Custom Audio Parameters")
            compare(tool.modality, Qt.ApplicationModal)
            compare(tool.flags, Qt.CustomizeWindowHint | Qt.Dialog | Qt.WindowTitleHint | Qt.WindowCloseButtonHint)
            compare(tool.commandIndex, 0)
            compare(findChild(tool, "commandChoice").displayText, "Play")
        }

        // The OK and Cancel row is centred under the grid, and both of its buttons lie inside the window.
        function test_buttons_inside_the_window() {
            const tool = open()
            const row = findChild(tool, "buttonRow")
            const edges = [row.cancelButton, row.okButton].map(button => {
                const corner = button.mapToItem(tool.contentItem, 0, 0)
                return { left: corner.x, right: corner.x + button.width, top: corner.y, bottom: corner.y + button.height }
            })
            for (const edge of edges) {
                verify(edge.left >= 0 && edge.right <= tool.width, JSON.stringify(edge))
                verify(edge.top >= 0 && edge.bottom <= tool.height, JSON.stringify(edge))
            }
            fuzzyCompare(edges[0].left, tool.width - edges[1].right, 1)
        }

        function test_fades_data() {
            return [
                { tag: "empty", fadeIn: "", fadeOut: "", inMs: 0, outMs: 0 },
                { tag: "decimal", fadeIn: "1.5", fadeOut: "0", inMs: 1500, outMs: 0 },
                { tag: "number then word", fadeIn: "2 sec", fadeOut: " 3", inMs: 2000, outMs: 3000 },
                { tag: "comma", fadeIn: "1,5", fadeOut: "abc", inMs: 1000, outMs: 0 },
                { tag: "fraction dropped", fadeIn: "0.0005", fadeOut: "2.0009", inMs: 0, outMs: 2000 },
                { tag: "negative passes through", fadeIn: "-1", fadeOut: "1e3", inMs: -1000, outMs: 1000000 }
            ]
        }

        function test_fades(data) {
            const tool = open()
            tool.fadeIn = data.fadeIn
            tool.fadeOut = data.fadeOut
            pressOk(tool)
            compare([update.fadeIn, update.fadeOut], [data.inMs, data.outMs])
        }

        function test_gains_data() {
            return [
                { tag: "default", position: -1, gain: 0.5012 },
                { tag: "lowest", position: 0.04076220398, gain: 0.0001 },
                { tag: "highest", position: 1.0, gain: 1.0 }
            ]
        }

        function test_gains(data) {
            const tool = open()
            if (data.position > 0)
                tool.volume = data.position
            pressOk(tool)
            fuzzyCompare(update.volume, data.gain, data.gain * 0.001)
        }

        function test_ok_updates_then_closes() {
            const tool = open()
            tool.commandIndex = 1
            tool.loop = true
            pressOk(tool)
            compare(events, ["update", "closing"])
            compare(update.commandIndex, 1)
            compare(update.pan, 50)
            verify(update.loop)
            compare(tool.visible, false)
        }

        function test_cancel_and_close_only_announce_closing_data() {
            return [{ tag: "Cancel" }, { tag: "title bar" }]
        }

        function test_cancel_and_close_only_announce_closing(data) {
            const tool = open()
            if (data.tag === "Cancel")
                mouseClick(findChild(tool, "buttonRow").cancelButton)
            else
                tool.close()
            compare(events, ["closing"])
            compare(tool.visible, false)
        }

        function test_source_mode() {
            const tool = open()
            verify(findChild(tool, "fileChooser").visible)
            verify(!findChild(tool, "effectChoice").visible)
            verify(!findChild(tool, "eventIdLabel").visible)
            tool.usesCustomAudioFile = false
            verify(!findChild(tool, "fileChooser").visible)
            verify(findChild(tool, "effectChoice").visible)
            verify(findChild(tool, "eventIdLabel").visible)
        }

        function test_name_follows_the_effect_until_typed() {
            const tool = open()
            tool.effectIdIndex = 1
            compare(tool.name, "Rain")
            tool.isNameDirty = true
            tool.effectIdIndex = 0
            compare(tool.name, "Rain")
            tool.close()
            verify(!tool.isNameDirty)
        }

        function test_output_path_from_name() {
            const tool = open()
            tool.setOutputPathIndexFromName(8)
            compare(tool.outputPathIndex, 1)
            compare(tool.outputPath, 8)
            tool.setOutputPathIndexFromName(5)
            compare(tool.outputPathIndex, -1)
        }

        function test_output_path_from_text_id_data() {
            return [
                { tag: "first", id: "3f2b6c1e-8a4d-4a51-9d7e-0c4f5e6a7b81", index: 0 },
                { tag: "starting with digits", id: "0003a1c2-6b3c-4e7a-8f15-2d3c4b5a6e70", index: 1 },
                { tag: "last", id: "a9d1e0f2-6b3c-4e7a-8f15-2d3c4b5a6e70", index: 2 },
                { tag: "other case", id: "A9D1E0F2-6B3C-4E7A-8F15-2D3C4B5A6E70", index: -1 },
                { tag: "unknown", id: "00000000-0000-4000-8000-000000000000", index: -1 },
                { tag: "digits of an id", id: "3", index: -1 }
            ]
        }

        function test_output_path_from_text_id(data) {
            const tool = open()
            tool.outputPathsModel = namedPaths
            tool.setOutputPathIndexFromName(data.id)
            compare(tool.outputPathIndex, data.index)
            if (data.index >= 0)
                compare(tool.outputPath, data.id)
        }

        function test_volume_tool_tip() {
            const tool = open()
            compare(findChild(tool, "volumeToolTip").text, "Value: -6.0 dB")
            compare(findChild(tool, "volumeSlider").customDisplayFunction(1.0), "0.000")
        }
    }
}
