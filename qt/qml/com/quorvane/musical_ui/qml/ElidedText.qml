import QtQuick
import com.quorvane.vemo_ui

// One line of show text, elided at the right, with its full text as a tool tip while the pointer
// rests on it and it does not fit.
Text {
    id: label

    property bool toolTipVisible: hover.hovered && label.truncated

    textFormat: Text.PlainText
    elide: Text.ElideRight
    maximumLineCount: 1
    horizontalAlignment: Text.AlignLeft
    verticalAlignment: Text.AlignVCenter
    color: "white"

    HoverHandler { id: hover }

    Loader {
        objectName: "toolTipLoader"
        active: label.toolTipVisible
        sourceComponent: VemoToolTip {
            delay: 1000
            timeout: 5000
            text: label.text
            visible: true
        }
    }
}
