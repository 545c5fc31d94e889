import QtQuick
import com.quorvane.vemo_ui

// Raised edge: light on the left and top, dark on the right and (just below) the bottom.
// The colours follow the parent's `color`; a parent without one gives transparent lines.
Item {
    id: bevel

    property int bevel_width: 1
    property color bevel_dark_color: bevel.parentColorOr(0.9)
    property color bevel_light_color: bevel.parentColorOr(1.3)
    property bool hide_left: false
    property bool hide_top: false
    property bool hide_bottom: false
    property alias bgcolor: background.color
    property alias bgvisible: background.visible

    function parentColorOr(factor) {
        return parent && parent.color !== undefined ? Qt.lighter(parent.color, factor) : "transparent"
    }

    anchors.fill: parent

    VemoTheme { id: theme }

    Rectangle {
        id: background
        anchors.fill: parent
        visible: false
    }
    Rectangle {
        objectName: "rightLine"
        x: bevel.width - theme.bevel_width
        width: theme.bevel_width
        height: bevel.height
        color: bevel.bevel_dark_color
    }
    Rectangle {
        objectName: "leftLine"
        width: theme.bevel_width
        height: bevel.height
        color: bevel.bevel_light_color
        visible: !bevel.hide_left
    }
    Rectangle {
        objectName: "topLine"
        width: bevel.width
        height: theme.bevel_width
        color: bevel.bevel_light_color
        visible: !bevel.hide_top
    }
    Rectangle {
        objectName: "bottomLine"
        y: bevel.height
        width: bevel.width
        height: bevel.bevel_width
        color: bevel.bevel_dark_color
        visible: !bevel.hide_bottom
    }
}
