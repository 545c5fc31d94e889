#pragma once

#include <vemo_player_core/audio_interface.h>

#include <string>

namespace vemo::testing {

// The simulated engine, whose bar grid can be made to repeat its last bar start: the engine never
// does so by itself, and the edit model and the timeline must survive such a grid.
class RepeatedBarStartEngine : public vemo::AudioInterface {
public:
    using vemo::AudioInterface::AudioInterface;
    using vemo::AudioInterface::GetBarsBeats;

    bool repeatBarStart = false;

    TL::TimelineSequence<TL::BarsBeats> GetBarsBeats(const std::string& song, bool withClickEdits) const override
    {
        auto grid = vemo::AudioInterface::GetBarsBeats(song, withClickEdits);
        if (repeatBarStart)
            grid.push_back(grid[grid.size() - 1]);
        return grid;
    }
};

} // namespace vemo::testing
