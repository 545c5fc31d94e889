import QtQuick
import QtQuick.Controls
import com.quorvane.vemo_ui

// Check box with a drawn tick and a coloured rich-text label.
CheckBox {
    id: control

    property string checkboxTextStr: ""
    property string checkboxTextColor: theme.default_text_color

    function escaped(plain) {
        return plain.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;")
    }

    // The label is set as written: markup characters in it are shown, not obeyed.
    text: "<font color='" + checkboxTextColor + "'>" + escaped(checkboxTextStr) + "</font>"
    font: theme.default_font

    VemoTheme { id: theme }

    FocusHighlight {
        anchors.fill: parent
        z: -10000
        visible: control.activeFocus
    }

    indicator: Item {
        implicitWidth: 22
        implicitHeight: 22
        x: control.leftPadding
        y: control.topPadding + (control.availableHeight - height) / 2

        Rectangle {
            id: box
            objectName: "box"
            width: 22
            height: 22
            radius: 3
            color: control.checked ? "steelblue" : "white"
            border.width: 2
            border.color: control.activeFocus ? "steelblue" : "transparent"

            Canvas {
                objectName: "tick"
                anchors.fill: parent
                visible: control.checked
                onPaint: {
                    const ctx = getContext("2d")
                    ctx.clearRect(0, 0, width, height)
                    ctx.strokeStyle = "white"
                    ctx.lineWidth = 2
                    ctx.beginPath()
                    ctx.moveTo(0.2 * width, 0.5 * height)
                    ctx.lineTo(0.4 * width, 0.7 * height)
                    ctx.lineTo(0.8 * width, 0.3 * height)
                    ctx.stroke()
                }
            }
        }
    }
}
