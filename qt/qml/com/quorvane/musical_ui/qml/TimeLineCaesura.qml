import QtQuick
import com.quorvane.vemo_ui

// A caesura on the events row: its icon's left edge stands on the caesura's position.
Item {
    id: caesura

    property double viewScale: 1.0
    property int basePosition: 0
    property bool editable: false
    property bool selected: false

    signal clicked()
    signal doubleClicked()
    signal dragged(int start, int end)

    x: viewScale * basePosition
    z: x
    width: 11
    height: 16

    Image {
        objectName: "icon"
        x: 1
        y: 3
        width: 10
        height: 10
        source: "qrc:/images/caesura.svg"
        smooth: true
        fillMode: Image.PreserveAspectFit
    }

    MouseArea {
        objectName: "mouseArea"
        anchors.fill: parent
        hoverEnabled: true
        preventStealing: true
        cursorShape: Qt.PointingHandCursor
        drag.target: caesura.editable ? caesura : null
        drag.axis: Drag.XAxis
        drag.smoothed: false

        onClicked: caesura.clicked()
        onDoubleClicked: caesura.doubleClicked()
        onReleased: {
            if (!drag.active)
                return
            console.debug("caesura control.x =", caesura.x)
            caesura.dragged(caesura.x / caesura.viewScale, (caesura.x + caesura.width) / caesura.viewScale)
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
        visible: caesura.selected
    }
}
