#include "vemo_test/fixture_show.h"

#include <fonexa/sfx_manifest.h>
#include <vemo_core/events.h>
#include <vemo_player_core/audio_interface.h>

#include <QtTest>

#include <filesystem>

using vemo::testing::FixtureShow;

namespace {

// Song 1: 3/4 with a one-beat pickup from tick 480, 6/8 from bar 3; bars start at 960, 2400, 3840
// and 5280, and the song ends at 6720. Song 2: four bars of 4/4 with nothing else set.
FixtureShow richShow()
{
    FixtureShow show;
    show.name = "Rich Show";
    show.songs = {{.number = "1",
                   .bars = 4,
                   .meters = {{.bar = 1, .numerator = 3}, {.bar = 3, .numerator = 6, .denominator = 8}},
                   .tempos = {{.bar = 1, .bpm = 150.0}, {.bar = 3, .bpm = 100.0, .beat = 2}},
                   .keys = {{.bar = 2, .sharpsFlats = 2, .minor = true}},
                   .pickupBeats = 1,
                   .startTick = 480,
                   .editStartTick = 2400,
                   .audioEndTick = 6000,
                   .attacca = 1,
                   .events = {std::make_shared<CL::Marker>(2400, "Verse", "MRK1")}},
                  {.number = "2", .bars = 4, .extraFields = {{"title", "Finale"}}}};
    show.pages = {{.page = 1, .song = "1", .tick = 480}, {.page = 2, .song = "2", .tick = 1920}};
    show.networks = {{.id = "NETWORK0", .name = "Desk", .port = 9100}};
    show.outputPaths = {{.id = "PATH1", .name = "Mains"}};
    show.effects = {{.id = "thunder", .name = "Thunder"}, {.id = "rain", .name = "Rain", .ambient = true, .durationMs = 9000}};
    return show;
}

std::unique_ptr<vemo::AudioInterface> load(const std::filesystem::path& folder)
{
    vemo::AudioInterface::Options options;
    options.clock = vemo::AudioInterface::Options::Clock::Manual;
    auto engine = std::make_unique<vemo::AudioInterface>(folder.string(), (folder.parent_path() / "data").string(),
                                                         false, nullptr, options);
    engine->ThrowIfThreadExceptions();
    return engine;
}

}  // namespace

class TestFixtureShow : public QObject {
    Q_OBJECT

private slots:
    void theEngineReadsTheSongsAsDescribed()
    {
        const auto folder = richShow().Write();
        auto engine = load(folder);

        QCOMPARE(engine->GetSongStartTickIndex("1"), UInt32(480));
        QCOMPARE(engine->GetSongLength("1"), UInt32(6720));
        QCOMPARE(engine->GetSongAudioEndTick("1"), UInt32(6000));
        QCOMPARE(engine->GetSongLength("2"), UInt32(4 * 1920));
        QCOMPARE(engine->GetSongAudioEndTick("2"), UInt32(4 * 1920));
        QCOMPARE(int(engine->GetAttacca("1")), 1);
        QCOMPARE(int(engine->GetAttacca("2")), 0);
        QCOMPARE(engine->GetMinStartTickIndex(), UInt32(2400));
        QCOMPARE(engine->GetSongNamesBySongNumber(),
                 (vemo::SongNameMap{{"1", "Song 1"}, {"2", "Finale"}}));

        std::vector<std::pair<UInt32, int>> barStarts;
        for (const auto& beat : engine->GetBarsBeats("1", false)) {
            if (beat.beat == 1 || beat.barNumber == 0)
                barStarts.emplace_back(beat.tick, beat.barNumber);
        }
        // The grid ends with the first beat after the last bar.
        QCOMPARE(barStarts, (std::vector<std::pair<UInt32, int>>{
                                {480, 0}, {960, 1}, {2400, 2}, {3840, 3}, {5280, 4}, {6720, 5}}));

        const TL::Timeline timeline = engine->GetTimeline();
        QCOMPARE(timeline.GetMeters().size(), std::size_t(2));
        QCOMPARE(timeline.GetMeters()[1].tick, UInt32(3840));
        QCOMPARE(timeline.GetMeters()[1].label(), std::string("6/8"));
        QCOMPARE(timeline.GetTempos().size(), std::size_t(2));
        QCOMPARE(timeline.GetTempos()[0].usPerQuarter, UInt32(400000));
        QCOMPARE(timeline.GetTempos()[1].tick, UInt32(4080));
        QCOMPARE(timeline.GetTempos()[1].usPerQuarter, UInt32(600000));
        QCOMPARE(timeline.GetKeys().size(), std::size_t(1));
        QCOMPARE(timeline.GetKeys()[0].tick, UInt32(2400));
        QCOMPARE(int(timeline.GetKeys()[0].sharpsFlats), 2);
        QCOMPARE(int(timeline.GetKeys()[0].mode), 1);
    }

    void theChangeLogAndTheShowTablesLoad()
    {
        const FixtureShow show = richShow();
        QCOMPARE(show.LogFileName(), std::string("RichShow-1.0.logdata"));
        auto engine = load(show.Write());

        QCOMPARE(engine->GetChangelogFilename(), std::string("RichShow-1.0.logdata"));
        const auto markers = engine->GetMarkers();
        QCOMPARE(markers.size(), std::size_t(1));
        QCOMPARE(markers[0]->EventId(), std::string("MRK1"));
        QCOMPARE(markers[0]->start(), UInt32(2400));
        const CL::NetworkPathVectorT networks = engine->GetNetworks();
        QCOMPARE(networks.size(), std::size_t(1));
        QCOMPARE(networks[0].NetworkId(), std::string("NETWORK0"));
        QCOMPARE(networks[0].Port(), 9100);
        QCOMPARE(networks[0].IpAddress(), std::string("127.0.0.1"));
        QCOMPARE(engine->GetOutputPathMap().at("PATH1").GetName(), std::string("Mains"));
        QCOMPARE(engine->LookupPage(2), (std::pair<std::string, UInt32>{"2", 1920}));
    }

    void withoutEventsNoChangeLogIsWritten()
    {
        FixtureShow show;
        show.songs = {{.number = "1", .attacca = 2}};
        const auto folder = show.Write();
        QVERIFY(std::filesystem::exists(folder / "show.json"));
        QVERIFY(!std::filesystem::exists(folder / show.LogFileName()));
        QCOMPARE(int(load(folder)->GetAttacca("1")), 2);
    }

    void theManifestListsTheEffects()
    {
        richShow().Write();
        const vemo::sfx::SfxManifest manifest;
        QCOMPARE(manifest.displayName("thunder"), std::optional<std::string>("Thunder"));
        QCOMPARE(manifest.type("thunder"), std::optional(vemo::sfx::SfxType::Primary));
        QCOMPARE(manifest.type("rain"), std::optional(vemo::sfx::SfxType::Ambient));
        QCOMPARE(manifest.durationMs("rain"), 9000);
        QVERIFY(manifest.path("rain") && std::filesystem::exists(*manifest.path("rain")));
    }
};

QTEST_GUILESS_MAIN(TestFixtureShow)
#include "test_fixture_show.moc"
