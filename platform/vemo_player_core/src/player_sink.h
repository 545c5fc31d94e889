#pragma once

#include "play_table.h"

#include <vemo_core/notify.h>

#include <functional>
#include <optional>
#include <string>

namespace vemo::engine {

// What playback asks of the world outside. The engine queues each call and delivers it later on
// its own thread, outside its lock, in the order made.
class PlayerSink {
public:
    virtual ~PlayerSink() = default;
    virtual void Notify(notify::EventKind kind, int value, std::optional<std::string> text) = 0;
    virtual void OscCue(const PlayPoint& cue, unsigned delayMs, bool enqueue) = 0;
    virtual void FadeDone(std::function<void()> done) = 0;

    // Sound effects.
    virtual void EffectsSongLoaded(const std::string& song) = 0;
    virtual void EffectsCue(const std::string& song, const PlayPoint& cue) = 0;
    virtual void EffectsAmbient(const std::string& song, const PlayRegion& region, bool play) = 0;
    virtual void EffectsStepped(std::uint32_t from, std::uint32_t to, const std::string& song) = 0;
    virtual void EffectsStopped(bool ambientOnly) = 0;
};

}  // namespace vemo::engine
