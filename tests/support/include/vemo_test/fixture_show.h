#pragma once

// Writes small show folders for tests, in the format the engine and the core library read.
//
//     vemo::testing::FixtureShow show;
//     show.songs = {{.number = "1", .bars = 8, .audioEndTick = 7 * 1920, .attacca = 1,
//                    .events = {std::make_shared<CL::Marker>(1920, "Verse", "MRK1")}},
//                   {.number = "2", .meters = {{.bar = 1, .numerator = 3}, {.bar = 5, .numerator = 6, .denominator = 8}},
//                    .pickupBeats = 1}};
//     show.networks = {{.id = "NETWORK0", .name = "Desk"}};
//     const std::filesystem::path folder = show.Write();  // a fresh folder under the test's root
//
// - show.json: the show's id and name, its songs, pages, networks and output paths.
// - "<letters and digits of the name>-1.0.logdata": written when a song has events; it holds the
//   events, each song's attacca, the networks and the output paths.
// - A non-empty `effects` list replaces the machine's sound-effect manifest (in the test's machine
//   data folder) and gives each effect a stub file.
// Ticks count 480 to the quarter note; bars and beats count from 1 (bar 0 is a pickup bar).

#include <vemo_core/vemo_event.h>

#include <QJsonObject>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vemo::testing {

struct Meter {
    int bar = 1;
    int numerator = 4;
    int denominator = 4;
};

struct Tempo {
    int bar = 1;
    double bpm = 120.0;
    int beat = 1;
};

struct Key {
    int bar = 1;
    int sharpsFlats = 0;  // -7 (seven flats) to 7 (seven sharps)
    bool minor = false;
};

struct Song {
    std::string number{};
    int bars = 32;
    std::vector<Meter> meters{Meter{}};
    std::vector<Tempo> tempos{Tempo{}};
    std::vector<Key> keys{};  // none: C major
    int pickupBeats = 0;
    std::uint32_t startTick = 0;
    std::optional<std::uint32_t> editStartTick{};  // none: the song's start
    std::optional<std::uint32_t> audioEndTick{};   // none: the song's end
    int attacca = 0;                              // 0 plays, 1 continues into the next song, 2 skips
    std::vector<std::shared_ptr<const cmn::VemoEvent>> events{};
    std::string title{};        // "" gives "Song <number>"
    QJsonObject extraFields{};  // written over the fields above: unusual or malformed values

    // The song's entry in show.json.
    QJsonObject Entry() const;
};

struct Page {
    int page = 1;
    std::string song{};
    std::uint32_t tick = 0;
};

struct Network {
    std::string id{};
    std::string name{};
    std::string ip = "127.0.0.1";
    int port = 9001;
    int transport = 0;  // 0 UDP, 1 TCP
};

struct OutputPath {
    std::string id{};
    std::string name{};
    std::string deviceId{};  // "" is the system's default device
    std::string deviceName = "(default)";
};

struct Effect {
    std::string id{};
    std::string name{};
    bool ambient = false;
    int durationMs = 3000;
};

struct FixtureShow {
    std::string id = "fixture";
    std::string name = "Fixture";
    std::vector<Song> songs{};
    std::vector<Page> pages{};
    std::vector<Network> networks{};
    std::vector<OutputPath> outputPaths{};
    std::vector<Effect> effects{};
    QJsonObject extraFields{};  // top-level fields of show.json, written over the generated ones

    // Writes the show into `folder` (made when missing) and returns it.
    std::filesystem::path Write(const std::filesystem::path& folder) const;
    // Writes the show into a fresh folder "<test root>/fixture_shows/show<n>".
    std::filesystem::path Write() const;
    // The change log's file name: "<letters and digits of the name>-1.0.logdata".
    std::string LogFileName() const;
};

}  // namespace vemo::testing
