import QtQuick
import com.quorvane.musical_ui

// The skip tool's window: a range the operator can jump out of.
RangeToolWindow {
    id: tool

    signal changeSkipRequest(var startBar, var startBeat, var endBar, var endBeat)
    signal createSkipRequest(var startBar, var startBeat, var endBar, var endBeat)
    signal skipToolClosing()

    title: isEdit ? "Edit Skip" : "Create Skip"
    showEventId: true

    onConfirmed: (startBar, startBeat, endBar, endBeat) => {
        if (isEdit)
            changeSkipRequest(startBar, startBeat, endBar, endBeat)
        else
            createSkipRequest(startBar, startBeat, endBar, endBeat)
    }
    onWindowClosing: skipToolClosing()
}
