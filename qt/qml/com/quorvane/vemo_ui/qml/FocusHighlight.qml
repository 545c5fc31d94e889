import QtQuick
import com.quorvane.vemo_ui

// Translucent blue fill that marks the control holding the keyboard focus.
Item {
    VemoTheme { id: theme }

    Rectangle {
        anchors.fill: parent
        color: theme.default_selected_color_intense
        border.width: 1
        border.color: "transparent"
        opacity: 0.7
    }
}
