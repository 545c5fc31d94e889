#pragma once

#include "vemo_player_core/types.h"

#include <vemo_core/events.h>

#include <cstdint>
#include <string>

namespace vemo {

// Receives the OSC cues of the playing song, on the engine thread only.
class PlayerOscCallback {
public:
    virtual ~PlayerOscCallback() = default;
    // A cue reached while playing; delayMs = time until the cue's tick at the current rate.
    virtual void ExecuteEvent(const CL::Osc& cue, unsigned delayMs) = 0;
    // A cue the position landed on while stopped or paused; to be sent once playback starts.
    virtual void EnqueueEvent(const CL::Osc& cue, unsigned delayMs) = 0;
    virtual void SetDefaultPort(uint16_t port) = 0;
};

// Receives the sound-effect cues of the playing song, on the engine thread only.
class SfxCallback {
public:
    virtual ~SfxCallback() = default;
    virtual void StopAllEffects() = 0;
    virtual void StopAmbientEffects() = 0;
    virtual void StopPrimaryEffects() = 0;
    virtual void TriggerSfx(CL::SfxAmbient& event) = 0;
    virtual void TriggerSfx(CL::Sfx& event) = 0;
    virtual void RegisterAmbientPlayer(CL::SfxAmbient& event, const vemo::SongState& songState) = 0;
    virtual void ProcessAmbientEvents(unsigned first, unsigned second, std::string song) = 0;
};

}  // namespace vemo
