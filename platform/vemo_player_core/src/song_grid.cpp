#include "song_grid.h"

#include <algorithm>
#include <cstdio>

namespace vemo::engine {
namespace {

const int kClickCandidates[] = {1, 2, 3, 4, 6, 8, 12, 16, 24, 32};

const ClickRegion* clickForBar(const BarInfo& bar, const std::vector<ClickRegion>& clicks)
{
    const ClickRegion* found = nullptr;
    for (const auto& c : clicks) {
        if (c.end > c.start && c.start <= bar.start && bar.start < c.end)
            found = &c;
    }
    return found;
}

}  // namespace

SongGrid::SongGrid(const SongDescription& song, const std::vector<ClickRegion>& clicks) : length_(song.length)
{
    for (const auto& bar : song.bars) {
        const auto* click = bar.bar > 0 ? clickForBar(bar, clicks) : nullptr;
        if (!click || click->value <= 0) {
            for (const auto& b : song.beats) {
                if (b.bar == bar.bar)
                    beats_.push_back(b);
            }
            continue;
        }
        const auto step = kTicksPerWhole / static_cast<std::uint32_t>(click->value);
        int number = 1;
        for (std::uint32_t t = 0; t < bar.length; t += step)
            beats_.push_back(GridBeat{bar.start + t, bar.bar, number++});
    }
}

int SongGrid::IndexAtOrBefore(std::uint32_t tick) const
{
    if (beats_.empty())
        return -1;
    const auto it = std::upper_bound(beats_.begin(), beats_.end(), tick,
                                     [](std::uint32_t t, const GridBeat& b) { return t < b.tick; });
    if (it == beats_.begin())
        return 0;
    return static_cast<int>(it - beats_.begin()) - 1;
}

int SongGrid::IndexOfBar(const std::string& label) const
{
    for (std::size_t i = 0; i < beats_.size(); ++i) {
        if (std::to_string(beats_[i].bar) == label)
            return static_cast<int>(i);
    }
    return -1;
}

long SongGrid::NextBarStart(std::uint32_t tick) const
{
    const int index = IndexAtOrBefore(tick);
    if (index < 0)
        return -1;
    const int bar = beats_[index].tick > tick ? beats_[index].bar - 1 : beats_[index].bar;
    for (const auto& b : beats_) {
        if (b.bar > bar)
            return b.tick;
    }
    return -1;
}

long SongGrid::PreviousBarStart(std::uint32_t tick) const
{
    const int index = IndexAtOrBefore(tick);
    if (index < 0)
        return -1;
    const int target = beats_[index].bar - 1;
    for (const auto& b : beats_) {
        if (b.bar == target)
            return b.tick;
    }
    return beats_.front().tick;
}

std::vector<int> ClickValues(const SongDescription& song, std::uint32_t start, std::uint32_t end)
{
    std::vector<const BarInfo*> bars;
    const auto last = std::max(start, end);
    for (const auto& bar : song.bars) {
        const bool holdsStart = bar.start <= start && start < bar.start + bar.length;
        const bool startsInside = bar.start >= start && bar.start < last;
        if (holdsStart || startsInside)
            bars.push_back(&bar);
    }
    if (bars.empty())
        return {};
    std::vector<int> values;
    const int denominator = bars.front()->denominator;
    auto fits = [&](int v) {
        const auto step = kTicksPerWhole / static_cast<std::uint32_t>(v);
        return std::all_of(bars.begin(), bars.end(), [&](const BarInfo* b) { return b->length % step == 0; });
    };
    if (fits(denominator))
        values.push_back(denominator);
    for (int v : kClickCandidates) {
        if (v != denominator && fits(v))
            values.push_back(v);
    }
    return values;
}

std::string BarBeatText(const GridBeat& beat)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d:%02d", beat.bar, beat.beat);
    return buffer;
}

}  // namespace vemo::engine
