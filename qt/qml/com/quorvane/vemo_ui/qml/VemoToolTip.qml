import QtQuick
import QtQuick.Controls
import com.quorvane.vemo_ui

// The program's tool tip: light text on the lighter pop-up grey with a thin border.
ToolTip {
    id: toolTip

    text: ""

    contentItem: Text {
        text: toolTip.text
        textFormat: Text.PlainText
        font: theme.default_font
        color: theme.light_text_color
    }

    background: Rectangle {
        color: theme.lighter_bg_color_popup
        border.color: theme.light_border_color

        VemoTheme { id: theme }
    }
}
