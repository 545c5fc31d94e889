#include "sfx/sfx_callback_impl.h"

#include <fonexa/sfx_manager.h>
#include <fonexa/sfx_player.h>
#include <vemo_core/show_record.h>
#include <vemo_demo_show/install.h>
#include <vemo_player_core/audio_interface.h>
#include <vemo_test/fixture_show.h>
#include <vemo_test/test_environment.h>

#include <QRegularExpression>
#include <QtTest>

#include <chrono>

using namespace vemo::audio;
using sfx::SfxDto;

namespace {

SfxDto Seeded(std::string eventId, SfxType type, vemo::audio::SongInterval interval = {})
{
    return SfxDto::builder().eventId(std::move(eventId)).effectId("fx").type(type).interval(std::move(interval)).build();
}

// The library journal's lines of the sound-effect managers, from the first one starting with `from`.
std::vector<std::string> ManagerLinesSince(const std::string& from)
{
    std::vector<std::string> lines;
    for (const auto& line : testing::Journal()) {
        if (line.rfind(from, 0) == 0 || !lines.empty())
            lines.push_back(line);
    }
    return lines;
}

CL::SfxAmbient Bed(std::string id, std::string effectId, std::string outputPath)
{
    CL::SfxProperties properties;
    properties.setName("Bed " + id);
    properties.setEffectId(std::move(effectId));
    properties.setOutputPath(std::move(outputPath));
    return CL::SfxAmbient(960, 12480, std::move(id), properties);
}

}  // namespace

class TestSfxCallback : public QObject {
    Q_OBJECT

private slots:
    void init() { testing::ClearJournal(); }

    void registersAStoppedPlayerOnItsPath()
    {
        vemo::testing::FixtureShow show;
        show.effects = {{.id = "thunder", .name = "Thunder"}, {.id = "rain", .name = "Rain", .ambient = true}};
        show.Write();
        vemo::SfxCallbackImpl callback;
        vemo::SongState song;
        song.currentSongNumber = "2";
        auto bed = Bed("AMB1", "rain", "5b0f0c1e-0000-4000-8000-000000000002");
        callback.RegisterAmbientPlayer(bed, song);
        QCOMPARE(testing::Journal(),
                 (std::vector<std::string>{"manager.AddPlayer 1", "manager.SetPlayerOutputPath 1 5b0f0c1e-0000-4000-8000-000000000002",
                                           "manager.Stop 1"}));
        // Registered players carry no event id: not even their own event's cue starts them.
        CL::SfxAmbient cue(960, 12480, "AMB1", {});
        testing::ClearJournal();
        callback.TriggerSfx(cue);
        QVERIFY(testing::Journal().empty());
        callback.ProcessAmbientEvents(12000, 12100, "2");
        callback.ProcessAmbientEvents(12480, 12600, "2");
        callback.ProcessAmbientEvents(1000, 1100, "1");
        QCOMPARE(testing::Journal(), (std::vector<std::string>{"manager.Play 1", "manager.Stop 1", "manager.Stop 1"}));
    }

    void unknownAmbientEffectMakesNoPlayer()
    {
        vemo::SfxCallbackImpl callback;
        vemo::SongState song;
        auto bed = Bed("AMB9", "thunder", "");
        callback.RegisterAmbientPlayer(bed, song);
        QVERIFY(testing::Journal().empty());
    }

    void cuesPlayTheirPlayersOnly_data()
    {
        QTest::addColumn<QString>("cue");
        QTest::addColumn<QStringList>("played");
        QTest::newRow("no player") << "SFX9" << QStringList{};
        QTest::newRow("one player") << "SFX1" << QStringList{"manager.Play 1 SFX1"};
        QTest::newRow("two players") << "SFX2" << QStringList{"manager.Play 2 SFX2", "manager.Play 4 SFX2"};
        QTest::newRow("an ambient player with that id") << "AMB1" << QStringList{"manager.Play 3 AMB1"};
    }

    void cuesPlayTheirPlayersOnly()
    {
        QFETCH(QString, cue);
        QFETCH(QStringList, played);
        testing::SeedNextManager({Seeded("SFX1", SfxType::Primary), Seeded("SFX2", SfxType::Primary),
                                  Seeded("AMB1", SfxType::Ambient), Seeded("SFX2", SfxType::Primary)});
        vemo::SfxCallbackImpl callback;
        testing::ClearJournal();
        CL::Sfx event(0, cue.toStdString(), {});
        callback.TriggerSfx(event);
        QStringList lines;
        for (const auto& line : testing::Journal())
            lines << QString::fromStdString(line);
        QCOMPARE(lines, played);
    }

    void ambientStepsLeavePrimaryPlayersAlone()
    {
        testing::SeedNextManager({Seeded("SFX1", SfxType::Primary, {"2", 0, 100}), Seeded("AMB1", SfxType::Ambient, {"2", 0, 100}),
                                  Seeded("AMB2", SfxType::Ambient, {"2", 200, 300})});
        vemo::SfxCallbackImpl callback;
        testing::ClearJournal();
        callback.ProcessAmbientEvents(50, 60, "2");
        callback.StopPrimaryEffects();
        callback.StopAmbientEffects();
        callback.StopAllEffects();
        QCOMPARE(testing::Journal(),
                 (std::vector<std::string>{"manager.Play 2 AMB1", "manager.Stop 3 AMB2", "manager.StopPrimaryEffects",
                                           "manager.StopAmbientEffects", "manager.StopAllEffects"}));
    }

    void demoBedPlaysInItsBarsOnly()
    {
        qunsetenv("VEMO_NO_DEMO");
        const auto data = vemo::testing::TestRoot() / "demo_data";
        QVERIFY(vemo::demo::InstallIfNoCurrentShow(data));
        qputenv("VEMO_NO_DEMO", "1");
        vemo::AudioInterface::Options options;
        options.clock = vemo::AudioInterface::Options::Clock::Manual;
        vemo::AudioInterface engine(vemo::core::ShowRecordStore(data).CurrentShowFolder().string(), data.string(), true,
                                    nullptr, options);
        engine.ThrowIfThreadExceptions();
        engine.SetSfxCallback(std::make_shared<vemo::SfxCallbackImpl>());
        testing::ClearJournal();
        engine.LoadSong("2");
        engine.Probe().Drain();
        const auto registered = ManagerLinesSince("manager.AddPlayer");
        QCOMPARE(registered.size(), std::size_t(3));
        const std::string player = registered.front().substr(std::string("manager.AddPlayer ").size());
        engine.Play();
        for (int step = 0; step < 150; ++step)
            engine.Probe().Advance(std::chrono::milliseconds(200));
        engine.Stop();
        engine.Probe().Drain();

        // Each step of playback gives one line per ambient player, in order.
        std::vector<std::pair<unsigned, unsigned>> steps;
        const QRegularExpression step(R"(^> sfx\.ProcessAmbientEvents (\d+) (\d+) "2"$)");
        for (const auto& line : engine.Probe().Journal()) {
            if (const auto match = step.match(QString::fromStdString(line)); match.hasMatch())
                steps.emplace_back(match.captured(1).toUInt(), match.captured(2).toUInt());
        }
        std::vector<std::string> states;
        for (const auto& line : ManagerLinesSince("manager.AddPlayer")) {
            if (line == "manager.Play " + player || line == "manager.Stop " + player)
                states.push_back(line);
        }
        states.erase(states.begin());  // the stop that follows the registration
        QVERIFY(steps.size() > 40);
        QCOMPARE(states.size(), steps.size());
        int played = 0;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const bool inBars = steps[i].first < 12480 && steps[i].second >= 960;
            played += inBars;
            QCOMPARE(states[i], std::string(inBars ? "manager.Play " : "manager.Stop ") + player);
        }
        QVERIFY(played > 10);
        QVERIFY(steps.back().first >= 12480);
    }
};

QTEST_GUILESS_MAIN(TestSfxCallback)
#include "test_sfx_callback.moc"
