#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vemo::engine {

inline constexpr std::uint32_t kTicksPerQuarter = 480;
inline constexpr std::uint32_t kTicksPerWhole = 1920;

// One beat of a song's grid. bar 0 is the pickup bar.
struct GridBeat {
    std::uint32_t tick = 0;
    int bar = 0;
    int beat = 1;
};

struct BarInfo {
    std::uint32_t start = 0;
    std::uint32_t length = 0;
    int bar = 0;
    int numerator = 4;
    int denominator = 4;
};

struct TempoPoint {
    std::uint32_t tick = 0;
    double bpm = 120.0;
};

struct KeyPoint {
    std::uint32_t tick = 0;
    int sharpsFlats = 0;
    int mode = 0;
};

struct MeterPoint {
    std::uint32_t tick = 0;
    int numerator = 4;
    int denominator = 4;
};

struct SongDescription {
    std::string number;
    std::string title;
    std::uint32_t startTick = 0;
    std::uint32_t editStartTick = 0;
    std::uint32_t audioStartTick = 0;
    std::uint32_t audioEndTick = 0;
    std::uint32_t length = 0;
    int attacca = 0;
    std::vector<BarInfo> bars;  // pickup bar first when there is one
    std::vector<GridBeat> beats;
    std::vector<TempoPoint> tempos;
    std::vector<KeyPoint> keys;
    std::vector<MeterPoint> meters;
};

struct PageEntry {
    unsigned page = 0;
    std::string song;
    std::uint32_t tick = 0;
};

struct NetworkEntry {
    std::string networkId, name, ip;
    int port = 0;
    int transport = 0;
};

struct OutputPathEntry {
    std::string id, name, deviceId, deviceName;
};

struct MidiCommandEntry {
    int id = 0;
    std::string name;
    std::string action;
};

struct ShowDescription {
    std::string id;
    std::string name;
    std::vector<SongDescription> songs;  // numeric song order
    std::vector<PageEntry> pages;        // (song order, tick) order
    std::vector<NetworkEntry> networks;
    std::vector<OutputPathEntry> outputPaths;
    std::vector<MidiCommandEntry> midiCommands;
    std::vector<int> allowedStatuses;

    const SongDescription* FindSong(const std::string& number) const;
    int SongIndex(const std::string& number) const;  // -1 when unknown
};

// Reads <showFolder>/show.json. Throws std::runtime_error with the texts users see:
// "Show description not found: <path>", "Show description is not valid JSON: <path>: <message>",
// "Show description is invalid: <detail>", "Show description has no songs".
ShowDescription LoadShowDescription(const std::filesystem::path& showFolder);

// The file-name stem of a show name: its characters in [A-Za-z0-9].
std::string ShowStem(const std::string& showName);

}  // namespace vemo::engine
