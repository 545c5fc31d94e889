#include <fonexa/sfx_manifest.h>
#include <fonexa/sfx_mediator.h>
#include <fonexa/sfx_player.h>
#include <vemo_test/fixture_show.h>
#include <vemo_test/test_environment.h>

#include <QSignalSpy>
#include <QtTest>

#include <climits>
#include <filesystem>
#include <fstream>
#include <thread>

using namespace vemo::audio;

namespace {

SfxInstanceInfo Instance(std::string eventId, std::string effectId, int repeats)
{
    SfxInstanceInfo info;
    info.eventId = std::move(eventId);
    info.effectId = std::move(effectId);
    info.repeats = repeats;
    return info;
}

std::string PlayLine(const std::string& eventId)
{
    for (const auto& line : testing::Journal()) {
        if (line.rfind("play " + eventId + " ", 0) == 0)
            return line;
    }
    return "none";
}

}  // namespace

// The library's player first reached from a thread without an event loop, as an engine's thread
// reaches it when the engine is built before anything else.
class TestSfxPlayerThread : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(vemo::testing::DataFoldersAreIsolated());
        vemo::testing::FixtureShow show;
        show.effects = {{.id = "thunder", .name = "Thunder", .durationMs = 20}, {.id = "long", .name = "Long"}};
        show.Write();
        // A manifest of lengths the file gives badly: zero, negative, none.
        const std::filesystem::path manifest = vemo::sfx::SfxManifest::Location();
        std::ofstream(manifest) << R"({"metadata": {}, "sfx": [
            {"id": "thunder", "file": "thunder.wav", "durationMs": 20},
            {"id": "zero", "file": "thunder.wav", "durationMs": 0},
            {"id": "negative", "file": "thunder.wav", "durationMs": -40},
            {"id": "long", "file": "long.wav", "durationMs": 3000}]})";
        token = SetInstanceProvider([] {
            return std::vector<SfxInstanceInfo>{Instance("SFX1", "thunder", 0), Instance("ZERO", "zero", 0),
                                                Instance("NEG", "negative", 0), Instance("MANY", "long", 1000000),
                                                Instance("MOST", "long", INT_MAX)};
        });
        std::thread engineThread([] {
            SfxPlayerController().stop();
            SfxPlayerConnectionMediator::instance();
        });
        engineThread.join();
    }

    void cleanupTestCase() { ClearInstanceProvider(token); }

    void reportsArriveOnTheApplicationThread()
    {
        QCOMPARE(SfxPlayerControllerImpl::instance()->thread(), QCoreApplication::instance()->thread());
        QCOMPARE(SfxPlayerConnectionMediator::instance()->thread(), QCoreApplication::instance()->thread());
        SfxPlayerController controller;
        QVERIFY(controller.play(std::string("SFX1")) != 0);
        QSignalSpy finished(controller.GetPlayer(std::string("SFX1")), &SfxPlayerImpl::sfxFinished);
        QVERIFY(finished.wait(3000));
        QSignalSpy ready(SfxPlayerControllerImpl::instance(), &SfxPlayerControllerImpl::sfxIsReady);
        SfxPlayerConnectionMediator::instance()->onSoundEffectsChanged();
        QVERIFY(ready.wait(3000));
    }

    void lengthsAlwaysEnd_data()
    {
        QTest::addColumn<QString>("eventId");
        QTest::addColumn<QString>("line");
        QTest::newRow("zero length: the header's, else 2000 ms") << "ZERO" << "play ZERO zero 2000";
        QTest::newRow("negative length likewise") << "NEG" << "play NEG negative 2000";
        QTest::newRow("repeats past the int range") << "MANY" << "play MANY long 2147483647";
        QTest::newRow("most repeats") << "MOST" << "play MOST long 2147483647";
    }

    void lengthsAlwaysEnd()
    {
        QFETCH(QString, eventId);
        QFETCH(QString, line);
        testing::ClearJournal();
        SfxPlayerController controller;
        QVERIFY(controller.play(eventId.toStdString()) != 0);
        QCOMPARE(QString::fromStdString(PlayLine(eventId.toStdString())), line);
        controller.stop(eventId.toStdString());
    }

private:
    int token = 0;
};

QTEST_GUILESS_MAIN(TestSfxPlayerThread)
#include "test_sfx_player_thread.moc"
