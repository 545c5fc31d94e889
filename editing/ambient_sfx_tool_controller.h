#pragma once

#include "editing/primary_sfx_tool_controller.h"

namespace vemo::qt {

// The ambient sound-effect tool ('R'): an ambient effect over a range of the song, chosen from the
// manifest's ambient effects, with the same properties as a primary cue.
class AmbientSFXToolController : public SfxToolController {
    Q_OBJECT

public:
    AmbientSFXToolController(QQmlEngine* engine, std::shared_ptr<Interface> player, EditController* editController,
                             std::shared_ptr<OutputPathsModel> outputPaths, QObject* parentWindow);

    void ConnectDocument() override;

signals:
    void ambientSFXToolClosing();

public slots:
    void onAmbientSFXButtonClicked(TL::BarsBeats inBarsBeats = {}, TL::BarsBeats outBarsBeats = {});
    void onAmbientSFXCreationRequest(QString inBar, int inBeat, QString outBar, int outBeat, QString name,
                                     QString outputPath, int outputPathIndex, QString effectId, int effectIdIndex,
                                     int volume, int pan, int reverb);
    void onAmbientSFXEdit(cmn::VemoEvent* vemoEvent);
    void onAmbientSFXChangeRequest(QString startBar, int startBeat, QString endBar, int endBeat, QString name,
                                   QString outputPath, int outputPathIndex, QString effectId, int effectIdIndex,
                                   int volume, int pan, int reverb);
    void onAmbientSFXToolClosing();
};

} // namespace vemo::qt
