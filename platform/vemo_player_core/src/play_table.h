#pragma once

#include "song_grid.h"

#include <vemo_core/properties.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vemo::engine {

// The engine's private, immutable copy of one song's change log: compiled under the engine lock
// whenever the log is published, and never shared with the program's editing objects.
struct PlayRegion {
    std::uint8_t code = 0;
    std::string id;
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    int intValue = 0;
    float floatValue = 1.0f;
    CL::SfxProperties sfx;  // ambient beds

    bool Contains(std::uint32_t tick) const { return end > start && start <= tick && tick < end; }
    std::string Key() const { return std::string(1, static_cast<char>(code)) + id; }
};

struct PlayPoint {
    std::uint8_t code = 0;
    std::string id;
    std::uint32_t tick = 0;
    std::string text;       // marker text, OSC message
    std::string networkId;  // OSC destination
    CL::SfxProperties sfx;  // sound-effect cues
};

struct SongPlayTable {
    int attacca = 0;
    std::vector<PlayRegion> vamps, repeats, cuts, skips, transpositions, tempoScales, clicks, ambients;
    std::vector<PlayPoint> markers, caesuras, sfx, oscs;  // tick order

    std::vector<ClickRegion> ClickRegions() const;
};

using PlayTables = std::map<std::string, SongPlayTable>;

}  // namespace vemo::engine
