#include <fonexa/sfx_dto.h>
#include <fonexa/sfx_manager.h>
#include <fonexa/sfx_player.h>
#include <vemo_test/fixture_show.h>
#include <vemo_test/test_environment.h>

#include <QtTest>

#include <climits>
#include <filesystem>
#include <thread>

using namespace vemo::audio;
using sfx::SfxDto;

namespace {

SfxDto Player(std::string eventId, SfxType type = SfxType::Primary)
{
    return SfxDto::builder().eventId(std::move(eventId)).effectId("thunder").type(type).build();
}

QString OutOfRangeText(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::out_of_range& error) {
        return error.what();
    }
    return "no exception";
}

}  // namespace

class TestSfxManager : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(vemo::testing::DataFoldersAreIsolated());
        vemo::testing::FixtureShow show;
        show.effects = {{.id = "rain", .name = "Rain", .ambient = true},
                        {.id = "thunder", .name = "Thunder"},
                        {.id = "wind", .name = "Wind", .ambient = true},
                        {.id = "sea", .name = "Sea", .ambient = true}};
        show.Write();
    }

    void builderKeepsEveryField()
    {
        const auto dto = SfxDto::builder()
                             .name("Rain bed")
                             .outputPath("path-2")
                             .effectId("rain")
                             .effectPath("/x/rain.wav")
                             .eventId("sfx.2")
                             .type(SfxType::Ambient)
                             .effectIdIndex(4)
                             .repeats(-1)
                             .fadeIn(2000)
                             .fadeOut(65535)
                             .volume(0.25f)
                             .reverb(0.1f)
                             .pan(0.75f)
                             .interval({"2", 960, 12480})
                             .interval({"3", 0, 10})
                             .buildShared();
        QCOMPARE(dto->name(), std::string("Rain bed"));
        QCOMPARE(dto->outputPath(), std::string("path-2"));
        QCOMPARE(dto->effectId(), std::string("rain"));
        QCOMPARE(dto->effectPath(), std::string("/x/rain.wav"));
        QCOMPARE(dto->eventId(), std::string("sfx.2"));
        QCOMPARE(dto->type(), SfxType::Ambient);
        QCOMPARE(dto->effectIdIndex(), 4);
        QCOMPARE(dto->repeats(), -1);
        QCOMPARE(dto->fadeIn(), UInt16(2000));
        QCOMPARE(dto->fadeOut(), UInt16(65535));
        QCOMPARE(dto->volume(), 0.25f);
        QCOMPARE(dto->reverb(), 0.1f);
        QCOMPARE(dto->pan(), 0.75f);
        QCOMPARE(dto->intervals(), (std::vector<SongInterval>{{"2", 960, 12480}, {"3", 0, 10}}));
    }

    void activeIntervalEdges_data()
    {
        QTest::addColumn<QString>("song");
        QTest::addColumn<uint>("first");
        QTest::addColumn<uint>("second");
        QTest::addColumn<bool>("active");

        // The interval is song "2", ticks 960 to 12480.
        QTest::newRow("inside") << "2" << 1000u << 1100u << true;
        QTest::newRow("step ends on the start") << "2" << 900u << 960u << true;
        QTest::newRow("step ends before the start") << "2" << 900u << 959u << false;
        QTest::newRow("step starts at the end") << "2" << 12480u << 12500u << false;
        QTest::newRow("step starts just before the end") << "2" << 12479u << 12500u << true;
        QTest::newRow("step covers it") << "2" << 0u << 20000u << true;
        QTest::newRow("other song") << "3" << 1000u << 1100u << false;
        QTest::newRow("song text compared exactly") << "02" << 1000u << 1100u << false;
    }

    void activeIntervalEdges()
    {
        QFETCH(QString, song);
        QFETCH(uint, first);
        QFETCH(uint, second);
        QFETCH(bool, active);
        const auto dto = SfxDto::builder().interval({"2", 960, 12480}).build();
        QCOMPARE(dto.isActiveInterval(song.toStdString(), first, second), active);
        QVERIFY(!SfxDto::builder().build().isActiveInterval("2", 0, UINT_MAX));
    }

    void ambientListInFileOrder()
    {
        const SfxManager manager;
        const AmbientList& ambient = manager.GetAmbientList();
        QCOMPARE(ambient.size(), 3);
        QCOMPARE(ambient.Find("rain"), 0);
        QCOMPARE(ambient.Find("wind"), 1);
        QCOMPARE(ambient.Find("sea"), 2);
        QCOMPARE(ambient.Find("thunder"), -1);
        QCOMPARE(std::filesystem::path(ambient.GetPath(1)).filename().string(), std::string("wind.wav"));
        QVERIFY(std::filesystem::path(ambient.GetPath(1)).is_absolute());
    }

    void outOfRangeTexts()
    {
        SfxManager manager;
        QCOMPARE(OutOfRangeText([&] { manager.GetAmbientList().GetPath(3); }), QString("No ambient effect at index 3"));
        QCOMPARE(OutOfRangeText([&] { manager.GetAmbientList().GetPath(-1); }), QString("No ambient effect at index -1"));
        QCOMPARE(OutOfRangeText([&] { manager.GetSfxDto(1); }), QString("No sound-effect player 1"));
        QCOMPARE(OutOfRangeText([&] { manager.Play(7, 0); }), QString("No sound-effect player 7"));
        QCOMPARE(OutOfRangeText([&] { manager.Stop(0, 0); }), QString("No sound-effect player 0"));
    }

    void playersStopByType()
    {
        SfxManager manager;
        const int primary = manager.AddPlayer(Player("SFX1"));
        const int ambient = manager.AddPlayer(Player("AMB1", SfxType::Ambient));
        QCOMPARE(primary, 1);
        QCOMPARE(ambient, 2);
        const auto playBoth = [&] {
            manager.Play(primary, 0);
            manager.Play(ambient, 0);
        };
        playBoth();
        manager.StopAmbientEffects();
        QVERIFY(manager.IsPlaying(primary));
        QVERIFY(!manager.IsPlaying(ambient));
        playBoth();
        manager.StopPrimaryEffects();
        QVERIFY(!manager.IsPlaying(primary));
        QVERIFY(manager.IsPlaying(ambient));
        playBoth();
        manager.StopAllEffects();
        QVERIFY(!manager.IsPlaying(primary));
        QVERIFY(!manager.IsPlaying(ambient));
        manager.SetPlayerOutputPath(ambient, manager.GetPathIdType({'p', '-', '2'}));
        QCOMPARE(manager.PlayerOutputPath(ambient), PathIdType("p-2"));
    }

    void visitorMayCallTheManager()
    {
        SfxManager manager;
        for (const char* id : {"A", "B", "C"})
            manager.AddPlayer(Player(id));
        std::vector<std::string> seen;
        manager.ForEachPlayer([&](int id, const SfxDto& dto) {
            manager.Play(id, 0);
            seen.push_back(manager.GetSfxDto(id).eventId() + dto.eventId());
            if (id == 1)
                manager.AddPlayer(Player("D"));
        });
        QCOMPARE(seen, (std::vector<std::string>{"AA", "BB", "CC"}));
        QVERIFY(manager.IsPlaying(3));
        QCOMPARE(manager.GetSfxDto(4).eventId(), std::string("D"));
    }

    void callsFromManyThreads()
    {
        SfxManager manager;
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&manager] {
                for (int i = 0; i < 50; ++i) {
                    const int id = manager.AddPlayer(Player("T"));
                    manager.ForEachPlayer([&](int other, const SfxDto&) { manager.Stop(other, 0); });
                    manager.Play(id, 0);
                }
            });
        }
        for (auto& thread : threads)
            thread.join();
        int players = 0;
        manager.ForEachPlayer([&](int, const SfxDto&) { ++players; });
        QCOMPARE(players, 200);
    }

    void journalOfEveryCall()
    {
        testing::ClearJournal();
        SfxManager manager;
        const int id = manager.AddPlayer(Player("SFX1"));
        const int bed = manager.AddPlayer(Player("", SfxType::Ambient));
        manager.Play(id, 0);
        manager.SetPlayerOutputPath(bed, "p-1");
        manager.Stop(bed, 0);
        manager.StopAllEffects();
        const std::vector<std::string> expected{"manager.AddPlayer 1 SFX1", "manager.AddPlayer 2",
                                                "manager.Play 1 SFX1",      "manager.SetPlayerOutputPath 2 p-1",
                                                "manager.Stop 2",           "manager.StopAllEffects"};
        QCOMPARE(manager.Journal(), expected);
        QCOMPARE(testing::Journal(), expected);
    }

    void seededPlayersGoToTheNextManagerOnly()
    {
        testing::SeedNextManager({Player("SFX1"), Player("SFX2", SfxType::Ambient)});
        testing::ClearJournal();
        const SfxManager seeded;
        QCOMPARE(seeded.GetSfxDto(1).eventId(), std::string("SFX1"));
        QCOMPARE(seeded.GetSfxDto(2).type(), SfxType::Ambient);
        QCOMPARE(testing::Journal(), (std::vector<std::string>{"manager.AddPlayer 1 SFX1", "manager.AddPlayer 2 SFX2"}));
        const SfxManager next;
        int players = 0;
        next.ForEachPlayer([&](int, const SfxDto&) { ++players; });
        QCOMPARE(players, 0);
    }
};

QTEST_GUILESS_MAIN(TestSfxManager)
#include "test_sfx_manager.moc"
