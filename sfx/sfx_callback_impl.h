#pragma once

#include <fonexa/sfx_manager.h>
#include <vemo_player_core/callbacks.h>

#include <QObject>

#include <memory>
#include <string>

namespace vemo {

// Carries out an engine's sound-effect cues on a sound-effect manager of its own: primary cues by
// event id, ambient beds over the song intervals of the players registered for them.
class SfxCallbackImpl : public QObject, public SfxCallback {
    Q_OBJECT

public:
    SfxCallbackImpl();
    ~SfxCallbackImpl() override;

    void StopAllEffects() override;
    void StopAmbientEffects() override;
    void StopPrimaryEffects() override;
    void TriggerSfx(CL::SfxAmbient& event) override;
    void TriggerSfx(CL::Sfx& event) override;
    void RegisterAmbientPlayer(CL::SfxAmbient& event, const SongState& songState) override;
    void ProcessAmbientEvents(unsigned first, unsigned second, std::string song) override;

private:
    void PlayEvent(const std::string& eventId);

    std::unique_ptr<audio::SfxManager> manager_;
};

}  // namespace vemo
