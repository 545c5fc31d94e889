#include <vemo_demo_show/install.h>
#include <vemo_demo_show/scripted_driver.h>

#include <fonexa/sfx_manifest.h>
#include <fonexa/sfx_player.h>
#include <vemo_core/show_record.h>
#include <vemo_player_core/audio_interface.h>
#include <vemo_test/test_environment.h>

#include <QtTest>

#include <fstream>

using notify::EventKind;

namespace {

std::filesystem::path freshDataDirectory()
{
    static int counter = 0;
    return vemo::testing::TestRoot() / ("data" + std::to_string(counter++));
}

}  // namespace

class TestDemoShow : public QObject {
    Q_OBJECT
private slots:
    void init() { qunsetenv("VEMO_NO_DEMO"); }
    void cleanup() { qputenv("VEMO_NO_DEMO", "1"); }

    void installsOnceAsTheCurrentShow()
    {
        QVERIFY(vemo::testing::DataFoldersAreIsolated());
        const auto data = freshDataDirectory();
        QVERIFY(vemo::demo::InstallIfNoCurrentShow(data));
        const vemo::core::ShowRecordStore store(data);
        QCOMPARE(store.CurrentShowId(), std::string("the-lantern-keeper"));
        QCOMPARE(store.CurrentRecord().showName, std::string("The Lantern Keeper"));
        QCOMPARE(store.CurrentRecord().keyMaterial1.size(), std::size_t(32));
        const auto folder = store.CurrentShowFolder();
        for (const char* file : {"show.json", "show.record", "TheLanternKeeper-1.0.logdata",
                                 "TheLanternKeeper-1.1.logdata", "AlbumArtwork.jpg", "TheLanternKeeper.score"})
            QVERIFY2(std::filesystem::exists(folder / file), file);
        QVERIFY(std::filesystem::exists(data / "midi_commands.json"));
        const auto manifest = std::filesystem::path(vemo::sfx::SfxManifest::Location());
        QVERIFY(manifest.string().rfind((vemo::testing::TestRoot() / "machine").string(), 0) == 0);
        QVERIFY(std::filesystem::exists(manifest.parent_path() / "thunder.wav"));
        QCOMPARE(vemo::sfx::SfxManifest().durationMs("rain"), 8000);
        QVERIFY(!vemo::demo::InstallIfNoCurrentShow(data));
    }

    void neverOverwritesAndCanBeSkipped()
    {
        const auto data = freshDataDirectory();
        const auto folder = data / "shows" / "the-lantern-keeper";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "TheLanternKeeper-1.1.logdata") << "mine";
        qputenv("VEMO_NO_DEMO", "1");
        QVERIFY(!vemo::demo::InstallIfNoCurrentShow(data));
        QVERIFY(!std::filesystem::exists(data / "showrecords.json"));
        qunsetenv("VEMO_NO_DEMO");
        QVERIFY(vemo::demo::InstallIfNoCurrentShow(data));
        std::ifstream in(folder / "TheLanternKeeper-1.1.logdata");
        QCOMPARE(std::string(std::istreambuf_iterator<char>(in), {}), std::string("mine"));
    }

    void theDriverPlaysTheWholeDemoThroughEveryKind()
    {
        const auto data = freshDataDirectory();
        QVERIFY(vemo::demo::InstallIfNoCurrentShow(data));
        const vemo::core::ShowRecordStore store(data);
        vemo::AudioInterface::Options options;
        options.clock = vemo::AudioInterface::Options::Clock::Manual;
        vemo::AudioInterface engine(store.CurrentShowFolder().string(), data.string(), true, nullptr, options);
        engine.ThrowIfThreadExceptions();
        const auto credential = engine.GetShowAuthorizationData();
        QCOMPARE(std::string(credential.begin(), credential.end()), std::string("demo-lantern-keeper"));
        std::vector<std::string> flow;
        std::mutex mutex;
        vemo::demo::ScriptedDriver driver(engine, [&](const vemo::demo::ScriptedDriver::Seen& seen) {
            if (seen.kind == EventKind::StatusFlowControl) {
                std::lock_guard lock(mutex);
                flow.push_back(seen.text);
            }
        });
        driver.Start();
        double now = 0;
        while (!driver.Finished() && now < 10 * 60 * 1000) {
            engine.Probe().Advance(std::chrono::milliseconds(20));
            now += 20;
            driver.Poll(now);
        }
        QVERIFY(driver.Finished());
        QCOMPARE(engine.GetCurrentSongNumber(), std::string("3"));
        for (const char* text : {"Vamp", "Repeat", "Caesura", "Skip"})
            QVERIFY2(std::find(flow.begin(), flow.end(), text) != flow.end(), text);
        QCOMPARE(driver.CountOf(EventKind::Marker), std::uint64_t(3));
        QVERIFY(driver.CountOf(EventKind::Transposition) >= 2);
        const auto journal = engine.Probe().Journal();
        auto has = [&](const std::string& line) { return std::find(journal.begin(), journal.end(), line) != journal.end(); };
        QVERIFY(has("> notify 9 0 \"110%\""));
        QVERIFY(has("> notify 5 0 \"A\""));
        QVERIFY(has("> fonexa.play SFX1"));
        QVERIFY(has("> fonexa.play AMB1"));
        QVERIFY(has("> fonexa.stop AMB1"));
        QVERIFY(has("> notify 10 0 \"0005:03\""));
        QVERIFY(vemo::audio::SfxPlayerController().play(std::string("sfx.1")) != 0);
        QVERIFY(vemo::audio::SfxPlayerController().play(std::string("SFX1")) == 0);
    }
};

QTEST_GUILESS_MAIN(TestDemoShow)
#include "test_demo_show.moc"
