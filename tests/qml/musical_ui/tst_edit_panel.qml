import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The edit panel: loads quietly under a host's theme, relays its parts' signals, and switches the
// editor bar and the mixer tab.
Item {
    id: host

    width: 1500
    height: 400

    VemoTheme { id: theme }

    Component {
        id: panelComponent
        EditPanel { width: 1500; height: 400; sfxPermissions: true }
    }

    SignalSpy { id: spy }

    ListModel {
        id: markerRows
        ListElement { name: "A"; location: "1" }
        ListElement { name: "B"; location: "2" }
        ListElement { name: "C"; location: "3" }
    }

    TestCase {
        name: "EditPanel"
        when: windowShown

        function init() {
            failOnWarning(/.*/)
        }

        function makePanel(properties) {
            return createTemporaryObject(panelComponent, host, properties || {})
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

        function test_quiet_load_data() {
            return [
                { tag: "defaults", props: "" },
                { tag: "mixer and sound effects", props: "showMixer: true; sfxEnable: true; oscEnable: false" }
            ]
        }

        function test_quiet_load(data) {
            compare(qmlProbe.warningsOf("import QtQuick; import com.quorvane.vemo_ui; import com.quorvane.musical_ui\n"
                                        + "Item { VemoTheme { id: theme }\n EditPanel { width: 1500; height: 400; "
                                        + "sfxPermissions: true; " + data.props + " } }"), [])
        }

        function test_version_label() {
            const panel = makePanel()
            compare(findChild(panel, "changelogVersionLabel").text, "Log v0.0")
            panel.logVersionText = "Log v1.2"
            compare(findChild(panel, "changelogVersionLabel").text, "Log v1.2")
        }

        function test_tool_relays_data() {
            return [
                { tag: "caesura", from: "caesuraButton", to: "caesuraButtonPressed" },
                { tag: "cut", from: "cutButton", to: "cutButtonPressed" },
                { tag: "marker", from: "markerButton", to: "markerButtonPressed" },
                { tag: "skip", from: "skipButton", to: "skipButtonPressed" },
                { tag: "vamp", from: "vampButton", to: "vampButtonPressed" },
                { tag: "osc", from: "oscButton", to: "oscButtonPressed" },
                { tag: "transpose", from: "transposeButton", to: "transposeButtonPressed" },
                { tag: "tempo", from: "tempoScaleButton", to: "tempoButtonPressed" },
                { tag: "repeat", from: "repeatButton", to: "repeatButtonPressed" },
                { tag: "click", from: "clickButton", to: "clickButtonPressed" },
                { tag: "sfx", from: "primarySFXButton", to: "primarySFXButtonPressed" },
                { tag: "ambient", from: "ambientSFXButton", to: "ambientSFXButtonPressed" }
            ]
        }

        function test_tool_relays(data) {
            const panel = makePanel()
            spy.clear()
            spy.target = panel
            spy.signalName = data.to
            panel.editBarControl[data.from]()
            compare(spy.count, 1)
        }

        function test_list_relays() {
            const panel = makePanel()
            const markers = panel.markerListControl
            markers.model = markerRows
            spy.clear()
            spy.target = panel
            spy.signalName = "markerSelected"
            markers.currentIndex = 2
            markers.itemClicked()
            compare(spy.count, 1)
            compare(spy.signalArguments[0][0], 2)

            spy.clear()
            spy.signalName = "editSelectedMarkerItem"
            markers.editSelectedItem()
            compare(spy.count, 1)

            spy.clear()
            spy.signalName = "songIndexChanged"
            panel.songListControl.currentIndex = 1
            compare(spy.count, 1)
        }

        function test_admin_permission() {
            const panel = makePanel()
            panel.setAdminPermission(false)
            compare(panel.editBarControl.enabled, false)
            compare(panel.songListControl.enabled, true)
            compare(panel.markerListControl.enabled, true)
            compare(panel.eventListControl.enabled, true)
            panel.setAdminPermission(true)
            compare(panel.editBarControl.enabled, true)
        }

        function test_mixer_tab_data() {
            return [
                { tag: "hidden", showMixer: false, index: 0, tabVisible: false },
                { tag: "shown", showMixer: true, index: 1, tabVisible: true }
            ]
        }

        function test_mixer_tab(data) {
            const panel = makePanel({ showMixer: data.showMixer })
            compare(findChild(panel, "middleStack").currentIndex, data.index)
            compare(findChild(panel, "mixerTab").visible, data.tabVisible)
            compare(panel.mixerControl !== null, data.tabVisible)
        }

        function test_osc_reaches_the_event_list() {
            const panel = makePanel({ oscEnable: false })
            compare(panel.eventListControl.enableOsc, false)
            compare(panel.editBarControl.enableOsc, false)
        }
    }
}
