import QtQuick
import com.quorvane.vemo_ui

// A round lamp: sky blue while learning, else green when on and grey when off.
Rectangle {
    id: root

    property bool value: false
    property int size: 16
    property bool learning: false

    width: size
    height: size
    radius: size / 2
    color: learning ? "#87CEEB" : (value ? theme.on_indicator_color : theme.off_indicator_color)

    VemoTheme { id: theme }
}
