import QtQuick
import com.quorvane.vemo_ui

// Draggable column divider of a header row: it sits right of `controlToLeft` until dragged, and
// asks for the column width that starts at the right edge of `controlToFarLeft`. Its height
// follows an element named `statusLabel` of the enclosing document, when there is one.
Item {
    id: divider

    property var controlToLeft: null
    property var controlToFarLeft: null
    property int colSpacing: 3
    property int minWidth: 40
    property int desiredWidth: 40

    function requestedWidth() {
        const columnStart = controlToFarLeft ? controlToFarLeft.x + controlToFarLeft.width : 0
        return Math.max(minWidth, x - columnStart - colSpacing + 1)
    }

    width: 8
    y: 0
    x: controlToLeft ? controlToLeft.x + controlToLeft.width + colSpacing : 0

    VemoTheme { id: theme }

    Rectangle {
        objectName: "line"
        y: 2
        width: 2
        height: typeof statusLabel !== "undefined" && statusLabel ? statusLabel.height - 4 : 0
        color: theme.bevel_light_color

        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.SizeHorCursor
            drag.target: divider
            drag.axis: Drag.XAxis
            onPositionChanged: if (drag.active) divider.desiredWidth = Math.min(1024, divider.requestedWidth())
            onReleased: divider.desiredWidth = divider.requestedWidth()
        }
    }
}
