#include "vemo_core/timeline_records.h"

#include "utilon/cout_buffer.h"

#include <array>
#include <cstring>

namespace TL {

BarsBeats::BarsBeats(std::uint32_t tick, std::int32_t barNumber, std::int32_t beat, const std::string& suffix)
    : tick(tick)
    , barNumber(barNumber)
    , beat(beat)
{
    std::memcpy(this->suffix, suffix.data(), std::min<std::size_t>(suffix.size(), sizeof(this->suffix) - 1));
}

std::string BarsBeats::bar_number() const
{
    if (barNumber < 0)
        return std::string();
    return std::to_string(barNumber) + std::string(suffix, strnlen(suffix, sizeof(suffix)));
}

void BarsBeats::WriteString(std::ostream& out) const
{
    out << "bar " << bar_number() << " beat " << beat << " @ " << tick;
}

void BarsBeats::WriteString(utilon::CoutBuffer& out) const
{
    WriteString(static_cast<std::ostream&>(out));
}

double Tempo::bpm(UInt8 clocksPerBeat) const
{
    if (usPerQuarter == 0 || clocksPerBeat == 0)
        return 0.0;
    return 60e6 / usPerQuarter * 24.0 / clocksPerBeat;
}

std::string Meter::label() const
{
    return std::to_string(numerator) + "/" + std::to_string(denominator);
}

Timeline::Timeline(std::vector<Key> keys, std::vector<Tempo> tempos, std::vector<Meter> meters)
    : keys_(std::move(keys))
    , tempos_(std::move(tempos))
    , meters_(std::move(meters))
{
}

} // namespace TL

namespace Keys {

std::string keyNameFromSig(short sharpsFlats, short mode)
{
    static constexpr std::array<const char*, 15> kMajor = {
        "Cb", "Gb", "Db", "Ab", "Eb", "Bb", "F", "C", "G", "D", "A", "E", "B", "F#", "C#"};
    static constexpr std::array<const char*, 15> kMinor = {
        "Ab", "Eb", "Bb", "F", "C", "G", "D", "A", "E", "B", "F#", "C#", "G#", "D#", "A#"};
    if (sharpsFlats < -7 || sharpsFlats > 7 || (mode != 0 && mode != 1))
        return "?";
    const auto index = static_cast<std::size_t>(sharpsFlats + 7);
    return mode == 0 ? std::string(kMajor[index]) : std::string(kMinor[index]) + "m";
}

} // namespace Keys
