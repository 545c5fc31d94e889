import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The editor bar: its buttons, in order, with their captions, icons, tooltips and signals, and
// the states the main window and the bar's controller put them in.
Item {
    id: host

    width: 1600
    height: 200

    VemoTheme { id: theme }

    Component {
        id: barComponent
        TimeLineEditorBar { width: 1500 }
    }

    SignalSpy { id: spy }

    TestCase {
        name: "TimelineEditorBar"
        when: windowShown

        readonly property var toolButtons: [
            { name: "caesuraButton", text: "Caesura", image: "qrc:/images/edit_caesura.svg",
              tip: "Add a pause in timeline", signal: "caesuraButton" },
            { name: "clickButton", text: "Click", image: "qrc:/images/edit_click.svg",
              tip: "Change the click resolution of the metronome", signal: "clickButton" },
            { name: "cutButton", text: "Cut", image: "qrc:/images/cut.svg", tip: "Remove section", signal: "cutButton" },
            { name: "markerButton", text: "Marker", image: "qrc:/images/edit_marker.svg",
              tip: "Add reference note", signal: "markerButton" },
            { name: "repeatButton", text: "Repeat", image: "qrc:/images/edit_repeat.svg",
              tip: "Repeat section", signal: "repeatButton" },
            { name: "skipButton", text: "Skip", image: "qrc:/images/edit_skip.svg",
              tip: "Jump to end of section", signal: "skipButton" },
            { name: "tempoButton", text: "Tempo", image: "qrc:/images/edit_tempo.svg",
              tip: "Scale the tempo by percentage", signal: "tempoScaleButton" },
            { name: "transposeButton", text: "Transpose", image: "qrc:/images/edit_transpose.png",
              tip: "Change the key by half steps", signal: "transposeButton" },
            { name: "vampButton", text: "Vamp", image: "qrc:/images/edit_vamp.svg",
              tip: "Repeat section indefinitely", signal: "vampButton" },
            { name: "oscButton", text: "OSC", image: "qrc:/images/lan.svg",
              tip: "Create an OSC command", signal: "oscButton" },
            { name: "sfxButton", text: "SFX", image: "qrc:/images/sfx.svg", tip: "", signal: "primarySFXButton" },
            { name: "ambientButton", text: "Ambient", image: "qrc:/images/ambient_audio_event.svg",
              tip: "", signal: "ambientSFXButton" }
        ]

        readonly property var changeLogButtons: [
            { name: "editButton", control: "editButtonControl", text: "Edit", image: "qrc:/images/edit_edit.svg",
              tip: "Edit the selected event", signal: "editButton" },
            { name: "deleteButton", control: "deleteButtonControl", text: "Delete",
              image: "qrc:/images/edit_delete.svg", tip: "Delete the selected event", signal: "deleteButton" },
            { name: "undoButton", control: "undoButtonControl", text: "Undo", image: "",
              tip: "Undo the last change", signal: "undoButton" },
            { name: "redoButton", control: "redoButtonControl", text: "Redo", image: "",
              tip: "Redo the last change", signal: "redoButton" },
            { name: "saveButton", control: "saveControl", text: "Save", image: "qrc:/images/save.svg",
              tip: "Save changes to local device (not shared)", signal: "saveButton" },
            { name: "shareButton", control: "shareControl", text: "Share", image: "qrc:/images/share.svg",
              tip: "Save and send changes to cast", signal: "shareButton" }
        ]

        function makeBar(properties) {
            return createTemporaryObject(barComponent, host, properties || {})
        }

        function checkButton(bar, data) {
            const button = findChild(bar, data.name)
            verify(button, data.name)
            compare(button.text, data.text)
            compare(String(button.imageSource), data.image)
            compare(button.toolTip.text, data.tip)
            if (data.image !== "")
                tryCompare(findChild(button, "icon"), "status", Image.Ready)
            spy.clear()
            spy.target = bar
            spy.signalName = data.signal
            mouseClick(button)
            compare(spy.count, 1, data.signal)
        }

        function test_quiet_states_data() {
            return [
                { tag: "defaults", body: "TimeLineEditorBar { width: 1200 }" },
                { tag: "sound effects, no OSC", body: "TimeLineEditorBar { width: 1200; sfxEnable: true; enableOsc: false }" }
            ]
        }

        function test_quiet_states(data) {
            failOnWarning(/.*/)
            compare(qmlProbe.warningsOf("import QtQuick; import com.quorvane.musical_ui\n" + data.body), [])
        }

        function test_defaults() {
            const bar = makeBar()
            compare(bar.height, 56)
            compare(bar.objectName, "editBar")
            compare(bar.sfxEnable, false)
            compare(bar.enableOsc, true)
            compare(bar.sfxPermissions, false)
            const caption = findChild(bar, "caption")
            compare(caption.text, "Controls")
            compare(caption.width, 80)
            compare(caption.font.pixelSize, 12)
            verify(caption.font.bold)
            compare(caption.horizontalAlignment, Text.AlignRight)
        }

        function test_tool_buttons() {
            const bar = makeBar({ sfxEnable: true })
            for (const data of toolButtons)
                checkButton(bar, data)
        }

        function test_tool_buttons_in_order() {
            const bar = makeBar({ sfxEnable: true })
            let left = findChild(bar, "caption")
            for (const data of toolButtons) {
                const button = findChild(bar, data.name)
                compare(button.x, left.x + left.width + 9, data.name)
                left = button
            }
            verify(left.x + left.width < findChild(bar, "editButton").mapToItem(bar, 0, 0).x)
        }

        function test_change_log_buttons_start_disabled() {
            const bar = makeBar()
            for (const data of changeLogButtons) {
                const button = findChild(bar, data.name)
                compare(bar[data.control], button, data.control)
                verify(!button.enabled, data.name)
            }
        }

        function test_change_log_buttons() {
            const bar = makeBar()
            for (const data of changeLogButtons) {
                bar[data.control].enabled = true
                checkButton(bar, data)
            }
        }

        function test_change_log_buttons_ordered_at_the_right() {
            const bar = makeBar()
            const place = name => findChild(bar, name).mapToItem(bar, 0, 0)
            compare(place("shareButton").x + 64, bar.width)
            verify(place("editButton").x < place("deleteButton").x)
            verify(place("deleteButton").x < place("undoButton").x)
            compare(place("undoButton").x, place("redoButton").x)
            verify(place("undoButton").y < place("redoButton").y)
            verify(place("redoButton").x < place("saveButton").x)
            verify(place("saveButton").x < place("shareButton").x)
            compare(findChild(bar, "undoButton").width, 42)
            compare(findChild(bar, "redoButton").height, 18)
        }

        function test_sound_effect_buttons_follow_sfx_enable() {
            const bar = makeBar()
            verify(!findChild(bar, "sfxButton").visible)
            verify(!findChild(bar, "ambientButton").visible)
            bar.sfxEnable = true
            verify(findChild(bar, "sfxButton").visible)
            verify(findChild(bar, "ambientButton").visible)
        }

        function test_osc_unavailable() {
            const bar = makeBar({ enableOsc: false })
            const osc = findChild(bar, "oscButton")
            verify(!osc.enabled)
            compare(osc.toolTip.text, "Unavailable in Vask|ora")
            spy.clear()
            spy.target = bar
            spy.signalName = "oscButton"
            mouseClick(osc)
            compare(spy.count, 0)
        }
    }
}
