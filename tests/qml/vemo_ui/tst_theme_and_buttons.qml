import QtQuick
import QtQuick.Controls
import QtTest
import com.quorvane.vemo_ui
import "helpers.js" as Helpers

Item {
    id: host

    width: 400
    height: 300

    VemoTheme { id: theme }
    VemoTheme { id: otherTheme }

    Component {
        id: flatButton
        FlatButton { hoverEnabled: true }
    }

    Component {
        id: bubbleRow
        Row {
            property alias before: before
            property alias bubble: bubble
            FlatButton { id: before; text: "Before" }
            BubbleButton { id: bubble; hoverEnabled: true }
        }
    }

    Component {
        id: bubbleBar
        BubbleButtonBar {
            BubbleButton {}
            BubbleButton {}
        }
    }

    TextMetrics {
        id: metrics
        font: theme.default_font
    }

    SignalSpy { id: clickSpy; signalName: "clicked" }

    TestCase {
        name: "Theme"
        when: windowShown

        function test_values_data() {
            return [
                { tag: "default_text_color", value: "#a4a4a4" },
                { tag: "dim_text_color", value: "#7e7e7e" },
                { tag: "default_text_header_color", value: "#808080" },
                { tag: "light_text_color", value: "#e8e8e8" },
                { tag: "tab_selected_text_color", value: "#ffffff" },
                { tag: "default_bg_color", value: "#202020" },
                { tag: "default_bg_color_popup", value: "#262626" },
                { tag: "lighter_bg_color_popup", value: "#2e2e2e" },
                { tag: "default_bg_unselected_color", value: "#191919" },
                { tag: "default_bg_hover_color", value: "#2a2a2a" },
                { tag: "light_background_color", value: "#1b1b1b" },
                { tag: "dark_background_color", value: "#1b1b1b" },
                { tag: "light_border_color", value: "#3c3c3c" },
                { tag: "default_selected_color", value: "#363636" },
                { tag: "default_selected_color_intense", value: "#0f4259" },
                { tag: "default_selected_color_intense_opaque", value: "#26a5de" },
                { tag: "bevel_dark_color", value: "#191919" },
                { tag: "bevel_light_color", value: "#3c3c3c" },
                { tag: "checkbox_color", value: "#1e7c46" },
                { tag: "on_indicator_color", value: "#7cfc00" },
                { tag: "off_indicator_color", value: "#696969" }
            ]
        }

        function test_values(data) {
            compare(theme[data.tag].toString(), data.value)
            compare(String(otherTheme[data.tag]), String(theme[data.tag]))
        }

        function test_fonts_and_width() {
            compare(theme.default_font.pixelSize, 14)
            compare(theme.default_font.bold, false)
            compare(theme.small_font.pixelSize, 11)
            compare(theme.heavy_label.pixelSize, 14)
            compare(theme.heavy_label.bold, true)
            compare(theme.default_font.family, Qt.application.font.family)
            compare(theme.bevel_width, 1)
        }
    }

    TestCase {
        name: "FlatButton"
        when: windowShown

        function test_colours_data() {
            return [
                { tag: "plain", isDefault: false, normal: "#525252", hover: Qt.lighter("#525252", 1.25), active: "#353535" },
                { tag: "default", isDefault: true, normal: "#26a5de", hover: "#42c4ff", active: "#186a8e" }
            ]
        }

        function test_colours(data) {
            const button = createTemporaryObject(flatButton, host, { text: "OK", isDefault: data.isDefault })
            compare(Helpers.colorText(button.normalColor), Helpers.colorText(data.normal))
            compare(Helpers.colorText(button.hoverColor), Helpers.colorText(data.hover))
            compare(Helpers.colorText(button.activeColor), Helpers.colorText(data.active))
            compare(Helpers.colorText(button.background.color), Helpers.colorText(button.normalColor))
            compare(Helpers.colorText(button.contentItem.color), Helpers.colorText("white"))

            button.forceActiveFocus()
            compare(Helpers.colorText(button.background.color), Helpers.colorText(button.hoverColor), "focus shows the hover colour")
            verify(button.background.children[0].visible, "focus highlight")

            button.enabled = false
            compare(Helpers.colorText(button.background.color), Helpers.colorText("#424242"))
            compare(button.contentItem.opacity, 0.3)
            compare(Helpers.colorText(button.contentItem.color), Helpers.colorText("white"))
        }

        function test_pressed_and_hovered() {
            const button = createTemporaryObject(flatButton, host, { text: "Apply" })
            mouseMove(button, 5, 5)
            tryCompare(button, "hovered", true)
            compare(Helpers.colorText(button.background.color), Helpers.colorText(button.hoverColor))
            mousePress(button)
            compare(Helpers.colorText(button.background.color), Helpers.colorText(button.activeColor))
            compare(Helpers.colorText(button.contentItem.color), Helpers.colorText("silver"))
            mouseRelease(button)
        }

        function test_width_follows_text_data() {
            return [{ tag: "empty", text: "" }, { tag: "short", text: "OK" }, { tag: "long", text: "Close Without Saving" }]
        }

        function test_width_follows_text(data) {
            const button = createTemporaryObject(flatButton, host, { text: data.text })
            metrics.text = data.text
            fuzzyCompare(button.width, metrics.advanceWidth + 25, 1)
            compare(button.height, 25)
        }

        function test_tool_tip_only_with_text() {
            const button = createTemporaryObject(flatButton, host, { text: "Save" })
            mouseMove(button, 5, 5)
            tryCompare(button, "hovered", true)
            verify(!button.toolTip.visible)
            verify(!button.toolTip.opened)
            button.toolTip.text = "Saves the show"
            compare(button.toolTip.delay, 500)
            tryCompare(button.toolTip, "visible", true)
            mouseMove(host, 390, 290)
            tryCompare(button.toolTip, "visible", false)
        }
    }

    TestCase {
        name: "BubbleButton"
        when: windowShown

        function findNamed(item, name) {
            return findChild(item, name)
        }

        function test_toggled_source() {
            const row = createTemporaryObject(bubbleRow, host)
            const icon = findNamed(row.bubble, "icon")
            const plain = "qrc:/images/arrow_drop_down.svg"
            const other = "qrc:/images/arrow_drop_down.svg?toggled"
            row.bubble.imageSource = plain
            row.bubble.toggled = true
            compare(icon.source.toString(), plain, "toggled without its own source keeps the icon")
            row.bubble.toggledOnImageSource = other
            compare(icon.source.toString(), other)
            row.bubble.toggled = false
            compare(icon.source.toString(), plain)
            tryCompare(icon, "status", Image.Ready)
            tryCompare(findNamed(row.bubble, "chevron"), "status", Image.Ready)
        }

        function test_disabled_look() {
            const row = createTemporaryObject(bubbleRow, host)
            const bubble = row.bubble
            bubble.toggled = true
            bubble.colorToggledOn = true
            bubble.radiant = true
            bubble.showText = true
            bubble.text = "Play"
            verify(findNamed(bubble, "toggledTint").visible)
            verify(findNamed(bubble, "radiantGlow").visible)
            verify(findNamed(bubble, "hueSwing").running, "the hue swings while the highlight shows")
            bubble.enabled = false
            compare(findNamed(bubble, "icon").opacity, 0.5)
            compare(findNamed(bubble, "caption").opacity, 0.3)
            compare(Helpers.colorText(bubble.background.children[0].gradient.stops[0].color), Helpers.colorText("#181818"))
            verify(!findNamed(bubble, "toggledTint").visible)
            verify(!findNamed(bubble, "radiantGlow").visible)
            verify(!findNamed(bubble, "hueSwing").running, "a hidden highlight keeps the window idle")
            bubble.enabled = true
            bubble.radiant = false
            verify(!findNamed(bubble, "hueSwing").running)
            compare(bubble.width, 52)
            compare(bubble.height, 52)
        }

        function test_bar_geometry_data() {
            return [{ tag: "no pad", pad: 0 }, { tag: "pad 6", pad: 6 }]
        }

        function test_bar_geometry(data) {
            const bar = createTemporaryObject(bubbleBar, host, { pad: data.pad })
            const frame = findChild(bar, "frame")
            compare(bar.width, 52 + 1 + 52 + data.pad)
            compare(bar.height, 52 + data.pad)
            compare(frame.x, data.pad / 2)
            compare(frame.width, bar.width - data.pad + 2)
            compare(frame.height, bar.height - data.pad + 2)
            compare(findChild(bar, "shadow").horizontalOffset, 2)
            compare(findChild(bar, "shadow").z, -5)
        }

        function test_tab_focus_and_return() {
            const row = createTemporaryObject(bubbleRow, host)
            clickSpy.target = row.bubble
            clickSpy.clear()
            mouseClick(row.bubble)
            compare(clickSpy.count, 1)
            verify(!row.bubble.activeFocus, "a click does not take the focus")
            row.before.forceActiveFocus()
            keyClick(Qt.Key_Tab)
            verify(row.bubble.activeFocus, "Tab gives the focus")
            keyClick(Qt.Key_Return)
            compare(clickSpy.count, 2)
        }
    }
}
