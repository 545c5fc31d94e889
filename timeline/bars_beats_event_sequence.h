#pragma once

#include <vemo_core/sequence.h>
#include <vemo_core/timeline_records.h>

#include <tsl/ordered_map.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace vemo::qt {

// One bar of the grid: its text, its ordinal and the labels and ticks of its beats.
struct BarRecord {
    int tick = 0;
    std::string barText = "Unk";
    int index = 0;
    std::vector<std::string> beatLabels;
    std::unordered_map<std::string, int> beatTicks;

    std::string BarText() const { return barText; }
    std::size_t BeatCount() const { return beatLabels.size(); }
    std::string BeatLabel(std::size_t i) const { return beatLabels[i]; }
    // Throws std::out_of_range for a label the bar does not have; a repeated label gives its later tick.
    int BeatTick(const std::string& label) const;
    void AddBeat(std::string label, int tick);
};

// The bar and beat grid of one song: bar records in the order the bars first appear (beats before
// the first bar start collect in an "Unk" record at position 0), and the flat beat list for the
// nearest-beat search. Immutable once built.
class BarsBeatsEventSequence {
public:
    // Throws std::runtime_error when two consecutive bar starts share a tick.
    explicit BarsBeatsEventSequence(const TL::TimelineSequence<TL::BarsBeats>& input);

    // The tick of the beat nearest to `tick`; a tie goes to the earlier beat; 0 without beats.
    std::uint32_t NearestBeatTick(std::uint32_t tick) const;
    std::size_t BarCount() const { return barsByTick.size(); }
    // The caller keeps `position` below BarCount().
    BarRecord BarAt(std::size_t position) const;

private:
    TL::TimelineSequence<TL::BarsBeats> beats;
    tsl::ordered_map<std::uint32_t, BarRecord> barsByTick;
    tsl::ordered_map<std::string, std::uint32_t> barTickByText;
};

} // namespace vemo::qt
