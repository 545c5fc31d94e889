import QtQuick
import com.quorvane.musical_ui

// The primary sound-effect tool's window: one effect cue at a bar and beat.
SfxToolWindow {
    id: tool

    property alias sfxIdInput: tool.effectChoice
    property alias sfxListModel: tool.effectModel

    signal createPrimarySFXRequest(string inBar, int inBeat, string name, string outputPath, int outputPathIndex,
                                   string effectId, int effectIdIndex, int volume, int pan, int reverb)
    signal changePrimarySFXRequest(string inBar, int inBeat, string name, string outputPath, int outputPathIndex,
                                   string effectId, int effectIdIndex, int volume, int pan, int reverb)
    signal primarySFXToolClosing()

    modality: Qt.WindowModal

    onConfirmed: tool[isEdit ? "changePrimarySFXRequest" : "createPrimarySFXRequest"](
                     panel.inBar, parseInt(panel.inBeat), name, outputPath, outputPathIndex, effectId, effectIdIndex,
                     Math.trunc(volume), Math.trunc(pan), Math.trunc(reverb))
    onWindowClosing: primarySFXToolClosing()
}
