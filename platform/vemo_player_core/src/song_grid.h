#pragma once

#include "show_description.h"

#include <string>
#include <vector>

namespace vemo::engine {

struct ClickRegion {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    int value = 4;
};

// The beat grid of one song: the meter grid, or the click grid where click regions renumber bars.
class SongGrid {
public:
    SongGrid() = default;
    SongGrid(const SongDescription& song, const std::vector<ClickRegion>& clicks);

    const std::vector<GridBeat>& Beats() const { return beats_; }
    std::uint32_t Length() const { return length_; }

    // Index of the last beat at or before tick; the first beat when tick lies before it; -1 when empty.
    int IndexAtOrBefore(std::uint32_t tick) const;
    // Index of the beat of bar `bar` (label) that a seek lands on: beat 1, or the first pickup beat.
    int IndexOfBar(const std::string& label) const;
    // Start tick of the bar after / before the one holding tick; nullopt-like -1 when none.
    long NextBarStart(std::uint32_t tick) const;
    long PreviousBarStart(std::uint32_t tick) const;

private:
    std::vector<GridBeat> beats_;
    std::uint32_t length_ = 0;
};

// Click values offered for [start, end): the meter denominator first, then ascending.
std::vector<int> ClickValues(const SongDescription& song, std::uint32_t start, std::uint32_t end);

// "0012:03"; the pickup bar is "0000".
std::string BarBeatText(const GridBeat& beat);

}  // namespace vemo::engine
