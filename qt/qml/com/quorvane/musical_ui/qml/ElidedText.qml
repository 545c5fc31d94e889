import QtQuick
import com.quorvane.vemo_ui

// One line of show text, elided at the right, with its full text as a tool tip while the pointer
// rests on it and it does not fit.
Text {
    id: label

    property alias toolTipVisible: tip.visible

    textFormat: Text.PlainText
    elide: Text.ElideRight
    maximumLineCount: 1
    horizontalAlignment: Text.AlignLeft
    verticalAlignment: Text.AlignVCenter
    color: "white"
    font: theme.default_font

    VemoTheme { id: theme }

    HoverHandler { id: hover }

    VemoToolTip {
        id: tip
        delay: 1000
        timeout: 5000
        text: label.text
        visible: hover.hovered && label.truncated
    }
}
