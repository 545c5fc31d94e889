import QtQuick
import com.quorvane.musical_ui

// The ambient sound-effect tool's window: an ambient effect from an in bar and beat to an out bar
// and beat.
SfxToolWindow {
    id: tool

    property alias ambientListModel: tool.effectModel

    signal createAmbientSFXRequest(string inBar, int inBeat, string outBar, int outBeat, string name,
                                   string outputPath, int outputPathIndex, string effectId, int effectIdIndex,
                                   int volume, int pan, int reverb)
    signal changeAmbientSFXRequest(string inBar, int inBeat, string outBar, int outBeat, string name,
                                   string outputPath, int outputPathIndex, string effectId, int effectIdIndex,
                                   int volume, int pan, int reverb)
    signal ambientSFXToolClosing()

    ranged: true
    modality: Qt.ApplicationModal

    onConfirmed: tool[isEdit ? "changeAmbientSFXRequest" : "createAmbientSFXRequest"](
                     panel.inBar, parseInt(panel.inBeat), panel.outBar, parseInt(panel.outBeat), name, outputPath,
                     outputPathIndex, effectId, effectIdIndex, Math.trunc(volume), Math.trunc(pan), Math.trunc(reverb))
    onWindowClosing: ambientSFXToolClosing()
}
