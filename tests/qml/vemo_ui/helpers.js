.pragma library

// Colours compare by their #rrggbb (or #aarrggbb) text: a colour value made by Qt.lighter and
// the same colour parsed from text are different values to QtTest's compare().
function colorText(value) {
    return String(Qt.color(String(value)))
}

// A QML document of a visible window that provides `theme` and holds `body`, for the warning probe.
function hostWith(body) {
    return "import QtQuick; import QtQuick.Controls; import QtQuick.Window; import com.quorvane.vemo_ui\n"
         + "Window { width: 800; height: 600; visible: true; VemoTheme { id: theme }\n" + body + "\n}"
}
