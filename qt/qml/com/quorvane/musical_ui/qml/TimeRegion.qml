import QtQuick
import com.quorvane.vemo_ui

// An event with a start and an end: a coloured bar that is moved by its body and resized by
// the handles at its two ends. Every drag is reported once, on release, in timeline units.
Rectangle {
    id: region

    property double viewScale: 1.0
    property color baseColor: "#6e3493"
    property double basePosition: 0
    property double baseWidth: 150
    property bool editable: false
    property bool selected: false
    property double xPos: 0

    signal clicked()
    signal doubleClicked()
    signal dragged(int start, int end, bool adjustLeft, bool adjustRight)
    signal basePositionSet(int pos)
    signal viewScaleSet(double scale)

    function placeRightHandle() {
        rightHandle.x = region.width - rightHandle.width
        region.xPos = region.x
    }

    onBasePositionSet: pos => {
        region.basePosition = pos
        placeRightHandle()
    }
    onViewScaleSet: scale => {
        region.viewScale = scale
        placeRightHandle()
    }

    x: basePosition * viewScale
    z: x
    width: baseWidth * viewScale
    height: parent ? parent.height : 50
    opacity: 0.7
    color: bodyArea.containsMouse ? Qt.lighter(baseColor, 1.3) : baseColor
    radius: 3
    border.width: 1
    border.color: Qt.lighter(color, 1.1)

    MouseArea {
        id: bodyArea
        objectName: "bodyArea"
        anchors.fill: parent
        hoverEnabled: true
        preventStealing: true
        cursorShape: Qt.PointingHandCursor
        drag.target: region.editable ? region : null
        drag.axis: Drag.XAxis
        drag.smoothed: false

        onClicked: region.clicked()
        onDoubleClicked: region.doubleClicked()
        onPositionChanged: {
            if (!rightArea.drag.active && !leftArea.drag.active)
                region.placeRightHandle()
        }
        onReleased: {
            if (drag.active)
                region.dragged(region.x / region.viewScale, (region.x + region.width) / region.viewScale, false, false)
        }
    }

    Rectangle {
        id: rightHandle
        objectName: "rightHandle"
        x: region.width - width
        width: 3
        height: region.height
        radius: region.radius
        color: region.border.color
        opacity: region.opacity

        MouseArea {
            id: rightArea
            objectName: "rightArea"
            anchors.fill: parent
            hoverEnabled: region.editable
            cursorShape: region.editable ? Qt.SplitHCursor : Qt.ArrowCursor
            drag.target: region.editable ? rightHandle : null
            drag.axis: Drag.XAxis
            drag.smoothed: false

            onPositionChanged: {
                if (!drag.active)
                    return
                rightHandle.x = Math.max(rightHandle.x, leftHandle.x + leftHandle.width)
                region.baseWidth = (rightHandle.x + rightHandle.width) / region.viewScale
                region.x = region.xPos
            }
            onReleased: {
                if (drag.active)
                    region.dragged(region.x / region.viewScale, (region.x + region.width) / region.viewScale, false, true)
            }
        }
    }

    Rectangle {
        id: leftHandle
        objectName: "leftHandle"
        width: 3
        height: region.height
        radius: region.radius
        color: region.border.color
        opacity: region.opacity

        MouseArea {
            id: leftArea
            objectName: "leftArea"
            anchors.fill: parent
            hoverEnabled: region.editable
            cursorShape: region.editable ? Qt.SplitHCursor : Qt.ArrowCursor
            drag.target: region.editable ? leftHandle : null
            drag.axis: Drag.XAxis
            drag.smoothed: false

            onPositionChanged: {
                if (!drag.active)
                    return
                leftHandle.x = Math.min(leftHandle.x, rightHandle.x - leftHandle.width)
                rightHandle.x -= leftHandle.x
                region.baseWidth = (rightHandle.x + rightHandle.width) / region.viewScale
                region.xPos += leftHandle.x
                region.x = region.xPos
            }
            onReleased: {
                if (!drag.active)
                    return
                const end = (region.x + region.width) / region.viewScale
                region.dragged(Math.min(region.x / region.viewScale, end - 3), end, true, false)
            }
        }
    }

    Rectangle {
        objectName: "selectionFrame"
        anchors.fill: parent
        color: "transparent"
        border.width: 1
        border.color: "white"
        radius: 3
        antialiasing: true
        opacity: 0.7
        visible: region.selected
    }
}
