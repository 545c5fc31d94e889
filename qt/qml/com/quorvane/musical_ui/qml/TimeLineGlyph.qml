import QtQuick
import com.quorvane.vemo_ui

// A sound-effect or OSC cue: an icon centred on the cue's position. A drop reports the unit
// under the icon's centre, rounded, as both ends, so a cue dropped where it was stays there.
Item {
    id: glyph

    property double viewScale: 1
    property int basePosition: 0
    property bool editable: false
    property bool selected: false
    property alias glyphPath: icon.source
    property bool enableOsc: true

    signal clicked()
    signal doubleClicked()
    signal dragged(int start, int end)

    x: viewScale * basePosition - 10
    z: 5000
    width: 20
    height: 20

    Image {
        id: icon
        objectName: "icon"
        anchors.fill: parent
        source: "qrc:/images/sfx.svg"
        smooth: true
        fillMode: Image.PreserveAspectFit
        opacity: glyph.enableOsc ? 1 : 0.3
    }

    MouseArea {
        objectName: "mouseArea"
        anchors.fill: parent
        enabled: glyph.editable
        hoverEnabled: true
        preventStealing: true
        cursorShape: Qt.PointingHandCursor
        drag.target: glyph
        drag.axis: Drag.XAxis
        drag.smoothed: false

        onClicked: glyph.clicked()
        onDoubleClicked: {
            if (glyph.enableOsc)
                glyph.doubleClicked()
        }
        onReleased: {
            if (!drag.active)
                return
            const centre = Math.round((glyph.x + 10) / glyph.viewScale)
            glyph.dragged(centre, centre)
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
        visible: glyph.selected
    }
}
