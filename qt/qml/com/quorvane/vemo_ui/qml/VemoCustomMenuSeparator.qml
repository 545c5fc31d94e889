import QtQuick
import QtQuick.Controls
import com.quorvane.vemo_ui

// Separator line of the program's menus.
MenuSeparator {
    contentItem: Rectangle {
        implicitHeight: 1
        color: theme.light_border_color
    }

    background: Rectangle {
        implicitHeight: 8
        color: theme.lighter_bg_color_popup

        VemoTheme { id: theme }
    }
}
