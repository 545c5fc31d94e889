import QtQuick
import QtQuick.Controls
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
