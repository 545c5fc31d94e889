#include <fonexa/sfx_manifest.h>
#include <fonexa/sfx_player.h>
#include <vemo_test/test_environment.h>

#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include <fstream>
#include <map>
#include <memory>

using namespace vemo::audio;

namespace {

void writeManifest()
{
    const auto folder = std::filesystem::path(vemo::sfx::SfxManifest::Location()).parent_path();
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "manifest.json") << R"({"sfx": [{"name": "Thunder", "id": "thunder", "file": "thunder.wav", "durationMs": 30}],
        "ambient": [{"name": "Rain", "id": "rain", "file": "rain.wav"}, {"name": "Wind", "id": "wind"}]})";
    std::ofstream(folder / "thunder.wav") << "x";
    // 8 kHz 8-bit mono, 4000 data bytes = 500 ms.
    std::ofstream wav(folder / "rain.wav", std::ios::binary);
    auto u32 = [&](std::uint32_t v) { wav.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { wav.write(reinterpret_cast<const char*>(&v), 2); };
    wav.write("RIFF", 4);
    u32(36 + 4000);
    wav.write("WAVEfmt ", 8);
    u32(16), u16(1), u16(1), u32(8000), u32(8000), u16(1), u16(8);
    wav.write("data", 4);
    u32(4000);
    wav << std::string(4000, '\x80');
}

SfxInstanceInfo instance(std::string eventId, std::string name, std::string effectId, int repeats = 0)
{
    SfxInstanceInfo info;
    info.eventId = std::move(eventId);
    info.name = std::move(name);
    info.effectId = std::move(effectId);
    info.repeats = repeats;
    return info;
}

}  // namespace

class TestFonexa : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(vemo::testing::DataFoldersAreIsolated());
        writeManifest();
    }

    void manifestReadsEntriesAndLengths()
    {
        const vemo::sfx::SfxManifest manifest;
        QVERIFY(manifest.HasEffectId("thunder"));
        QCOMPARE(manifest.type("rain"), std::optional(vemo::sfx::SfxType::Ambient));
        QCOMPARE(manifest.displayName("thunder"), std::optional<std::string>("Thunder"));
        QCOMPARE(manifest.durationMs("thunder"), 30);
        QCOMPARE(manifest.durationMs("rain"), 500);
        QVERIFY(!manifest.path("wind"));
        QVERIFY(!manifest.HasEffectId("snow"));
    }

    void playResolvesIdsAndFinishes()
    {
        const int token = SetInstanceProvider([] {
            return std::vector<SfxInstanceInfo>{instance("SFX1", "Thunder clap", "thunder"), instance("AMB1", "Rain bed", "rain", -1),
                                                instance("AMB2", "Wind", "wind")};
        });
        SfxPlayerController controller;
        testing::ClearJournal();
        QVERIFY(controller.play(std::string("SFX1")) != 0);
        auto* player = controller.GetPlayer(std::string("SFX1"));
        QVERIFY(player);
        QSignalSpy finished(player, &SfxPlayerImpl::sfxFinished);
        QVERIFY(finished.wait(2000));
        QCOMPARE(finished.takeFirst().at(0).toString(), QString("SFX1"));
        QVERIFY(controller.play(std::string("rain")) != 0);
        QVERIFY(controller.play(std::string("THUNDER CLAP")) != 0);
        QCOMPARE(controller.play(std::string("AMB2")), 0);
        QCOMPARE(controller.play(std::string("nothing")), 0);
        testing::RefusePlay("SFX1");
        QCOMPARE(controller.play(std::string("SFX1")), 0);
        QSignalSpy rainFinished(controller.GetPlayer(std::string("AMB1")), &SfxPlayerImpl::sfxFinished);
        controller.stop(std::string("AMB1"));
        QVERIFY(rainFinished.wait(2000));
        const auto journal = testing::Journal();
        QCOMPARE(journal.front(), std::string("play SFX1 thunder 30"));
        QVERIFY(std::find(journal.begin(), journal.end(), "play AMB1 rain -1") != journal.end());
        QVERIFY(std::find(journal.begin(), journal.end(), "stop AMB1") != journal.end());
        ClearInstanceProvider(token);
        QCOMPARE(controller.play(std::string("SFX1")), 0);
    }

    void stopFindsWhatPlayStarted_data()
    {
        QTest::addColumn<QString>("played");
        QTest::addColumn<QString>("stopped");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("ends");

        QTest::newRow("event id, event id") << "CUE1" << "CUE1" << "CUE1" << true;
        QTest::newRow("event id, effect id") << "CUE1" << "thunder" << "CUE1" << true;
        QTest::newRow("effect id, name in capitals") << "thunder" << "THUNDER CLAP" << "CUE1" << true;
        QTest::newRow("name, event id") << "rain bed" << "BED1" << "BED1" << true;
        QTest::newRow("name, name in mixed case") << "Rain Bed" << "rAIN bED" << "BED1" << true;
        QTest::newRow("event id before another's name") << "bell" << "bell" << "bell" << true;
        QTest::newRow("name where no event id matches") << "Bell" << "BELL" << "CUE7" << true;
        QTest::newRow("unknown text") << "CUE1" << "snow" << "CUE1" << false;
        QTest::newRow("empty text") << "CUE1" << "" << "CUE1" << false;
    }

    void stopFindsWhatPlayStarted()
    {
        QFETCH(QString, played);
        QFETCH(QString, stopped);
        QFETCH(QString, target);
        QFETCH(bool, ends);

        const std::vector<std::string> eventIds{"CUE1", "BED1", "bell", "CUE7"};
        const int token = SetInstanceProvider([] {
            return std::vector<SfxInstanceInfo>{instance("CUE1", "Thunder clap", "thunder", -1),
                                                instance("BED1", "Rain bed", "rain", -1),
                                                instance("bell", "Chime", "thunder", -1),
                                                instance("CUE7", "Bell", "rain", -1)};
        });
        const auto clearProvider = qScopeGuard([token] { ClearInstanceProvider(token); });
        SfxPlayerController controller;
        controller.stop();
        QCoreApplication::processEvents();
        for (const auto& id : eventIds)
            QVERIFY(controller.play(id) != 0);
        testing::ClearJournal();
        QVERIFY(controller.play(played) != 0);
        QVERIFY(QString::fromStdString(testing::Journal().back()).startsWith("play " + target + " "));

        std::map<std::string, std::unique_ptr<QSignalSpy>> finished;
        for (const auto& id : eventIds)
            finished[id] = std::make_unique<QSignalSpy>(controller.GetPlayer(id), &SfxPlayerImpl::sfxFinished);
        controller.stop(stopped);
        QCoreApplication::processEvents();
        for (const auto& id : eventIds)
            QCOMPARE(finished[id]->count(), ends && id == target.toStdString() ? 1 : 0);

        // Every other effect still plays: each stop by event id ends it now.
        for (const auto& id : eventIds)
            controller.stop(id);
        QCoreApplication::processEvents();
        for (const auto& id : eventIds)
            QCOMPARE(finished[id]->count(), 1);
    }

    void clearingAnotherTokenKeepsTheProvider()
    {
        const int first = SetInstanceProvider([] { return std::vector<SfxInstanceInfo>{instance("SFX9", "Bell", "thunder")}; });
        const int second = SetInstanceProvider([] { return std::vector<SfxInstanceInfo>{}; });
        ClearInstanceProvider(second);
        QVERIFY(SfxPlayerController().play(std::string("SFX9")) != 0);
        ClearInstanceProvider(second);
        QVERIFY(SfxPlayerController().play(std::string("SFX9")) != 0);
        ClearInstanceProvider(first);
    }

    void onlyTheStartUpHandleStopsEverythingWhenDestroyed()
    {
        const int token = SetInstanceProvider([] { return std::vector<SfxInstanceInfo>{instance("AMB5", "Rain", "rain", -1)}; });
        testing::ClearJournal();
        { SfxPlayerController().play(std::string("AMB5")); }
        QCOMPARE(testing::Journal(), std::vector<std::string>{"play AMB5 rain -1"});
        {
            std::unique_ptr<SfxRepository> repo = std::make_unique<ChangeLogSfxRepository>();
            SfxPlayerController owner(repo);
        }
        const auto journal = testing::Journal();
        QCOMPARE(journal.at(1), std::string("stop"));
        QVERIFY(std::find(journal.begin(), journal.end(), "stop AMB5") != journal.end());
        ClearInstanceProvider(token);
    }
};

QTEST_GUILESS_MAIN(TestFonexa)
#include "test_fonexa.moc"
