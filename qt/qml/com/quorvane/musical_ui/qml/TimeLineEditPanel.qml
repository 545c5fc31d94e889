import QtQuick
import com.quorvane.vemo_ui
import com.quorvane.musical_ui

// The frame of the main window's timeline: sizes it by the sound-effect rows and exposes it.
Item {
    id: panel

    property alias timelineControl: timeline
    property bool sfxEnable: true

    implicitHeight: timeline.height

    TimeLine {
        id: timeline
        objectName: "timeline"
        width: panel.width
        height: panel.sfxEnable ? 270 : 220
        sfxEnable: panel.sfxEnable
        clip: true

        BasicBevel {}
    }
}
