import QtQuick
import com.quorvane.vemo_ui

// Sunk edge: dark on the left and top, light on the right and bottom. The flags keep their
// meaning by colour: `hide_left` hides the light right line, `hide_top` the light bottom line,
// `hide_bottom` the dark top line. Three lines lie just outside the item.
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
        objectName: "leftLine"
        x: -theme.bevel_width
        width: theme.bevel_width
        height: bevel.height
        color: bevel.bevel_dark_color
    }
    Rectangle {
        objectName: "rightLine"
        x: bevel.width
        width: theme.bevel_width
        height: bevel.height
        color: bevel.bevel_light_color
        visible: !bevel.hide_left
    }
    Rectangle {
        objectName: "bottomLine"
        y: bevel.height
        width: bevel.width
        height: theme.bevel_width
        color: bevel.bevel_light_color
        visible: !bevel.hide_top
    }
    Rectangle {
        objectName: "topLine"
        width: bevel.width
        height: bevel.bevel_width
        color: bevel.bevel_dark_color
        visible: !bevel.hide_bottom
    }
}
