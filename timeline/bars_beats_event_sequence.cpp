#include "timeline/bars_beats_event_sequence.h"

#include <limits>
#include <stdexcept>

namespace vemo::qt {

int BarRecord::BeatTick(const std::string& label) const
{
    const auto found = beatTicks.find(label);
    if (found == beatTicks.end())
        throw std::out_of_range("invalid unordered_map<K, T> key");
    return found->second;
}

void BarRecord::AddBeat(std::string label, int tick)
{
    beatTicks.insert_or_assign(label, tick);
    beatLabels.push_back(std::move(label));
}

BarsBeatsEventSequence::BarsBeatsEventSequence(const TL::TimelineSequence<TL::BarsBeats>& input)
    : beats(input)
{
    std::uint32_t currentBarTick = std::numeric_limits<std::uint32_t>::max();
    int barCounter = 0;
    for (const TL::BarsBeats& beat : beats) {
        const int tick = static_cast<int>(beat.tick);
        if (beat.beat == 1) {
            if (beat.tick == currentBarTick)
                throw std::runtime_error("barBeat with duplicate tick index.");
            currentBarTick = beat.tick;
            BarRecord bar;
            bar.tick = tick;
            bar.barText = beat.bar_number();
            bar.index = barCounter;
            bar.AddBeat("1", tick);
            barsByTick.insert_or_assign(currentBarTick, std::move(bar));
            barTickByText.insert_or_assign(beat.bar_number(), currentBarTick);
            ++barCounter;
        } else {
            barsByTick[currentBarTick].AddBeat(std::to_string(beat.beat), tick);
        }
    }
}

std::uint32_t BarsBeatsEventSequence::NearestBeatTick(std::uint32_t tick) const
{
    if (beats.empty())
        return 0;
    std::size_t earlier = 0;
    for (std::size_t i = 0; i < beats.size() && beats[i].tick <= tick; ++i)
        earlier = i;
    std::size_t later = beats.size() - 1;
    for (std::size_t i = beats.size(); i-- > 0;) {
        if (beats[i].tick < tick)
            break;
        later = i;
    }
    const std::uint32_t before = beats[earlier].tick;
    const std::uint32_t after = beats[later].tick;
    return after - tick < tick - before ? after : before;
}

BarRecord BarsBeatsEventSequence::BarAt(std::size_t position) const
{
    return barsByTick.nth(position)->second;
}

} // namespace vemo::qt
