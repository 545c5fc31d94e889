import QtQuick
import QtQuick.Controls

// A context menu as wide as its widest item. Reads `theme` from the document that holds it.
Menu {
    id: menu

    width: {
        let contentWidth = 0
        let padding = 0
        for (let i = 0; i < count; ++i) {
            const entry = itemAt(i)
            if (!entry || !entry.contentItem)
                continue
            contentWidth = Math.max(contentWidth, entry.contentItem.implicitWidth)
            padding = Math.max(padding, entry.padding)
        }
        return contentWidth + 2 * padding + 20
    }

    background: Rectangle {
        implicitHeight: 40
        color: theme.lighter_bg_color_popup
    }

    delegate: MenuItem {
        id: item

        implicitWidth: menu ? menu.width : 0
        implicitHeight: 40
        opacity: enabled ? 1 : 0.3

        contentItem: Text {
            leftPadding: item.checkable && item.indicator ? item.indicator.width : 0
            rightPadding: item.subMenu && item.arrow ? item.arrow.width : 0
            text: item.text
            textFormat: Text.PlainText
            font: item.font
            color: theme.default_text_color
            horizontalAlignment: Text.AlignLeft
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }

        arrow: Canvas {
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

        background: Rectangle {
            color: item.highlighted ? Qt.lighter(theme.lighter_bg_color_popup, 1.25) : "transparent"
        }
    }
}
