.pragma library

// Colours compare by their #rrggbb (or #aarrggbb) text: a colour value made by Qt.lighter and
// the same colour parsed from text are different values to QtTest's compare().
function colorText(value) {
    return String(Qt.color(String(value)))
}
