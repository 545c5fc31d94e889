import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The transport panel: which buttons start enabled, the signal each click raises, the fade button's
// click and its menu of fade times, and how the state properties reach the buttons' looks.
Item {
    id: host

    width: 800
    height: 400

    Component {
        id: controlComponent
        PlayControl { x: 20; y: 20 }
    }

    SignalSpy { id: spy }

    TestCase {
        name: "PlayControl"
        when: windowShown

        function init() {
            failOnWarning(/.?/)
        }

        function makeControl(properties) {
            return createTemporaryObject(controlComponent, host, properties || {})
        }

        function button(control, name) {
            const found = findChild(control, name)
            verify(found !== null, name)
            return found
        }

        function watch(target, signalName) {
            spy.target = null
            spy.signalName = signalName
            spy.target = target
            spy.clear()
        }

        function test_buttons_at_start_data() {
            return [
                { tag: "previous", name: "btnPrev", enabled: true },
                { tag: "next", name: "btnNext", enabled: true },
                { tag: "stop", name: "btnStop", enabled: true },
                { tag: "play", name: "btnPlay", enabled: true },
                { tag: "pause", name: "btnPause", enabled: false },
                { tag: "exit vamp", name: "btnExitVamp", enabled: true },
                { tag: "fade", name: "btnFade", enabled: false }
            ]
        }

        function test_buttons_at_start(data) {
            const control = makeControl()
            const target = button(control, data.name)
            compare(target.enabled, data.enabled)
            compare(target.toggled, false)
            compare(target.radiant, false)
            compare(control.pauseEnabled || control.pauseToggled || control.stopToggled || control.fadeEnabled
                    || control.fadeToggled || control.highlightContinueButton, false)
        }

        function test_click_raises_its_signal_data() {
            return [
                { tag: "previous", name: "btnPrev", signal: "prevSong", args: [] },
                { tag: "next", name: "btnNext", signal: "nextSong", args: [] },
                { tag: "stop", name: "btnStop", signal: "stop", args: [] },
                { tag: "play", name: "btnPlay", signal: "play", args: [] },
                { tag: "pause", name: "btnPause", signal: "pause", args: [] },
                { tag: "exit vamp", name: "btnExitVamp", signal: "continueFlow", args: [] },
                { tag: "fade", name: "btnFade", signal: "fade", args: [3000] }
            ]
        }

        function test_click_raises_its_signal(data) {
            const control = makeControl({ pauseEnabled: true, fadeEnabled: true })
            const spies = {}
            for (const name of ["prevSong", "nextSong", "stop", "play", "pause", "continueFlow", "fade"])
                spies[name] = createTemporaryQmlObject("import QtTest; SignalSpy { signalName: \"" + name + "\" }",
                                                       host)
            for (const name in spies)
                spies[name].target = control
            mouseClick(button(control, data.name))
            for (const name in spies)
                compare(spies[name].count, name === data.signal ? 1 : 0, name)
            const args = spies[data.signal].signalArguments[0]
            compare(args.length, data.args.length)
            if (data.args.length > 0)
                compare(args[0], data.args[0])
            compare(findChild(control, "fadeContextMenu").opened, false)
        }

        // The looks change only when the window reports the player's new state.
        function test_pressing_changes_no_look_data() {
            return [
                { tag: "pause", name: "btnPause" },
                { tag: "stop", name: "btnStop" },
                { tag: "play", name: "btnPlay" },
                { tag: "fade", name: "btnFade" }
            ]
        }

        function test_pressing_changes_no_look(data) {
            const playing = { stopToggled: true, pauseEnabled: true, pauseToggled: false, fadeEnabled: true }
            const control = makeControl(playing)
            mouseClick(button(control, data.name))
            for (const property in playing)
                compare(control[property], playing[property], property)
        }

        function test_fade_menu_data() {
            return [
                { tag: "1 second", index: 0, text: "1 second", fadeTimeMs: 1000 },
                { tag: "3 seconds", index: 1, text: "3 seconds", fadeTimeMs: 3000 },
                { tag: "5 seconds", index: 2, text: "5 seconds", fadeTimeMs: 5000 },
                { tag: "7 seconds", index: 3, text: "7 seconds", fadeTimeMs: 7000 }
            ]
        }

        function test_fade_menu(data) {
            const control = makeControl({ fadeEnabled: true })
            const fade = button(control, "btnFade")
            const menu = findChild(control, "fadeContextMenu")
            watch(control, "fade")
            mousePress(fade)
            tryCompare(menu, "opened", true)
            mouseRelease(fade)
            compare(spy.count, 0)
            compare(menu.count, 4)
            const item = menu.itemAt(data.index)
            compare(item.text, data.text)
            mouseClick(item)
            compare(spy.count, 1)
            compare(spy.signalArguments[0][0], data.fadeTimeMs)
            tryCompare(menu, "visible", false)
        }

        function test_state_property_reaches_its_button_data() {
            return [
                { tag: "pause enabled", property: "pauseEnabled", name: "btnPause", look: "enabled" },
                { tag: "pause toggled", property: "pauseToggled", name: "btnPause", look: "toggled" },
                { tag: "stop toggled", property: "stopToggled", name: "btnStop", look: "toggled" },
                { tag: "fade enabled", property: "fadeEnabled", name: "btnFade", look: "enabled" },
                { tag: "fade toggled", property: "fadeToggled", name: "btnFade", look: "toggled" },
                { tag: "continue highlight", property: "highlightContinueButton", name: "btnExitVamp",
                  look: "toggled" },
                { tag: "continue pulse", property: "highlightContinueButton", name: "btnExitVamp", look: "radiant" }
            ]
        }

        function test_state_property_reaches_its_button(data) {
            const control = makeControl()
            const target = button(control, data.name)
            const before = target[data.look]
            control[data.property] = !control[data.property]
            compare(target[data.look], !before)
            control[data.property] = !control[data.property]
            compare(target[data.look], before)
        }

        // The looks the window sets for each transport notice.
        function test_transport_states_data() {
            return [
                { tag: "playing", stop: true, pauseEnabled: true, pauseToggled: false, fade: true },
                { tag: "fading", stop: true, pauseEnabled: true, pauseToggled: false, fade: false },
                { tag: "paused while playing", stop: true, pauseEnabled: true, pauseToggled: true, fade: false },
                { tag: "stopped", stop: false, pauseEnabled: false, pauseToggled: false, fade: false }
            ]
        }

        function test_transport_states(data) {
            const control = makeControl({ stopToggled: data.stop, pauseEnabled: data.pauseEnabled,
                                          pauseToggled: data.pauseToggled, fadeEnabled: data.fade })
            const pause = button(control, "btnPause")
            compare(button(control, "btnStop").toggled, data.stop)
            compare(pause.enabled, data.pauseEnabled)
            compare(pause.toggled, data.pauseToggled)
            compare(findChild(pause, "toggledTint").visible, data.pauseEnabled && data.pauseToggled)
            compare(button(control, "btnFade").enabled, data.fade)
        }

        function test_hidden_fade_button_takes_no_width() {
            const control = makeControl()
            const fade = button(control, "btnFade")
            const shown = control.implicitWidth
            compare(fade.width, 52)
            control.showFade = false
            compare(fade.visible, false)
            compare(fade.width, 0)
            tryCompare(control, "implicitWidth", shown - 52)
            control.showFade = true
            compare(fade.width, 52)
            tryCompare(control, "implicitWidth", shown)
        }

        function test_tool_tips_data() {
            return [
                { tag: "previous", name: "btnPrev", text: "Select previous song in playlist" },
                { tag: "next", name: "btnNext", text: "Select next song in playlist" },
                { tag: "stop", name: "btnStop", text: "Stop playback and return playhead to beginning of timeline" },
                { tag: "play", name: "btnPlay", text: "Play selected song from playlist / resume playback in timeline" },
                { tag: "pause", name: "btnPause", text: "Pause playback and playhead in timeline" },
                { tag: "exit vamp", name: "btnExitVamp",
                  text: "(1) Resume playback after Caesura (2) Jump to end of Skip (3) Exit a Vamp" },
                { tag: "fade", name: "btnFade",
                  text: "Fade Out Current Song and Move to Next Song (hold for timing options)" }
            ]
        }

        function test_tool_tips(data) {
            const control = makeControl()
            compare(button(control, data.name).toolTip.text, data.text)
        }

        function test_icons_load_data() {
            return [
                { tag: "previous", name: "btnPrev", source: "qrc:/images/previous.svg" },
                { tag: "next", name: "btnNext", source: "qrc:/images/next.svg" },
                { tag: "stop", name: "btnStop", source: "qrc:/images/stop2.svg" },
                { tag: "play", name: "btnPlay", source: "qrc:/images/play.svg" },
                { tag: "pause", name: "btnPause", source: "qrc:/images/pause.svg" },
                { tag: "exit vamp", name: "btnExitVamp", source: "qrc:/images/exit-vamp.svg" },
                { tag: "fade", name: "btnFade", source: "qrc:/images/fade.svg" }
            ]
        }

        function test_icons_load(data) {
            const icon = findChild(button(makeControl(), data.name), "icon")
            compare(String(icon.source), data.source)
            tryCompare(icon, "status", Image.Ready)
        }
    }
}
