#include "engine_fixture.h"

#include <vemo_core/errors.h>
#include <vemo_tolbrin2/tn2_audio_interface.h>

#include <QtTest>

using namespace enginetest;

namespace {

std::map<std::string, std::string> snapshot(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[entry.path().string()] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return files;
}

void writeText(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream(file) << text;
}

const char* kGoodLogHead = R"({"format": "2.0", "show": "fixture", "version": {"major": 1, "minor": 0}, "networks": [], "outputPaths": [], "soundEffects": [], "songs": {}})";

}  // namespace

class TestEngineLoad : public QObject {
    Q_OBJECT
private slots:
    void loadErrorsSurfaceOnce_data()
    {
        QTest::addColumn<QString>("showJson");
        QTest::addColumn<QString>("logText");
        QTest::addColumn<QString>("message");
        const QString song = QString::fromStdString("[" + FourFourSong("1") + "]");
        const QString good = R"({"id": "fixture", "name": "Fixture", "songs": )" + song + "}";
        QTest::newRow("no show.json") << QString() << QString() << "Show description not found: ";
        QTest::newRow("invalid JSON") << "{\"songs\": [" << QString() << "Show description is not valid JSON: ";
        QTest::newRow("meter") << R"({"songs": [{"number": "2", "bars": 4, "meters": [{"bar": 1, "num": 5, "den": 7}]}]})"
                               << QString() << "Show description is invalid: song 2: meter 5/7 is not supported";
        QTest::newRow("no bars") << R"({"songs": [{"number": "1", "bars": 0}]})" << QString()
                                 << "Show description is invalid: song 1: the song has no bars";
        QTest::newRow("no songs") << R"({"songs": []})" << QString() << "Show description has no songs";
        QTest::newRow("pages out of order")
            << R"({"songs": [{"number": "1", "bars": 8}], "pages": [{"page": 2, "song": "1", "tick": 0}, {"page": 1, "song": "1", "bar": "3"}]})"
            << QString() << "Show description is invalid: pages must be numbered 1 to 2 in song and tick order";
        QTest::newRow("malformed log") << good << R"({"format": "2.0", "songs": 7})" << "Change log Fixture-1.0.logdata is malformed";
        QTest::newRow("newer log") << good << QString(kGoodLogHead).replace("\"2.0\"", "\"3.0\"")
                                   << "The change log Fixture-1.0.logdata uses format 3.0";
        QTest::newRow("another show") << good << QString(kGoodLogHead).replace("\"fixture\"", "\"other\"")
                                      << "Change log belongs to another show: ";
    }
    void loadErrorsSurfaceOnce()
    {
        QFETCH(QString, showJson);
        QFETCH(QString, logText);
        QFETCH(QString, message);
        const auto folder = vemo::testing::TestRoot() / "bad" / QTest::currentDataTag();
        std::filesystem::create_directories(folder);
        if (!showJson.isNull())
            writeText(folder / "show.json", showJson.toStdString());
        if (!logText.isNull()) {
            writeText(folder / "Fixture-1.0.logdata", logText.toStdString());
            writeText(folder / "show.record", R"({"id": "fixture"})");
        }
        const auto before = snapshot(folder);
        {
            vemo::AudioInterface engine(folder.string(), (folder / "data").string(), false, nullptr, ManualClock());
            try {
                engine.ThrowIfThreadExceptions();
                QFAIL("the load should fail");
            } catch (const std::exception& e) {
                QVERIFY2(std::string(e.what()).find(message.toStdString()) != std::string::npos, e.what());
            }
            engine.ThrowIfThreadExceptions();
            engine.Play();
            QVERIFY(!engine.GetIsPlaying());
            QCOMPARE(engine.GetTickIndex(), UInt32(0));
            QVERIFY(engine.GetBarsBeats("1").empty());
        }
        QCOMPARE(snapshot(folder), before);
    }

    void theHighestVersionIsLoaded()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]", {{"1", {Ev<CL::Marker>(0, "Old", "MRK1")}}});
        CL::ChangeLogDocument newer;
        newer.SetShowId("fixture");
        newer.SetVersion(cmn::VEMOVersion{1, 10});
        newer.SongForWriting("1").Insert(std::make_shared<CL::Marker>(0, "New", "MRK1"));
        newer.Save(show.folder / "Fixture-1.10.logdata");
        writeText(show.folder / "Fixture-9.0.logdata.tmp", "partial");
        auto engine = MakeEngine(show);
        QCOMPARE(engine->GetChangelogFilename(), std::string("Fixture-1.10.logdata"));
        QCOMPARE(engine->GetMarkers().at(0)->value(), std::string("New"));
    }

    void withoutALogTheShowSeedsAnEmptyOne()
    {
        const auto show = MakeShow("[" + FourFourSong("1", 4, R"(, "attacca": 1)") + "," + FourFourSong("2", 4) + "]", {},
                                   R"("networks": [{"networkId": "NETWORK0", "name": "Desk", "ip": "127.0.0.1", "port": 9001, "transport": 0}], )");
        auto engine = MakeEngine(show);
        QCOMPARE(engine->GetChangelogFilename(), std::string());
        QCOMPARE(engine->GetLogVersion(), std::string("0.0"));
        QCOMPARE(engine->GetNetwork("NETWORK0").Port(), 9001);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, engine->GetNetwork("NETWORK9"));
        QCOMPARE(int(engine->GetAttacca("1")), 1);
        QCOMPARE(engine->GetSongLength("1"), UInt32(4 * 1920));
    }

    void editStartAndJournalFile()
    {
        const auto show = MakeShow("[" + FourFourSong("1", 4, R"(, "startTick": 960, "editStartTick": 1000)") + "]");
        const auto journal = show.folder.parent_path() / "journal.txt";
        auto options = ManualClock();
        options.journalPath = journal.string();
        {
            vemo::AudioInterface engine(show.folder.string(), show.dataDirectory.string(), false, nullptr, options);
            engine.ThrowIfThreadExceptions();
            QCOMPARE(engine.GetMinStartTickIndex(), UInt32(1000));
            QCOMPARE(engine.GetCurrentStartTickIndex(), UInt32(1000));
            QCOMPARE(engine.GetSongStartTickIndex("1"), UInt32(960));
            QCOMPARE(engine.GetSongLength("1"), UInt32(960 + 4 * 1920));
            QCOMPARE(engine.GetAvailableShiftAfterBarBeat(960 + 4 * 1920 - 480, false), UInt32(479));
            QCOMPARE(engine.GetBarString(960 + 1920), std::string("2"));
            engine.Play();
        }
        std::ifstream in(journal);
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        QVERIFY(text.find("GetMinStartTickIndex()->1000\n") != std::string::npos);
        QVERIFY(text.find("Play()\n> notify 0 0 \"\"\n") != std::string::npos);
    }

    void theDemoShowLoads()
    {
        vemo::Tn2AudioInterface engine(CopyShow(DemoShowSource(), "demo").string(),
                                       (vemo::testing::TestRoot() / "data").string(), false, nullptr);
        engine.ThrowIfThreadExceptions();
        QCOMPARE(engine.GetChangelogFilename(), std::string("TheLanternKeeper-1.1.logdata"));
        QCOMPARE(engine.GetSongNamesBySongNumber().size(), std::size_t(3));
        QCOMPARE(engine.GetSongLength("2"), UInt32(35520));
        QCOMPARE(engine.GetSongLength("3"), UInt32(17280));
        QCOMPARE(engine.GetSongAudioEndTick("1"), UInt32(32640));
        QCOMPARE(engine.LookupPage(4), (std::pair<std::string, UInt32>{"2", 960 + 12 * 1440}));
        QCOMPARE(engine.GetChangeLogSoundEffects().size(), std::size_t(2));
        QCOMPARE(engine.GetCommandNames().at(7), std::string("Fade Out"));
        QCOMPARE(engine.GetAllowedCommandStatuses(), (std::vector<int>{0x90, 0x80, 0xB0, 0xC0}));
        QVERIFY(engine.Probe().Journal().front().find("Tol|brin") != std::string::npos);
        QCOMPARE(vemo::testing::CurrentEngine(), &engine.Probe());
        engine.SetChangelogFilename("TheLanternKeeper-1.0.logdata");
        QCOMPARE(engine.GetLogVersion(), std::string("1.0"));
        QCOMPARE(engine.GetChangeLogSoundEffects().size(), std::size_t(0));
    }
};

QTEST_GUILESS_MAIN(TestEngineLoad)
#include "test_engine_load.moc"
