import QtQuick
import QtQuick.Controls
import QtTest
import com.quorvane.vemo_ui
import "helpers.js" as Helpers

Item {
    id: host

    width: 600
    height: 500

    VemoTheme { id: theme }

    Component {
        id: mainMenu
        VemoCustomMenu {
            Action { text: "Save"; shortcut: "Ctrl+S" }
            Action { text: "Nothing bound" }
            Action { text: "Disabled"; enabled: false }
            VemoCustomMenu { title: "More" }
        }
    }

    Component {
        id: fadeMenu
        CustomContextMenu {
            Action { text: "Fade 2 seconds" }
            Action { text: "Fade 5 seconds" }
            Action { text: "Fade 10 seconds" }
            Action { text: "Fade 20 seconds"; enabled: false }
        }
    }

    Component {
        id: scrollHost
        Flickable {
            width: 100
            height: 100
            contentHeight: 400
            ScrollBar.vertical: CustomScrollBar { hoverEnabled: true }
        }
    }

    TextMetrics {
        id: metrics
        font: theme.default_font
    }

    TestCase {
        name: "Menus"
        when: windowShown

        function test_shortcut_text_data() {
            return [
                { tag: "windows ctrl shift z", os: "windows", shortcut: "Ctrl+shift+z", text: "Ctrl+Shift+Z" },
                { tag: "windows space", os: "windows", shortcut: " ", text: "Space" },
                { tag: "windows shift space", os: "windows", shortcut: "Shift+ ", text: "Shift+Space" },
                { tag: "windows right", os: "windows", shortcut: "Right", text: "Right Arrow" },
                { tag: "windows backspace", os: "windows", shortcut: "backspace", text: "Backspace" },
                { tag: "windows comma", os: "windows", shortcut: "Shift+,", text: "Shift+," },
                { tag: "windows alt", os: "windows", shortcut: "Alt+F4", text: "Alt+F4" },
                { tag: "windows cmd", os: "windows", shortcut: "Cmd+S", text: "INVALID+S" },
                { tag: "linux as windows", os: "linux", shortcut: "Ctrl+shift+z", text: "Ctrl+Shift+Z" },
                { tag: "linux right", os: "linux", shortcut: "Right", text: "Right Arrow" },
                { tag: "macos undo", os: "osx", shortcut: "Cmd+Shift+Z", text: "⌘⇧Z" },
                { tag: "macos case", os: "OSX", shortcut: "ctrl+alt+backspace", text: "^⌥⌫" },
                { tag: "macos space", os: "osx", shortcut: "Shift+ ", text: "⇧Space" },
                { tag: "macos right", os: "osx", shortcut: "Cmd+Right", text: "⌘▶" },
                { tag: "other system", os: "plan9", shortcut: "Ctrl+S", text: "Ctrl+S" },
                { tag: "empty", os: "windows", shortcut: "", text: "" },
                { tag: "empty macos", os: "osx", shortcut: "", text: "" },
                { tag: "undefined", os: "linux", shortcut: undefined, text: "" },
                { tag: "null", os: "osx", shortcut: null, text: "" }
            ]
        }

        function test_shortcut_text(data) {
            const menu = createTemporaryObject(mainMenu, host)
            compare(menu.shortcutText(data.shortcut, data.os), data.text)
        }

        function test_running_system_uses_windows_rule() {
            const menu = createTemporaryObject(mainMenu, host)
            compare(menu.formatShortCutAsNativeString("Ctrl+shift+z"),
                    menu.shortcutText("Ctrl+shift+z", Qt.platform.os))
            if (Qt.platform.os === "linux")
                compare(menu.formatShortCutAsNativeString("Cmd+S"), "INVALID+S")
        }

        function test_menu_items() {
            const menu = createTemporaryObject(mainMenu, host)
            menu.open()
            tryCompare(menu, "opened", true)
            const save = menu.itemAt(0)
            compare(findChild(save, "shortcutText").text, menu.shortcutText("Ctrl+S", Qt.platform.os))
            compare(findChild(menu.itemAt(1), "shortcutText").text, "")
            compare(Helpers.colorText(findChild(menu.itemAt(2), "itemText").color), "#5d5d5d")
            compare(Helpers.colorText(findChild(save, "itemText").color), "#e8e8e8")
            const sub = menu.itemAt(3)
            verify(sub.subMenu !== null)
            verify(findChild(sub, "subMenuArrow").visible)
            compare(findChild(sub, "shortcutText").text, "")
            verify(!findChild(save, "subMenuArrow").visible)
            compare(save.height, 40)
            menu.close()
        }

        function test_context_menu_width() {
            const menu = createTemporaryObject(fadeMenu, host)
            metrics.font = menu.itemAt(0).font
            let widest = 0
            for (let i = 0; i < 4; ++i) {
                metrics.text = menu.actionAt(i).text
                widest = Math.max(widest, metrics.advanceWidth)
            }
            fuzzyCompare(menu.width, widest + 2 * menu.itemAt(0).padding + 20, 1)
            compare(menu.itemAt(3).opacity, 0.3)
            compare(menu.itemAt(0).opacity, 1)
            compare(Helpers.colorText(menu.background.color), "#2e2e2e")
            menu.addAction(Qt.createQmlObject("import QtQuick.Controls; Action { text: 'A much longer fade time entry' }", menu))
            metrics.text = "A much longer fade time entry"
            fuzzyCompare(menu.width, metrics.advanceWidth + 2 * menu.itemAt(0).padding + 20, 1)
        }

        function test_scroll_bar_hover() {
            const flickable = createTemporaryObject(scrollHost, host)
            const bar = flickable.ScrollBar.vertical
            compare(bar.policy, ScrollBar.AlwaysOn)
            compare(Helpers.colorText(bar.contentItem.color), "#2e2e2e")
            compare(bar.background.implicitWidth, 20)
            compare(Helpers.colorText(bar.background.color), "#171717")
            mouseMove(bar, bar.width / 2, bar.height - 2)
            tryCompare(bar, "hovered", true)
            compare(Helpers.colorText(bar.contentItem.color), "#363636")
        }
    }
}
