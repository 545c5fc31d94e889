#pragma once

#include "vemo_core/types.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

namespace utilon {
class CoutBuffer;
}

namespace TL {

// One beat of a song's grid.
struct BarsBeats {
    static constexpr UInt8 evt_code = 'b';

    std::uint32_t tick = 0;
    std::int32_t barNumber = -1; // -1 none, 0 pickup bar
    char suffix[4] = {0, 0, 0, 0}; // NUL-padded bar label suffix ("A" for bar "12A")
    std::int32_t beat = 0; // 1 = first beat of a bar

    BarsBeats() = default;
    BarsBeats(std::uint32_t tick, std::int32_t barNumber, std::int32_t beat, const std::string& suffix = {});

    // "" for no bar, else the bar number in decimal followed by the suffix.
    std::string bar_number() const;
    // "bar <bar_number()> beat <beat> @ <tick>"
    void WriteString(std::ostream& out) const;
    void WriteString(utilon::CoutBuffer& out) const;
};
static_assert(sizeof(BarsBeats) == 16);
static_assert(std::is_trivially_copyable_v<BarsBeats>);

// A key signature from a tick on.
struct Key {
    std::uint32_t tick = 0;
    std::int16_t mode = 0; // 0 major, 1 minor
    std::int16_t sharpsFlats = 0; // -7..7
};
static_assert(sizeof(Key) == 8);
static_assert(std::is_trivially_copyable_v<Key>);

// A tempo from a tick on.
struct Tempo {
    std::uint32_t tick = 0;
    std::uint32_t usPerQuarter = 500000;

    // Beats per minute for a beat of `clocksPerBeat` MIDI clocks; bpm(24) is quarter notes per minute.
    double bpm(UInt8 clocksPerBeat) const;
};
static_assert(sizeof(Tempo) == 8);
static_assert(std::is_trivially_copyable_v<Tempo>);

// A meter from a tick on.
struct Meter {
    std::uint32_t tick = 0;
    std::uint8_t numerator = 4;
    std::uint8_t denominator = 4;
    std::uint8_t pad[2] = {0, 0};

    // "n/d"
    std::string label() const;
};
static_assert(sizeof(Meter) == 8);
static_assert(std::is_trivially_copyable_v<Meter>);

// Keys, tempos and meters of one song, each in tick order.
class Timeline {
public:
    Timeline() = default;
    Timeline(std::vector<Key> keys, std::vector<Tempo> tempos, std::vector<Meter> meters);

    const std::vector<Key>& GetKeys() const { return keys_; }
    const std::vector<Tempo>& GetTempos() const { return tempos_; }
    const std::vector<Meter>& GetMeters() const { return meters_; }

private:
    std::vector<Key> keys_;
    std::vector<Tempo> tempos_;
    std::vector<Meter> meters_;
};

} // namespace TL

namespace Keys {

// Name of a key signature: major "C", "Bb", "F#"...; minor with "m" ("Em"); out of range "?".
std::string keyNameFromSig(short sharpsFlats, short mode);

} // namespace Keys
