import QtQuick
import QtQuick.Controls

// Small pan knob from -1 (left) to 1 (right) with a notch at the top that the value snaps to.
Dial {
    id: control

    property real zeroMark: 0
    property bool showZeroMark: true
    property string barFillColor: "#26a5de"
    property real snapTolerance: 0.05
    property bool ctrlPressed: false

    readonly property real faceSize: Math.max(10, Math.min(width, height))
    readonly property real pointerLength: Math.min(width, height) / 4

    width: 25
    height: 25
    from: -1
    to: 1
    value: 0.0
    inputMode: Dial.Horizontal

    onMoved: {
        if (showZeroMark && Math.abs(value - zeroMark) / (to - from) < snapTolerance)
            value = zeroMark
    }

    background: Rectangle {
        x: (control.width - width) / 2
        y: (control.height - height) / 2
        width: control.faceSize
        height: control.faceSize
        radius: width / 2
        color: control.pressed || control.hovered ? Qt.lighter("#69696a", 1.3) : "#69696a"
        opacity: control.enabled ? 1 : 0.3

        Rectangle {
            objectName: "ctrlSquare"
            anchors.fill: parent
            color: "blue"
            visible: control.ctrlPressed
        }

        Rectangle {
            objectName: "notch"
            z: -50
            anchors.horizontalCenter: parent.horizontalCenter
            y: -control.pointerLength / 2
            width: 3
            height: parent.height
            radius: 1
            color: "lime"
            visible: control.showZeroMark
        }
    }

    handle: Rectangle {
        x: (control.width - width) / 2
        y: (control.height - control.faceSize) / 2
        width: 2
        height: control.pointerLength
        color: "#2d2d2d"
        antialiasing: true
        transform: Rotation {
            origin.x: 1
            origin.y: control.faceSize / 2
            angle: control.angle
        }
    }

    Text {
        objectName: "leftLabel"
        id: leftLabel
        x: 0
        y: control.height - height / 2
        text: "L"
        font.pixelSize: 7
        color: "white"
    }

    Text {
        objectName: "rightLabel"
        x: control.width - leftLabel.width
        y: control.height - height / 2
        text: "R"
        font.pixelSize: 7
        color: "white"
    }
}
