import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import com.quorvane.vemo_ui

// Menu and sub-menu of the main menu, with shortcut texts in the platform's notation.
Menu {
    id: menu

    property string platform: "unknown"
    property string backgroundColor: theme.lighter_bg_color_popup
    readonly property VemoTheme theme: VemoTheme {}

    // The text shown for `shortcut` on the system named `os` (as Qt.platform.os names it).
    // Linux writes shortcuts the way Windows does.
    function shortcutText(shortcut, os) {
        if (shortcut === undefined || shortcut === null || shortcut === "")
            return ""
        const replaceAll = (text, pairs) => pairs.reduce((t, pair) => t.split(pair[0]).join(pair[1]), text)
        const system = String(os).toLowerCase()
        if (system === "osx") {
            return replaceAll(String(shortcut).toUpperCase(), [
                ["CMD", "⌘"], ["CTRL", "^"], ["SHIFT", "⇧"], ["BACKSPACE", "⌫"], ["ALT", "⌥"],
                ["+", ""], [" ", "Space"], ["RIGHT", "▶"]])
        }
        if (system === "windows" || system === "linux") {
            return replaceAll(String(shortcut).toUpperCase(), [
                ["CMD", "INVALID"], ["CTRL", "Ctrl"], ["SHIFT", "Shift"], ["ALT", "Alt"],
                ["BACKSPACE", "Backspace"], [" ", "Space"], ["RIGHT", "Right Arrow"]])
        }
        console.log("Unknown Platform for Shortcut Translation", shortcut)
        return shortcut
    }

    function formatShortCutAsNativeString(shortcut) {
        return shortcutText(shortcut, Qt.platform.os)
    }

    delegate: MenuItem {
        id: item

        implicitHeight: 40

        background: Rectangle {
            implicitHeight: 40
            color: item.highlighted ? menu.theme.default_selected_color : menu.backgroundColor
        }

        contentItem: RowLayout {
            Text {
                objectName: "itemText"
                Layout.fillWidth: true
                text: item.text
                textFormat: Text.PlainText
                font.pixelSize: menu.theme.default_font.pixelSize
                horizontalAlignment: Text.AlignLeft
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
                color: item.enabled ? menu.theme.light_text_color : Qt.darker(menu.theme.light_text_color, 2.5)
            }
            Text {
                objectName: "shortcutText"
                text: item.subMenu || !item.action ? "" : menu.formatShortCutAsNativeString(item.action.shortcut)
                visible: !item.subMenu
                font.pixelSize: menu.theme.default_font.pixelSize
                verticalAlignment: Text.AlignVCenter
                color: Qt.darker(menu.theme.light_text_color, 2.5)
            }
            Item {}
        }

        arrow: Canvas {
            objectName: "subMenuArrow"
            x: item.width - width
            implicitWidth: 40
            implicitHeight: 40
            visible: item.subMenu !== null
            readonly property bool lit: item.highlighted
            onLitChanged: requestPaint()
            onPaint: {
                const ctx = getContext("2d")
                ctx.clearRect(0, 0, width, height)
                ctx.fillStyle = item.highlighted ? "#ffffff" : "#AAAAAA"
                ctx.beginPath()
                ctx.moveTo(15, 15)
                ctx.lineTo(width - 15, height / 2)
                ctx.lineTo(15, height - 15)
                ctx.closePath()
                ctx.fill()
            }
        }
    }
}
