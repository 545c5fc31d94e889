#include "main_window/edit_model.h"
#include "main_window/show_manager.h"
#include "repeated_bar_start_engine.h"

#include <vemo_core/events.h>
#include <vemo_core/notify.h>
#include <vemo_player_core/audio_interface.h>
#include <vemo_test/fixture_show.h>

#include <QtTest>

#include <memory>
#include <stdexcept>

using vemo::ShowManager;
using vemo::qt::EditModel;

namespace {

// Counts the selection announcements of the edit model.
class SelectionAnnouncements {
public:
    SelectionAnnouncements()
    {
        notify::callbackDispatcher.Subscribe(notify::names::editModelUpdatedSelectedVemoEvent, this,
                                             [this](void*) { ++count; });
    }
    ~SelectionAnnouncements() { notify::callbackDispatcher.RemoveCallbacksForTarget(this); }
    SelectionAnnouncements(const SelectionAnnouncements&) = delete;
    SelectionAnnouncements& operator=(const SelectionAnnouncements&) = delete;

    int count = 0;
};

struct Loaded {
    std::shared_ptr<vemo::AudioInterface> engine;
    std::shared_ptr<ShowManager> manager;
    std::shared_ptr<EditModel> model;
};

constexpr UInt32 kBar = 1920;

vemo::AudioInterface::Options ManualClock()
{
    vemo::AudioInterface::Options options;
    options.clock = vemo::AudioInterface::Options::Clock::Manual;
    return options;
}

template<class Engine = vemo::AudioInterface>
std::shared_ptr<Engine> MakeEngine(const std::filesystem::path& folder)
{
    auto engine = std::make_shared<Engine>(folder.string(), (folder.parent_path() / "data").string(), false, nullptr,
                                           ManualClock());
    engine->ThrowIfThreadExceptions();
    return engine;
}

Loaded Load(const std::filesystem::path& show, bool oscEnabled = true)
{
    Loaded loaded;
    loaded.engine = MakeEngine(show);
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

const cmn::VemoEvent* PanelEvent(EditModel& model, UInt8 code)
{
    for (const auto& event : model.panelEvents) {
        if (event->code() == code)
            return event.get();
    }
    return nullptr;
}

} // namespace

class TestEditModel : public QObject {
    Q_OBJECT

private slots:
    void selectsACopyOfAPanelEventByKindAndId()
    {
        Loaded loaded = Load(ShowWithEvents());
        loaded.model->ChangeLogPanelEvents();
        const auto copy = CL::CopyVemoEvent(*PanelEvent(*loaded.model, 'B'));
        copy->start(copy->start() + 480); // same kind and id, other values: still that event
        SelectionAnnouncements announcements;
        loaded.model->SelectEvent(copy.get());
        QCOMPARE(loaded.model->selectedEvent, copy.get());
        QCOMPARE(announcements.count, 1);

        const auto again = CL::CopyVemoEvent(*copy);
        loaded.model->SelectEvent(again.get());
        QCOMPARE(loaded.model->selectedEvent, copy.get());
        QCOMPARE(announcements.count, 1);
    }

    void selectsAMarkerCopyFromALaterPublish()
    {
        Loaded loaded = Load(ShowWithEvents());
        loaded.model->RefreshMarkers();
        const auto later = loaded.manager->GetMarkersWithBars();
        QCOMPARE(later.size(), std::size_t(1));
        const auto copy = CL::CopyVemoEvent(*later.front().first);
        loaded.model->SelectEvent(copy.get());
        QCOMPARE(loaded.model->selectedEvent, copy.get());
    }

    void unknownEventWithoutSelectionAnnouncesNothing()
    {
        Loaded loaded = Load(ShowWithEvents());
        loaded.model->ChangeLogPanelEvents();
        SelectionAnnouncements announcements;
        const CL::Cut stranger(0, 480, "CUT99", 0);
        loaded.model->SelectEvent(&stranger);
        QVERIFY(loaded.model->selectedEvent == nullptr);
        QCOMPARE(announcements.count, 0);

        loaded.model->SelectEvent(PanelEvent(*loaded.model, '@'));
        loaded.model->SelectEvent(&stranger);
        QVERIFY(loaded.model->selectedEvent == nullptr);
        QCOMPARE(announcements.count, 2);
    }

    void oscCueIsNeitherSelectedNorDeletedWithOscOff()
    {
        Loaded loaded = Load(ShowWithEvents(), false);
        loaded.model->ChangeLogPanelEvents();
        const cmn::VemoEvent* cue = PanelEvent(*loaded.model, 'S');
        QVERIFY(cue != nullptr);
        loaded.model->SelectEvent(cue);
        QVERIFY(loaded.model->selectedEvent == nullptr);
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
        auto engine = MakeEngine<vemo::testing::RepeatedBarStartEngine>(show.Write());
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
