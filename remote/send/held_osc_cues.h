#pragma once

#include <vemo_core/events.h>
#include <vemo_player_core/callbacks.h>
#include <vemo_player_core/interface.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

namespace vemo {

// The OSC cues the engine hands over while playback is not running, held until it starts. GUI
// thread only.
class HeldOscCues {
public:
    // Sends a cue at once while the player plays; otherwise holds it with delay 0 and the current song.
    void Enqueue(const CL::Osc& cue, std::uint32_t delayMs, Interface* player, PlayerOscCallback& sender);
    // Sends the held cues of the current song (a cue held without a player counts for the show's first
    // song), in order, and drops the rest.
    void Flush(Interface* player, PlayerOscCallback& sender);
    void Clear() { cues_.clear(); }
    std::size_t Size() const { return cues_.size(); }

private:
    struct Held {
        CL::Osc cue;
        std::string song;
    };
    std::deque<Held> cues_;
};

} // namespace vemo
