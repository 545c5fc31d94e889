import QtQuick
import QtQuick.Controls
import com.quorvane.vemo_ui

// The scroll bar of every list and scrolling view; the handle lights up while the bar is hovered.
ScrollBar {
    id: control

    policy: ScrollBar.AlwaysOn

    background: Rectangle {
        implicitWidth: 20
        implicitHeight: control.parent ? control.parent.height : 0
        color: Qt.lighter(theme.default_bg_color, 0.7)

        VemoTheme { id: theme }
    }

    contentItem: Rectangle {
        color: control.hovered ? theme.default_selected_color : theme.lighter_bg_color_popup

        BasicBevel {}
    }
}
