import QtQuick
import QtTest
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The mixer's small parts: the outline button's looks and clicks, and the hover tool tips of
// section titles and track names.
Item {
    id: host

    width: 800
    height: 400

    VemoTheme { id: theme }

    Component {
        id: buttonComponent
        OutlineButton { x: 20; y: 20 }
    }

    Component {
        id: trackComponent
        MixerTrack { x: 10; y: 10; width: 600 }
    }

    Component {
        id: sectionComponent
        MixerSection { x: 10; y: 10; width: 400 }
    }

    SignalSpy { id: clickSpy; signalName: "clicked" }

    TestCase {
        name: "MixerParts"
        when: windowShown

        function init() {
            failOnWarning(/.?/)
        }

        // The tool tips wait 500 ms before they show.
        function expectToolTip(toolTip, shown) {
            if (!shown)
                wait(700)
            tryCompare(toolTip, "visible", shown)
        }

        function test_button_looks_data() {
            return [
                { tag: "unchecked", checked: false, enabled: true, frame: "#333333", fill: theme.default_bg_color,
                  font: "gray" },
                { tag: "checked", checked: true, enabled: true, frame: "#26a5de", fill: Qt.darker("#26a5de", 4),
                  font: "#26a5de" },
                { tag: "disabled", checked: true, enabled: false, frame: "#333333", fill: "#333333", font: "dimgray" }
            ]
        }

        function test_button_looks(data) {
            const button = createTemporaryObject(buttonComponent, host,
                                                 { checked: data.checked, enabled: data.enabled })
            verify(Qt.colorEqual(button.border.color, data.frame), "frame " + button.border.color)
            verify(Qt.colorEqual(button.color, data.fill), "fill " + button.color)
            const label = findChild(button, "label")
            verify(Qt.colorEqual(label.color, data.font), "text " + label.color)
            compare(button.width, button.height)
        }

        function test_click_leaves_checked_to_the_owner_data() {
            return [{ tag: "enabled", enabled: true, clicks: 1 }, { tag: "disabled", enabled: false, clicks: 0 }]
        }

        function test_click_leaves_checked_to_the_owner(data) {
            const button = createTemporaryObject(buttonComponent, host, { enabled: data.enabled })
            clickSpy.target = button
            clickSpy.clear()
            mouseClick(button)
            compare(clickSpy.count, data.clicks)
            compare(button.checked, false)
        }

        function test_name_tool_tip_only_when_cut_data() {
            return [
                { tag: "fits", name: "Bass", shown: false },
                { tag: "cut", name: "A very long track name that cannot fit into its column at all", shown: true },
                { tag: "empty", name: "", shown: false }
            ]
        }

        function test_name_tool_tip_only_when_cut(data) {
            const track = createTemporaryObject(trackComponent, host, { name: data.name })
            const name = findChild(track, "nameText")
            mouseMove(name, 5, name.height / 2)
            expectToolTip(findChild(track, "nameToolTip"), data.shown)
            mouseMove(host, 790, 390)
        }

        function test_title_tool_tip_data() {
            return [{ tag: "with a text", text: "Pit band", shown: true }, { tag: "without", text: "", shown: false }]
        }

        function test_title_tool_tip(data) {
            const section = createTemporaryObject(sectionComponent, host, { title: "Band", toolTipText: data.text })
            const title = findChild(section, "titleText")
            mouseMove(title, 5, title.height / 2)
            expectToolTip(findChild(section, "titleToolTip"), data.shown)
            mouseMove(host, 790, 390)
        }
    }
}
