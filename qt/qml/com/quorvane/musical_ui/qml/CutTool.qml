import QtQuick
import com.quorvane.musical_ui

// The cut tool's window: a range of the song that playback jumps over.
RangeToolWindow {
    id: tool

    signal changeCutRequest(var startBar, var startBeat, var endBar, var endBeat)
    signal createCutRequest(var startBar, var startBeat, var endBar, var endBeat)
    signal cutToolClosing()

    title: isEdit ? "Edit Cut" : "Create Cut"
    showEventId: false

    onConfirmed: (startBar, startBeat, endBar, endBeat) => {
        if (isEdit)
            changeCutRequest(startBar, startBeat, endBar, endBeat)
        else
            createCutRequest(startBar, startBeat, endBar, endBeat)
    }
    onWindowClosing: cutToolClosing()
}
