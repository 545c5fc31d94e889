import QtQuick
import com.quorvane.vemo_ui

// A text label on one of the label rows (markers, keys, tempos, meters). When the next label
// of its row leaves no room it shrinks to a diamond on its position, with the text as a tooltip.
// Marker texts come from shared change logs, so the label and the tooltip show them as plain text.
Item {
    id: marker

    property double viewScale: 1.0
    property int basePosition: 0
    property string labelText: "Label"
    property bool visibleLabel: true
    property int diamondSize: 8
    property int diamondHeight: 4
    property color textColorDefault: "white"
    property color textColorHover: "white"
    property color backgroundColorDefault: "#404040"
    property color backgroundColorHover: "white"
    property bool editable: false
    property bool selected: false
    property bool doHighlight: true

    readonly property bool highlighted: doHighlight && editable && (labelArea.containsMouse || diamondArea.containsMouse)

    signal clicked()
    signal doubleClicked()
    signal dragged(int start, int end)

    function reportDrag() {
        if (marker.editable)
            marker.dragged(marker.x / marker.viewScale, (marker.x + marker.width) / marker.viewScale)
    }

    x: viewScale * basePosition
    z: 16000
    width: labelMetrics.advanceWidth(labelText) + 5
    height: visibleLabel ? 20 : diamondHeight

    FontMetrics {
        id: labelMetrics
        font: label.font
    }

    Text {
        id: label
        objectName: "label"
        y: -2
        height: marker.height
        text: marker.labelText + " "
        textFormat: Text.PlainText
        font.pixelSize: 10
        verticalAlignment: Text.AlignVCenter
        color: marker.highlighted ? marker.textColorHover : marker.textColorDefault
        visible: marker.visibleLabel
    }

    Rectangle {
        id: labelFrame
        objectName: "labelFrame"
        anchors.fill: parent
        color: "transparent"
        border.width: 1
        border.color: labelArea.containsMouse && marker.editable && !marker.selected ? "gray" : "white"
        radius: 3
        antialiasing: true
        opacity: 0.7
        visible: (marker.selected && marker.visibleLabel) || (marker.editable && labelArea.containsMouse)
    }

    MouseArea {
        id: labelArea
        objectName: "labelArea"
        anchors.fill: parent
        visible: marker.visibleLabel
        hoverEnabled: true
        cursorShape: marker.editable ? Qt.PointingHandCursor : Qt.ArrowCursor
        drag.target: marker.editable ? marker : null
        drag.axis: Drag.XAxis
        drag.smoothed: false

        onClicked: {
            if (marker.editable)
                marker.clicked()
        }
        onDoubleClicked: marker.doubleClicked()
        onReleased: {
            if (drag.active)
                marker.reportDrag()
        }
    }

    Rectangle {
        id: diamond
        objectName: "diamond"
        x: -marker.diamondSize / 2
        y: labelFrame.height / 2 + marker.diamondHeight / 2
        width: marker.diamondSize
        height: marker.diamondSize
        rotation: 45
        border.color: "#515151"
        color: marker.highlighted ? marker.backgroundColorHover : marker.backgroundColorDefault
        visible: !marker.visibleLabel

        Rectangle {
            objectName: "diamondFrame"
            anchors.fill: parent
            color: "transparent"
            border.width: 1
            border.color: "white"
            radius: 1
            visible: marker.selected
        }

        MouseArea {
            id: diamondArea
            objectName: "diamondArea"
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: marker.editable ? Qt.PointingHandCursor : Qt.ArrowCursor
            drag.target: marker.editable ? marker : null
            drag.axis: Drag.XAxis
            drag.smoothed: false

            onClicked: {
                if (marker.editable)
                    marker.clicked()
            }
            onReleased: {
                if (drag.active)
                    marker.reportDrag()
            }
        }
    }

    VemoToolTip {
        id: toolTip
        objectName: "toolTip"
        y: marker.y - 1.1 * height
        text: marker.labelText
        visible: diamondArea.containsMouse
    }
}
