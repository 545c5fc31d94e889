#include <fonexa/sfx_manifest.h>
#include <fonexa/sfx_mediator.h>
#include <fonexa/sfx_player.h>
#include <vemo_test/fixture_show.h>
#include <vemo_test/test_environment.h>

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include <filesystem>

using namespace vemo::audio;

namespace {

SfxInstanceInfo Instance(std::string eventId, std::string effectId)
{
    SfxInstanceInfo info;
    info.eventId = std::move(eventId);
    info.effectId = std::move(effectId);
    return info;
}

QStringList Reported(const QSignalSpy& spy)
{
    QStringList paths;
    for (const auto& arguments : spy)
        paths << QFileInfo(arguments.at(0).toString()).fileName();
    return paths;
}

}  // namespace

class TestSfxReadiness : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(vemo::testing::DataFoldersAreIsolated());
        vemo::testing::FixtureShow show;
        show.effects = {{.id = "thunder", .name = "Thunder"},
                        {.id = "rain", .name = "Rain", .ambient = true},
                        {.id = "gone", .name = "Gone"}};
        show.Write();
        std::filesystem::remove(std::filesystem::path(vemo::sfx::SfxManifest::Location()).parent_path() / "gone.wav");
        token = SetInstanceProvider([] {
            return std::vector<SfxInstanceInfo>{Instance("sfx.1", "thunder"), Instance("sfx.2", "rain"),
                                                Instance("sfx.3", "thunder"), Instance("sfx.4", "gone"),
                                                Instance("sfx.5", "unknown")};
        });
    }

    void cleanupTestCase() { ClearInstanceProvider(token); }

    void cleanup()
    {
        testing::HoldReadiness(false);
        testing::SetReadyDelay(30);
        QTest::qWait(100);
    }

    void onceForEachExistingFile()
    {
        QSignalSpy ready(SfxPlayerControllerImpl::instance(), &SfxPlayerControllerImpl::sfxIsReady);
        testing::ClearJournal();
        SfxPlayerConnectionMediator::instance()->onSoundEffectsChanged();
        QVERIFY(ready.isEmpty());
        QTRY_COMPARE(ready.count(), 2);
        QTest::qWait(100);
        QCOMPARE(Reported(ready), (QStringList{"thunder.wav", "rain.wav"}));
        const auto path = ready.at(0).at(0).toString().toStdString();
        QCOMPARE(std::filesystem::path(path), std::filesystem::path(vemo::sfx::SfxManifest().path("thunder").value()));
        const auto journal = testing::Journal();
        QCOMPARE(journal.front(), "ready " + path);
    }

    void reportsComeAfterTheDelay()
    {
        testing::SetReadyDelay(300);
        QSignalSpy ready(SfxPlayerControllerImpl::instance(), &SfxPlayerControllerImpl::sfxIsReady);
        QElapsedTimer clock;
        clock.start();
        SfxPlayerConnectionMediator::instance()->onSoundEffectsChanged();
        QVERIFY(ready.wait(5000));
        QVERIFY(clock.elapsed() >= 300);
    }

    void heldReportsWaitForTheRelease()
    {
        testing::HoldReadiness(true);
        QSignalSpy ready(SfxPlayerControllerImpl::instance(), &SfxPlayerControllerImpl::sfxIsReady);
        SfxPlayerConnectionMediator::instance()->onSoundEffectsChanged();
        SfxPlayerConnectionMediator::instance()->onSoundEffectsChanged();
        QTest::qWait(200);
        QVERIFY(ready.isEmpty());
        testing::HoldReadiness(false);
        QTRY_COMPARE(ready.count(), 4);
        QCOMPARE(Reported(ready), (QStringList{"thunder.wav", "rain.wav", "thunder.wav", "rain.wav"}));
    }

    void rescanReadsTheInstancesOfItsTurn()
    {
        std::vector<SfxInstanceInfo> instances;
        const int mine = SetInstanceProvider([&instances] { return instances; });
        const auto restore = qScopeGuard([mine] { ClearInstanceProvider(mine); });
        QSignalSpy ready(SfxPlayerControllerImpl::instance(), &SfxPlayerControllerImpl::sfxIsReady);
        SfxPlayerConnectionMediator::instance()->onSoundEffectsChanged();
        instances = {Instance("sfx.9", "rain")};
        QTRY_COMPARE(ready.count(), 1);
        QCOMPARE(Reported(ready), QStringList{"rain.wav"});
    }

private:
    int token = 0;
};

QTEST_GUILESS_MAIN(TestSfxReadiness)
#include "test_sfx_readiness.moc"
