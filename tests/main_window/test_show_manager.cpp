#include "main_window/show_manager.h"
#include "model_engine.h"

#include <vemo_core/events.h>
#include <vemo_player_core/audio_interface.h>
#include <vemo_player_core/engine_probe.h>
#include <vemo_test/fixture_show.h>

#include <QPointer>
#include <QQuickItem>
#include <QQuickView>
#include <QtTest>

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using vemo::ShowManager;
using vemo::testing::MakeModelEngine;
using namespace std::chrono_literals;

namespace {

constexpr UInt32 kBar = 1920;

// The simulated engine with load warnings set by the test; they stay whatever log is loaded.
class WarningEngine : public vemo::AudioInterface {
public:
    using vemo::AudioInterface::AudioInterface;

    std::string clickLog;
    std::string tempoWarnings;
    int invertedCount = 0;
    std::string invertedDescription;

    std::string GetModifiedClickEditLog() const override { return clickLog; }
    std::string GetTempoScaleWarnings() const override { return tempoWarnings; }
    int GetInvertedLoopEventCount() const override { return invertedCount; }
    std::string GetInvertedLoopEventDescription() const override { return invertedDescription; }
};

// The texts of the message windows shown while it exists, in the order they were shown; the
// windows are closed with it.
class ShownMessageBoxes : public QObject {
public:
    ShownMessageBoxes() { qApp->installEventFilter(this); }
    ~ShownMessageBoxes() override
    {
        qApp->removeEventFilter(this);
        for (const QPointer<QQuickView>& view : views)
            delete view.data();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* view = qobject_cast<QQuickView*>(watched);
        if (event->type() == QEvent::Show && view != nullptr && view->rootObject() != nullptr) {
            texts.append(view->rootObject()->property("text").toString());
            views.append(view);
        }
        return false;
    }

    QStringList texts;
    QList<QPointer<QQuickView>> views;
};

std::filesystem::path ShowWithSongs(const std::vector<std::string>& numbers)
{
    vemo::testing::FixtureShow show;
    for (const auto& number : numbers)
        show.songs.push_back({.number = number, .bars = 4, .title = "Title " + number});
    show.songs.front().events = {std::make_shared<CL::Cut>(kBar, 2 * kBar, "CUT1", 0)};
    return show.Write();
}

const QString kInvertedPreamble = "We have detected and automatically fixed some unusual change log edits. Please review "
                                  "the following changes to ensure that they work as you expect.\n\n";

} // namespace

class TestShowManager : public QObject {
    Q_OBJECT

private slots:
    void songEntriesFollowTheNumbersValues_data()
    {
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one two ten") << QStringList{"10", "2", "1"} << QStringList{"1", "2", "10"};
        QTest::newRow("nine before ninety") << QStringList{"90", "9", "100"} << QStringList{"9", "90", "100"};
    }

    void songEntriesFollowTheNumbersValues()
    {
        QFETCH(QStringList, numbers);
        QFETCH(QStringList, expected);
        std::vector<std::string> songs;
        for (const QString& number : numbers)
            songs.push_back(number.toStdString());
        ShowManager manager(MakeModelEngine(ShowWithSongs(songs)));
        QStringList order;
        for (const auto& [number, title] : manager.SongEntries()) {
            order.append(QString::fromStdString(number));
            QCOMPARE(title, "Title " + number);
        }
        QCOMPARE(order, expected);
    }

    void onlyTheEditorForEditPausesPlayback_data()
    {
        QTest::addColumn<bool>("forEdit");
        QTest::newRow("editor for an edit") << true;
        QTest::newRow("editor to read") << false;
    }

    void onlyTheEditorForEditPausesPlayback()
    {
        QFETCH(bool, forEdit);
        auto engine = MakeModelEngine(ShowWithSongs({"1"}));
        ShowManager manager(engine);
        engine->Play();
        engine->Probe().Advance(500ms);
        QVERIFY(engine->GetIsPlaying());
        CL::Editor* editor = forEdit ? manager.GetEditorForEdit() : manager.GetEditor();
        QCOMPARE(editor, engine->GetChangeLogEditor());
        QCOMPARE(engine->GetIsPaused(), forEdit);
        QCOMPARE(engine->GetIsPlaying(), !forEdit);
    }

    void loadWarningsOpenInTheirOrder_data()
    {
        QTest::addColumn<bool>("switchLog");
        QTest::addColumn<bool>("quiet");
        QTest::addColumn<QStringList>("expected");
        const QStringList warnings{"tempo scale", "click edits", kInvertedPreamble + "loop at bar 3"};
        QTest::newRow("show load") << false << false << warnings;
        QTest::newRow("log switch") << true << false << QStringList{warnings[1], warnings[0], warnings[2]};
        QTest::newRow("show load, nothing to say") << false << true << QStringList{};
        QTest::newRow("log switch, nothing to say") << true << true << QStringList{};
    }

    void loadWarningsOpenInTheirOrder()
    {
        QFETCH(bool, switchLog);
        QFETCH(bool, quiet);
        QFETCH(QStringList, expected);
        vemo::testing::FixtureShow show;
        show.songs = {{.number = "1", .bars = 4, .events = {std::make_shared<CL::Cut>(kBar, 2 * kBar, "CUT1", 0)}}};
        auto engine = MakeModelEngine<WarningEngine>(show.Write());
        // A description without a count says nothing.
        engine->invertedDescription = "loop at bar 3";
        if (!quiet) {
            engine->clickLog = "click edits";
            engine->tempoWarnings = "tempo scale";
            engine->invertedCount = 1;
        }
        std::unique_ptr<ShownMessageBoxes> shown;
        if (!switchLog)
            shown = std::make_unique<ShownMessageBoxes>();
        ShowManager manager(engine);
        if (switchLog) {
            shown = std::make_unique<ShownMessageBoxes>();
            manager.LoadChangelog(show.LogFileName());
            QCOMPARE(engine->GetChangelogFilename(), show.LogFileName());
        }
        QCOMPARE(shown->texts, expected);
    }

    void switchingTheLogPausesAndTakesTheNewEditor()
    {
        vemo::testing::FixtureShow show;
        show.songs = {{.number = "1", .bars = 4, .events = {std::make_shared<CL::Cut>(kBar, 2 * kBar, "CUT1", 0)}}};
        const auto folder = show.Write();
        auto engine = MakeModelEngine(folder);
        ShowManager manager(engine);
        const std::string saved = engine->SaveChangelog(1, 1);
        engine->Play();
        engine->Probe().Advance(500ms);
        manager.LoadChangelog(show.LogFileName());
        QVERIFY(engine->GetIsPaused());
        QCOMPARE(manager.GetEditor(), engine->GetChangeLogEditor());
        QCOMPARE(manager.GetEditor()->GetVersion().minorVersion, UInt16(0));
        QCOMPARE(manager.GetLogVersion(), engine->GetLogVersion());
        QVERIFY(saved != show.LogFileName());
    }

    void markersComeWithTheBarOfTheirOwnTick()
    {
        vemo::testing::FixtureShow show;
        show.songs = {{.number = "1",
                       .bars = 8,
                       .events = {std::make_shared<CL::Marker>(5 * kBar + 480, "Bridge", "MRK2"),
                                  std::make_shared<CL::Marker>(2 * kBar, "Verse", "MRK1")}}};
        auto engine = MakeModelEngine(show.Write());
        ShowManager manager(engine);
        const auto pairs = manager.GetMarkersWithBars();
        QCOMPARE(pairs.size(), std::size_t(2));
        const auto markers = engine->GetMarkers();
        for (std::size_t i = 0; i < pairs.size(); ++i)
            QCOMPARE(pairs[i].first, markers[i]);
        QCOMPARE(pairs[0].first->EventId(), std::string("MRK1"));
        QCOMPARE(pairs[0].second, std::string("3"));
        QCOMPARE(pairs[1].first->EventId(), std::string("MRK2"));
        QCOMPARE(pairs[1].second, std::string("6"));
    }

    void aSecondPlayerIsRefused()
    {
        const auto folder = ShowWithSongs({"1"});
        auto first = MakeModelEngine(folder);
        ShowManager manager(first);
        auto second = MakeModelEngine(folder);
        try {
            manager.SetPlayer(second);
            QFAIL("a second player was taken");
        } catch (const std::runtime_error& refusal) {
            QCOMPARE(std::string(refusal.what()),
                     std::string("You must delete the previous player before instantiating a new one!"));
        }
        QCOMPARE(manager.GetPlayer(), std::shared_ptr<Interface>(first));
    }

    void shutdownNeverThrows_data()
    {
        QTest::addColumn<bool>("engineFails");
        QTest::newRow("engine shuts down") << false;
        QTest::newRow("engine fails to shut down") << true;
    }

    void shutdownNeverThrows()
    {
        QFETCH(bool, engineFails);
        std::weak_ptr<vemo::AudioInterface> watched;
        {
            auto engine = MakeModelEngine(ShowWithSongs({"1"}));
            watched = engine;
            auto manager = std::make_shared<ShowManager>(std::move(engine));
            if (engineFails)
                vemo::testing::CurrentEngine()->FailNext(
                    "Shutdown", std::make_exception_ptr(std::runtime_error("device gone")));
            manager->ShutdownPlayer();
            QVERIFY(manager->GetPlayer() == nullptr);
            QVERIFY(watched.expired());
            manager->ShutdownPlayer();
        }
    }
};

QTEST_MAIN(TestShowManager)
#include "test_show_manager.moc"
