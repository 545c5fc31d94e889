#include "main_window/edit_model.h"
#include "main_window/show_manager.h"
#include "model_engine.h"
#include "repeated_bar_start_engine.h"

#include <vemo_core/events.h>
#include <vemo_core/notify.h>
#include <vemo_player_core/audio_interface.h>
#include <vemo_player_core/engine_probe.h>
#include <vemo_test/fixture_show.h>

#include <QtTest>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>

using vemo::ShowManager;
using vemo::qt::EditModel;
using vemo::testing::MakeModelEngine;
using namespace std::chrono_literals;

namespace {

// Counts the edit model's selection announcements and keeps the last needs-upload value announced.
class Announcements {
public:
    Announcements()
    {
        auto& dispatcher = notify::callbackDispatcher;
        dispatcher.Subscribe(notify::names::editModelUpdatedSelectedVemoEvent, this, [this](void*) { ++selections; });
        dispatcher.Subscribe(notify::names::editModelChangeLogNeedsUpload, this, [this](void* payload) {
            ++uploads;
            needsUpload = *static_cast<bool*>(payload);
        });
    }
    ~Announcements() { notify::callbackDispatcher.RemoveCallbacksForTarget(this); }
    Announcements(const Announcements&) = delete;
    Announcements& operator=(const Announcements&) = delete;

    int selections = 0;
    int uploads = 0;
    std::optional<bool> needsUpload;
};

struct Loaded {
    std::shared_ptr<vemo::AudioInterface> engine;
    std::shared_ptr<ShowManager> manager;
    std::shared_ptr<EditModel> model;
};

constexpr UInt32 kBar = 1920;

Loaded Load(const std::filesystem::path& show, bool oscEnabled = true)
{
    Loaded loaded;
    loaded.engine = MakeModelEngine(show);
    loaded.manager = std::make_shared<ShowManager>(loaded.engine);
    loaded.model = std::make_shared<EditModel>(loaded.manager, oscEnabled);
    return loaded;
}

std::filesystem::path ShowWithEvents()
{
    vemo::testing::FixtureShow show;
    show.songs = {{.number = "1",
                   .bars = 8,
                   .events = {std::make_shared<CL::Cut>(kBar, 2 * kBar, "CUT1", 0),
                              std::make_shared<CL::Vamp>(3 * kBar, 4 * kBar, "VMP1", 2),
                              std::make_shared<CL::Osc>(5 * kBar, "OSC1", CL::OscProperties("/vemo/volume 1", "NET1")),
                              std::make_shared<CL::Marker>(2 * kBar, "Verse", "MRK1")}}};
    show.networks = {{.id = "NET1", .name = "Desk"}};
    return show.Write();
}

cmn::VemoEvent* PanelEvent(EditModel& model, UInt8 code)
{
    for (const auto& event : model.panelEvents) {
        if (event->code() == code)
            return event.get();
    }
    return nullptr;
}

QStringList PanelIds(Interface& engine)
{
    QStringList ids;
    for (const auto& event : engine.GetChangeLogPanelEvents())
        ids.append(QString::fromStdString(event->EventId()));
    return ids;
}

bool JournalHas(const std::string& call)
{
    const auto journal = vemo::testing::CurrentEngine()->Journal();
    return std::any_of(journal.begin(), journal.end(), [&](const std::string& line) { return line.rfind(call, 0) == 0; });
}

// The events a selection test passes in, each a copy owned by the test.
std::shared_ptr<cmn::VemoEvent> EventToPass(const QString& kind, Loaded& loaded)
{
    if (kind == "cut copy")
        return CL::CopyVemoEvent(*PanelEvent(*loaded.model, 'B'));
    if (kind == "osc cue copy")
        return CL::CopyVemoEvent(*PanelEvent(*loaded.model, 'S'));
    if (kind == "marker from a later publish")
        return CL::CopyVemoEvent(*loaded.manager->GetMarkersWithBars().front().first);
    if (kind == "vamp with the cut's id")
        return std::make_shared<CL::Vamp>(kBar, 2 * kBar, "CUT1", 2);
    if (kind == "stranger")
        return std::make_shared<CL::Cut>(0, 480, "CUT99", 0);
    return nullptr;
}

} // namespace

class TestEditModel : public QObject {
    Q_OBJECT

private slots:
    void needsUploadFollowsTheMinorVersion_data()
    {
        QTest::addColumn<int>("minor");
        QTest::addColumn<bool>("needsUpload");
        QTest::newRow("4.0, shared") << 0 << false;
        QTest::newRow("4.2, saved but not shared") << 2 << true;
    }

    void needsUploadFollowsTheMinorVersion()
    {
        QFETCH(int, minor);
        QFETCH(bool, needsUpload);
        const auto folder = ShowWithEvents();
        MakeModelEngine(folder)->SaveChangelog(4, minor);
        auto engine = MakeModelEngine(folder);
        QCOMPARE(engine->GetChangeLogEditor()->GetVersion().majorVersion, UInt16(4));
        auto manager = std::make_shared<ShowManager>(engine);
        Announcements announcements;
        EditModel model(manager, true);
        QCOMPARE(model.needsUpload, needsUpload);
        QCOMPARE(model.needsSave, false);
        QCOMPARE(announcements.uploads, 1);
        QCOMPARE(announcements.needsUpload, std::optional<bool>(needsUpload));
        QCOMPARE(model.currentSong, std::string("1"));
        QVERIFY(model.selectedEvent == nullptr);
    }

    void constructionPausesPlayback()
    {
        const auto folder = ShowWithEvents();
        auto engine = MakeModelEngine(folder);
        auto manager = std::make_shared<ShowManager>(engine);
        engine->Play();
        engine->Probe().Advance(500ms);
        QVERIFY(engine->GetIsPlaying());
        EditModel model(manager, true);
        QVERIFY(engine->GetIsPaused());
    }

    void selectEventFindsEventsByKindAndId_data()
    {
        QTest::addColumn<bool>("oscEnabled");
        QTest::addColumn<bool>("cutSelectedFirst");
        QTest::addColumn<QString>("passed");
        QTest::addColumn<QString>("selected"); // "passed", "first" or "none"
        QTest::addColumn<int>("selections");

        QTest::newRow("event-list event's copy") << true << false << "cut copy" << "passed" << 1;
        QTest::newRow("already selected by kind and id") << true << true << "cut copy" << "first" << 0;
        QTest::newRow("marker from a later publish") << true << false << "marker from a later publish" << "passed"
                                                     << 1;
        QTest::newRow("marker replaces a selection") << true << true << "marker from a later publish" << "passed" << 1;
        QTest::newRow("other kind with the same id") << true << true << "vamp with the cut's id" << "none" << 1;
        QTest::newRow("stranger, nothing selected") << true << false << "stranger" << "none" << 0;
        QTest::newRow("stranger clears a selection") << true << true << "stranger" << "none" << 1;
        QTest::newRow("null clears a selection") << true << true << "null" << "none" << 1;
        QTest::newRow("null, nothing selected") << true << false << "null" << "none" << 0;
        QTest::newRow("OSC cue with OSC on") << true << false << "osc cue copy" << "passed" << 1;
        QTest::newRow("OSC cue with OSC off") << false << false << "osc cue copy" << "none" << 0;
    }

    void selectEventFindsEventsByKindAndId()
    {
        QFETCH(bool, oscEnabled);
        QFETCH(bool, cutSelectedFirst);
        QFETCH(QString, passed);
        QFETCH(QString, selected);
        QFETCH(int, selections);
        Loaded loaded = Load(ShowWithEvents(), oscEnabled);
        loaded.model->ChangeLogPanelEvents();
        loaded.model->RefreshMarkers();
        const auto first = CL::CopyVemoEvent(*PanelEvent(*loaded.model, 'B'));
        if (cutSelectedFirst) {
            loaded.model->SelectEvent(first.get());
            QCOMPARE(loaded.model->selectedEvent, first.get());
        }
        const auto event = EventToPass(passed, loaded);
        Announcements announcements;
        loaded.model->SelectEvent(event.get());
        const cmn::VemoEvent* expected = selected == "passed" ? event.get()
                                         : selected == "first" ? first.get()
                                                               : nullptr;
        QCOMPARE(loaded.model->selectedEvent, expected);
        QCOMPARE(announcements.selections, selections);
    }

    // The selection may be one of the event-list events, which a refresh replaces.
    void refreshMovesOrDropsTheSelectionSilently_data()
    {
        QTest::addColumn<UInt8>("code");
        QTest::addColumn<bool>("deletedElsewhere");
        QTest::newRow("event-list event, still there") << UInt8('B') << false;
        QTest::newRow("event-list event, deleted elsewhere") << UInt8('B') << true;
        QTest::newRow("marker") << UInt8('E') << false;
    }

    void refreshMovesOrDropsTheSelectionSilently()
    {
        QFETCH(UInt8, code);
        QFETCH(bool, deletedElsewhere);
        Loaded loaded = Load(ShowWithEvents());
        loaded.model->ChangeLogPanelEvents();
        loaded.model->RefreshMarkers();
        cmn::VemoEvent* chosen = code == 'E' ? loaded.model->markers.front() : PanelEvent(*loaded.model, code);
        const std::string id = chosen->EventId();
        loaded.model->SelectEvent(chosen);
        QCOMPARE(loaded.model->selectedEvent, chosen);
        if (deletedElsewhere) {
            loaded.manager->GetEditorForEdit()->DeleteEvent(*CL::CopyVemoEvent(*chosen));
            loaded.engine->LoadNewChangeLog();
        }

        Announcements announcements;
        loaded.model->ChangeLogPanelEvents();
        QCOMPARE(announcements.selections, 0);
        if (code == 'E') {
            QCOMPARE(loaded.model->selectedEvent, chosen);
        } else if (deletedElsewhere) {
            QVERIFY(loaded.model->selectedEvent == nullptr);
        } else {
            QCOMPARE(loaded.model->selectedEvent, PanelEvent(*loaded.model, code));
            QCOMPARE(loaded.model->selectedEvent->EventId(), id);
        }
    }

    void deleteAfterARefreshDeletesTheSelectedId()
    {
        Loaded loaded = Load(ShowWithEvents());
        loaded.model->ChangeLogPanelEvents();
        loaded.model->SelectEvent(PanelEvent(*loaded.model, 'B'));
        loaded.model->ChangeLogPanelEvents();
        Announcements announcements;
        loaded.model->DeleteSelectedEvent();
        loaded.engine->LoadNewChangeLog();
        QCOMPARE(PanelIds(*loaded.engine), (QStringList{"VMP1", "OSC1"}));
        QVERIFY(loaded.model->selectedEvent == nullptr);
        QCOMPARE(announcements.selections, 1);
    }

    void deleteSelectedEvent_data()
    {
        QTest::addColumn<bool>("oscEnabled");
        QTest::addColumn<UInt8>("code"); // 0: nothing selected
        QTest::addColumn<bool>("deleted");
        QTest::newRow("nothing selected") << true << UInt8(0) << false;
        QTest::newRow("cut") << true << UInt8('B') << true;
        QTest::newRow("OSC cue with OSC on") << true << UInt8('S') << true;
        QTest::newRow("OSC cue with OSC off") << false << UInt8('S') << false;
    }

    void deleteSelectedEvent()
    {
        QFETCH(bool, oscEnabled);
        QFETCH(UInt8, code);
        QFETCH(bool, deleted);
        Loaded loaded = Load(ShowWithEvents(), oscEnabled);
        loaded.model->ChangeLogPanelEvents();
        // Set directly: with OSC off a cue cannot be selected, yet deletion must refuse it too.
        loaded.model->selectedEvent = code == 0 ? nullptr : PanelEvent(*loaded.model, code);
        const QStringList before = PanelIds(*loaded.engine);
        const QString id = code == 0 ? QString() : QString::fromStdString(loaded.model->selectedEvent->EventId());
        loaded.engine->Play();
        loaded.engine->Probe().Advance(500ms);
        vemo::testing::CurrentEngine()->ClearJournal();
        Announcements announcements;

        loaded.model->DeleteSelectedEvent();
        loaded.engine->LoadNewChangeLog();
        QStringList expected = before;
        if (deleted)
            expected.removeOne(id);
        QCOMPARE(PanelIds(*loaded.engine), expected);
        QCOMPARE(JournalHas("DeleteEvent("), deleted);
        QCOMPARE(loaded.engine->GetIsPaused(), deleted);
        QCOMPARE(announcements.selections, deleted ? 1 : 0);
        QCOMPARE(loaded.model->selectedEvent == nullptr, deleted || code == 0);
    }

    void editorErrorsReachTheCaller()
    {
        Loaded loaded = Load(ShowWithEvents());
        loaded.model->ChangeLogPanelEvents();
        loaded.model->SelectEvent(PanelEvent(*loaded.model, 'B'));
        vemo::testing::CurrentEngine()->FailNext("DeleteEvent",
                                                 std::make_exception_ptr(std::runtime_error("log is locked")));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, loaded.model->DeleteSelectedEvent());
        QVERIFY(loaded.model->selectedEvent != nullptr);
    }

    void markersAtOneTickIndexTheLast()
    {
        vemo::testing::FixtureShow show;
        show.songs = {{.number = "1",
                       .bars = 8,
                       .events = {std::make_shared<CL::Marker>(960, "Intro", "MRK1"),
                                  std::make_shared<CL::Marker>(960, "Pickup", "MRK2"),
                                  std::make_shared<CL::Marker>(2 * kBar, "Verse", "MRK3")}}};
        Loaded loaded = Load(show.Write());
        const auto pairs = loaded.model->RefreshMarkers();
        QCOMPARE(pairs.size(), std::size_t(3));
        QCOMPARE(loaded.model->markers.size(), std::size_t(3));
        for (std::size_t i = 0; i < pairs.size(); ++i)
            QCOMPARE(loaded.model->markers[i], pairs[i].first);
        QCOMPARE(loaded.model->markers[1]->EventId(), std::string("MRK2"));
        QCOMPARE(loaded.model->markerIndexByTime, (std::map<std::uint32_t, int>{{960, 1}, {2 * kBar, 2}}));
    }

    void resetGivesAnEmptyGrid()
    {
        Loaded loaded = Load(ShowWithEvents());
        QVERIFY(loaded.model->barsBeats->BarCount() > 0);
        loaded.model->ResetBarsBeats();
        QVERIFY(loaded.model->barsBeats != nullptr);
        QCOMPARE(loaded.model->barsBeats->BarCount(), std::size_t(0));
        QCOMPARE(loaded.model->barsBeats->NearestBeatTick(5000), 0u);
    }

    void failedReloadKeepsThePreviousGrid()
    {
        vemo::testing::FixtureShow show;
        show.songs = {{.number = "1", .bars = 8}};
        auto engine = MakeModelEngine<vemo::testing::RepeatedBarStartEngine>(show.Write());
        auto manager = std::make_shared<ShowManager>(engine);
        EditModel model(manager, true);
        const auto before = model.barsBeats;
        engine->repeatBarStart = true;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, model.ReloadBarsBeats());
        QCOMPARE(model.barsBeats, before);
    }
};

QTEST_MAIN(TestEditModel)
#include "test_edit_model.moc"
