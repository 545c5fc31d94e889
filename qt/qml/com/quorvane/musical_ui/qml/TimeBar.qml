import QtQuick
import com.quorvane.vemo_ui

// One line of the bars and beats ruler with its label; the song's end line is drawn double.
// Zooming fades beat lines in and out through fadeInMethod() and fadeOutMethod().
Item {
    id: timeBar

    property string barLabel: ""
    property int basePos: 0
    property double viewScale: 1.0
    property bool isBar: true
    // "#282828" lightened by 2 for a bar and by 1.3 for a beat; the label of a beat by 1.6.
    property color barColor: isBar ? "#505050" : "#343434"
    property color labelColor: isBar ? "white" : "#404040"
    property bool isEndBar: false
    property bool showLabel: true

    function fadeInMethod() {
        fadeOut.stop()
        fadeIn.restart()
    }

    function fadeOutMethod() {
        if (line.opacity === 0)
            return
        fadeIn.stop()
        fadeOut.restart()
    }

    x: basePos * viewScale
    width: label.implicitWidth + 3 + 1
    height: parent ? parent.height : 0

    Rectangle {
        id: line
        objectName: "line"
        width: 1
        height: timeBar.height
        color: timeBar.barColor

        Text {
            id: label
            objectName: "label"
            x: 3
            y: 10
            text: timeBar.barLabel
            textFormat: Text.PlainText
            font.pixelSize: 10
            color: timeBar.labelColor
            visible: timeBar.showLabel
        }
    }

    Rectangle {
        objectName: "endLine"
        x: 3
        width: 3
        height: timeBar.height
        color: timeBar.barColor
        visible: timeBar.isEndBar
    }

    SequentialAnimation {
        id: fadeIn
        PropertyAction { target: timeBar; property: "visible"; value: true }
        PropertyAction { target: line; property: "visible"; value: true }
        NumberAnimation { target: line; property: "opacity"; to: 1; duration: 500 }
    }

    SequentialAnimation {
        id: fadeOut
        NumberAnimation { target: line; property: "opacity"; to: 0; duration: 500 }
        PropertyAction { target: line; property: "visible"; value: false }
        PropertyAction { target: timeBar; property: "visible"; value: false }
    }
}
