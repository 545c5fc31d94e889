import QtQuick
import com.quorvane.vemo_ui

// The playback position: a thin blue line over the whole height of the timeline content.
Item {
    id: playhead

    property int basePos: 0
    property double viewScale: 1.0

    x: basePos * viewScale
    width: 1
    height: parent ? parent.height : 0

    Rectangle {
        objectName: "line"
        width: 1
        height: playhead.height
        color: "#26A5DE"
    }
}
