import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtTest
import com.quorvane.vemo_ui
import "helpers.js" as Helpers

Item {
    id: host

    width: 600
    height: 400

    VemoTheme { id: theme }

    Component {
        id: modeBar
        TabBar {
            property alias first: first
            property alias second: second
            currentIndex: 0
            ModeTabButton { id: first; text: "Music Edit"; font: theme.default_font; hoverEnabled: true }
            ModeTabButton { id: second; text: "Score"; font: theme.default_font; hoverEnabled: true }
        }
    }

    Component {
        id: graphicButton
        GraphicButton { text: "Cut" }
    }

    Component {
        id: customBar
        CustomTabBar {
            property alias first: first
            property alias second: second
            property alias third: third
            width: 500
            CustomTabButton { id: first; text: "Playlist"; hoverEnabled: true }
            CustomTabButton { id: second; text: "Marker List"; hoverEnabled: true }
            CustomTabButton { id: third; text: "Mixer"; hoverEnabled: true }
        }
    }

    SignalSpy { id: clickSpy; signalName: "clicked" }

    TestCase {
        name: "GraphicButton"
        when: windowShown

        function test_height_data() {
            return [
                { tag: "icon shown", source: "qrc:/images/arrow_drop_down.svg", showImage: true, height: 42, iconVisible: true },
                { tag: "no icon", source: "", showImage: true, height: 18, iconVisible: false },
                { tag: "icon hidden", source: "qrc:/images/arrow_drop_down.svg", showImage: false, height: 18, iconVisible: false }
            ]
        }

        function test_height(data) {
            const button = createTemporaryObject(graphicButton, host, { imageSource: data.source, showImage: data.showImage })
            compare(button.height, data.height)
            compare(button.width, 64)
            compare(findChild(button, "icon").visible, data.iconVisible)
            compare(findChild(button, "caption").Layout.fillHeight, data.iconVisible)
        }

        function test_disabled_keeps_size() {
            const button = createTemporaryObject(graphicButton, host, { imageSource: "qrc:/images/arrow_drop_down.svg" })
            const inner = findChild(button, "innerButton")
            compare(Helpers.colorText(inner.background.color), Helpers.colorText(theme.default_bg_color))
            button.enabled = false
            compare(button.height, 42)
            compare(Helpers.colorText(inner.background.color), Helpers.colorText(Qt.lighter(theme.default_bg_color, 1.35)))
            compare(Helpers.colorText(findChild(button, "caption").color), "#666666")
            compare(findChild(button, "icon").opacity, 0.3)
        }

        function test_press_and_keys() {
            const button = createTemporaryObject(graphicButton, host)
            const inner = findChild(button, "innerButton")
            const shadow = findChild(button, "shadow")
            clickSpy.target = button
            clickSpy.clear()
            compare(shadow.horizontalOffset, 2)
            mousePress(inner)
            compare(inner.x, 2)
            compare(inner.y, 2)
            compare(shadow.verticalOffset, 0)
            mouseRelease(inner)
            compare(inner.x, 0)
            compare(clickSpy.count, 1)
            verify(!inner.activeFocus, "a click does not take the focus")
            inner.forceActiveFocus()
            keyClick(Qt.Key_Return)
            compare(clickSpy.count, 2)
        }
    }

    TestCase {
        name: "CustomTabBar"
        when: windowShown

        function lineOf(bar, name) {
            return findChild(bar, name)
        }

        function test_starts_at_index_four_without_lines() {
            const bar = createTemporaryObject(customBar, host)
            compare(bar.currentIndex, 4)
            verify(!bar.first.isSelected && !bar.second.isSelected && !bar.third.isSelected)
            compare(lineOf(bar, "leftLine").x, 0)
            compare(lineOf(bar, "leftLine").width, 0)
            compare(lineOf(bar, "rightLine").x, 0)
            compare(lineOf(bar, "rightLine").width, 0)
        }

        function test_gap_follows_selection_data() {
            return [{ tag: "first", index: 0 }, { tag: "second", index: 1 }, { tag: "third", index: 2 }]
        }

        function test_gap_follows_selection(data) {
            const bar = createTemporaryObject(customBar, host)
            bar.currentIndex = data.index
            const tab = [bar.first, bar.second, bar.third][data.index]
            const inner = findChild(bar, "tabBar")
            compare(lineOf(bar, "leftLine").width, tab.x)
            compare(lineOf(bar, "rightLine").x, tab.x + tab.width)
            compare(lineOf(bar, "rightLine").x + lineOf(bar, "rightLine").width, inner.contentWidth + 1)
            compare(lineOf(bar, "leftLine").y, bar.height - 1)
        }

        function test_lines_stay_while_no_tab_is_current() {
            const bar = createTemporaryObject(customBar, host)
            bar.currentIndex = 1
            const width = lineOf(bar, "leftLine").width
            verify(width > 0)
            bar.currentIndex = 7
            compare(lineOf(bar, "leftLine").width, width)
        }

        function test_click_selects() {
            const bar = createTemporaryObject(customBar, host, { currentIndex: 0 })
            mouseClick(bar.third)
            compare(bar.currentIndex, 2)
            compare(lineOf(bar, "leftLine").width, bar.third.x)
        }

        function test_tab_look() {
            const bar = createTemporaryObject(customBar, host, { currentIndex: 0 })
            const selected = bar.first
            const other = bar.second
            compare(Helpers.colorText(selected.background.color), Helpers.colorText(theme.default_bg_color))
            compare(Helpers.colorText(other.background.color), Helpers.colorText(theme.default_bg_unselected_color))
            verify(!findChild(selected, "bottomLightLine").visible)
            verify(findChild(other, "bottomLightLine").visible)
            verify(findChild(other, "bottomDarkLine").visible)
            compare(findChild(other, "bottomLightLine").y, other.height - 1)
            compare(findChild(other, "bottomDarkLine").y, other.height - 2)
            verify(selected.font.bold)
            verify(!other.font.bold)
            compare(Helpers.colorText(findChild(selected, "caption").color), "#ffffff")
            compare(Helpers.colorText(findChild(other, "caption").color), "#808080")
            compare(Helpers.colorText(findChild(selected, "iconTint").color), "#ffffff")
            compare(Helpers.colorText(findChild(other, "iconTint").color), "#808080")
            other.enabled = false
            compare(Helpers.colorText(findChild(other, "iconTint").color), "#696969")
            verify(findChild(other, "disabledOverlay").item !== null)
            compare(selected.width, Math.floor(1.3 * selected.contentItem.implicitWidth))
        }

        function test_hover_strips_data() {
            return [
                { tag: "unselected, no effect", index: 1, effect: false, strip: "transparent", background: "#191919" },
                { tag: "unselected, effect", index: 1, effect: true, strip: "dimgray", background: "#2a2a2a" },
                { tag: "selected, no effect", index: 0, effect: false, strip: "red", background: "#202020" },
                { tag: "selected, effect", index: 0, effect: true, strip: "white", background: "#2a2a2a" }
            ]
        }

        function test_hover_strips(data) {
            const bar = createTemporaryObject(customBar, host, { currentIndex: 0 })
            const tab = [bar.first, bar.second][data.index]
            tab.showHoverEffect = data.effect
            tab.selectedColor = "red"
            mouseMove(tab, tab.width / 2, tab.height / 2)
            tryCompare(tab, "hovered", true)
            const strip = findChild(tab, "indicatorStrip")
            verify(strip.visible)
            compare(Helpers.colorText(strip.color), Helpers.colorText(data.strip))
            compare(Helpers.colorText(tab.background.color), data.background)
        }
    }

    TestCase {
        name: "ModeTabButton"
        when: windowShown

        function test_selection_and_strip() {
            const bar = createTemporaryObject(modeBar, host)
            verify(bar.first.isSelected)
            verify(!bar.second.isSelected)
            compare(bar.first.height, 35)
            fuzzyCompare(bar.first.width, 1.2 * bar.first.implicitWidth, 0.001)
            compare(Helpers.colorText(bar.first.contentItem.color), Helpers.colorText("white"))
            verify(bar.first.contentItem.font.bold)
            compare(Helpers.colorText(bar.second.contentItem.color), Helpers.colorText("gray"))
            const strip = findChild(bar.first, "indicatorStrip")
            verify(strip.visible)
            compare(strip.height, 3)
            compare(Helpers.colorText(strip.color), Helpers.colorText("white"))
            verify(!findChild(bar.second, "indicatorStrip").visible)

            mouseClick(bar.second)
            compare(bar.currentIndex, 1)
            verify(bar.second.isSelected)
            verify(!bar.first.isSelected)
        }

        function test_hover() {
            const bar = createTemporaryObject(modeBar, host)
            mouseMove(bar.second, 5, 5)
            tryCompare(bar.second, "hovered", true)
            const strip = findChild(bar.second, "indicatorStrip")
            verify(strip.visible)
            compare(Helpers.colorText(strip.color), Helpers.colorText("dimgray"))
            compare(Helpers.colorText(bar.second.background.color), Helpers.colorText(Qt.lighter(theme.default_bg_color, 1.3)))
            compare(findChild(bar.second, "cursorArea").cursorShape, Qt.PointingHandCursor)

            mouseMove(bar.first, 5, 5)
            tryCompare(bar.first, "hovered", true)
            compare(Helpers.colorText(bar.first.background.color), Helpers.colorText("transparent"))
            compare(findChild(bar.first, "cursorArea").cursorShape, Qt.ArrowCursor)
        }

        function test_disabled_caption() {
            const bar = createTemporaryObject(modeBar, host)
            bar.second.enabled = false
            compare(Helpers.colorText(bar.second.contentItem.color), Helpers.colorText("dimgray"))
        }
    }
}
