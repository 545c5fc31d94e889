#include "consistency.h"
#include "edit_rig.h"

#include "lists/event_list.h"
#include "lists/marker_list.h"

#include <vemo_core/events.h>
#include <vemo_core/notify.h>

#include <QSignalSpy>
#include <QtTest>

#include <iostream>
#include <sstream>

using edittest::EditRig;
using edittest::Matching;
using edittest::PanelEvent;
using edittest::SongOneTick;

namespace {

// Captures what is written to standard error while it lives.
class ErrorCapture {
public:
    ErrorCapture() : previous(std::cerr.rdbuf(text.rdbuf())) {}
    ~ErrorCapture() { std::cerr.rdbuf(previous); }
    std::string Text() const { return text.str(); }

private:
    std::ostringstream text;
    std::streambuf* previous;
};

// The resets of both list models and the engine's calls during `work`.
struct Refreshes {
    int markerResets = 0;
    int eventResets = 0;
    std::vector<std::string> journal;
};

template <class Work>
Refreshes Observe(EditRig& rig, Work work)
{
    rig.ClearJournal();
    QSignalSpy markers(&rig.controller->MarkerList().Model(), &QAbstractItemModel::modelReset);
    QSignalSpy events(&rig.controller->EventList().Model(), &QAbstractItemModel::modelReset);
    work();
    return {static_cast<int>(markers.count()), static_cast<int>(events.count()), rig.Journal()};
}

} // namespace

class TestEditController : public QObject {
    Q_OBJECT

private slots:
    // Which views an edit refreshes: marker list and event list resets, bar reloads, and the
    // warning printed with a bar reload. The timeline is rebuilt every time.
    void refreshByKinds_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("markerResets");
        QTest::addColumn<int>("eventResets");
        QTest::addColumn<int>("barLoads");
        QTest::newRow("marker add") << "marker add" << 1 << 0 << 0;
        QTest::newRow("cut add") << "cut add" << 0 << 1 << 0;
        QTest::newRow("undo of a click change") << "click undo" << 0 << 1 << 1;
        QTest::newRow("no history") << "no history" << 1 << 1 << 1;
    }

    void refreshByKinds()
    {
        QFETCH(QString, edit);
        QFETCH(int, markerResets);
        QFETCH(int, eventResets);
        QFETCH(int, barLoads);
        EditRig rig;
        if (edit == "click undo") {
            QVERIFY(rig.controller->onVemoEditEventStartEndValues(*PanelEvent(rig, "CLK1"), SongOneTick(5, 1),
                                                                  SongOneTick(6, 1)));
            rig.controller->RefreshAfterEdit({});
        }
        ErrorCapture errors;
        const Refreshes seen = Observe(rig, [&] {
            if (edit == "marker add")
                rig.controller->onVemoMakeEvent(CL::Marker(SongOneTick(3, 1), "Bridge", "MRK2"));
            else if (edit == "cut add")
                rig.controller->onVemoMakeEvent(CL::Cut(SongOneTick(6, 1), SongOneTick(7, 1), "CUT2"));
            else if (edit == "click undo")
                rig.controller->UndoRequested();
            else
                rig.controller->RefreshAfterEdit({});
        });
        QCOMPARE(seen.markerResets, markerResets);
        QCOMPARE(seen.eventResets, eventResets);
        QCOMPARE(Matching(seen.journal, "GetBarsBeats").size(), std::size_t(barLoads));
        const bool warned = errors.Text().find("WARNING: Incomplete code translation from Python? Should update bars on "
                                               "display here.\n") != std::string::npos;
        QCOMPARE(warned, barLoads > 0);
        QVERIFY(Matching(seen.journal, "GetSongLog").size() > 0);
        QCOMPARE(rig.errors.size(), 0u);
        QCOMPARE(edittest::CheckConsistency(rig), std::string());
    }

    void aRefusedAddRebuildsAndRaisesTheFlags()
    {
        EditRig rig;
        const auto before = edittest::EditorEvents(rig);
        rig.controller->onVemoMakeEvent(CL::Cut(SongOneTick(6, 1), SongOneTick(5, 1), "CUT7"));
        QCOMPARE(rig.errors.size(), 1u);
        QCOMPARE(rig.errors[0].message,
                 std::string("The edit could not be made on this song. The end of the event is before its start"));
        QCOMPARE(rig.errors[0].title, std::string("Edit Failed"));
        QCOMPARE(rig.timeline->RegionItems().size(), 2u);
        QVERIFY(rig.editModel->needsSave);
        QVERIFY(rig.editModel->needsUpload);
        QCOMPARE(edittest::CheckConsistency(rig, before), std::string());
    }

    void redoWithoutHistoryOnlyPauses()
    {
        EditRig rig;
        QSignalSpy anything(rig.controller.get(), &vemo::qt::EditController::UpdateUndoRedoState);
        rig.controller->RedoRequested();
        const auto journal = rig.Journal();
        QCOMPARE(Matching(journal, "Pause(false)").size(), 1u);
        QCOMPARE(Matching(journal, "Redo").size(), 0u);
        QCOMPARE(anything.count(), 0);
        QCOMPARE(rig.errors.size(), 0u);
    }

    void aSongChangeClearsTheSelection()
    {
        EditRig rig;
        rig.controller->SelectMarkerByIndex(0);
        QVERIFY(rig.editModel->selectedEvent != nullptr);
        rig.controller->MarkerList().SetCurrentIndex(0);
        rig.engine->LoadSong("2");
        rig.Probe().Drain();
        rig.timeline->LoadSong("2");
        rig.ClearJournal();
        rig.controller->OnSongChanged("2");
        const auto journal = rig.Journal();
        QVERIFY(rig.editModel->selectedEvent == nullptr);
        QCOMPARE(rig.controller->MarkerList().CurrentIndex(), -1);
        QCOMPARE(rig.controller->EventList().CurrentIndex(), -1);
        QCOMPARE(rig.panel->property("logVersionText").toString(),
                 QString::fromStdString("Log v" + rig.engine->GetLogVersion()));
        QCOMPARE(Matching(journal, "SelectSongLogForEditing(\"2\")").size(), 1u);
        QCOMPARE(Matching(journal, "Pause").size(), 0u);
        QCOMPARE(rig.errors.size(), 0u);
        QCOMPARE(edittest::CheckConsistency(rig), std::string());
    }

    void anUnknownSongGetsNoEvents()
    {
        EditRig rig;
        rig.controller->OnSongChanged("99");
        QCOMPARE(rig.editModel->currentSong, std::string("99"));
        QVERIFY(rig.editModel->selectedEvent == nullptr);
    }

    void aMarkerRowClickSeeksAndPublishes()
    {
        EditRig rig;
        std::vector<notify::MarkerListSelection> published;
        notify::callbackDispatcher.Subscribe(notify::names::editControllerMarkerListSelected, this, [&](void* payload) {
            published.push_back(*static_cast<notify::MarkerListSelection*>(payload));
        });
        QMetaObject::invokeMethod(rig.panel, "markerSelected", Q_ARG(int, 0));
        notify::callbackDispatcher.RemoveCallbacksForTarget(this);
        QCOMPARE(rig.Calls("Seek(" + std::to_string(SongOneTick(2, 1)) + ")").size(), 1u);
        QCOMPARE(published.size(), 1u);
        QCOMPARE(published[0].tick, SongOneTick(2, 1));
        QCOMPARE(published[0].playing, false);
        QVERIFY(rig.editModel->selectedEvent != nullptr);
        QCOMPARE(rig.editModel->selectedEvent->EventId(), std::string("MRK1"));
    }

    void rowClicksSelectOnlyWithTheEditRight_data()
    {
        QTest::addColumn<bool>("editRight");
        QTest::newRow("edit right") << true;
        QTest::newRow("read only") << false;
    }

    void rowClicksSelectOnlyWithTheEditRight()
    {
        QFETCH(bool, editRight);
        EditRig rig(editRight);
        rig.controller->EventList().SetCurrentIndex(0);
        QCOMPARE(rig.editModel->selectedEvent != nullptr, editRight);
    }

    void aDoubleClickOnAMarkerRowOpensIt()
    {
        EditRig rig;
        QSignalSpy opened(rig.controller.get(), &vemo::qt::EditController::EditButtonSignal);
        rig.controller->MarkerList().SetCurrentIndex(0);
        QMetaObject::invokeMethod(rig.panel, "editSelectedMarkerItem");
        QCOMPARE(opened.count(), 1);
        const auto* event = opened.at(0).at(0).value<cmn::VemoEvent*>();
        QVERIFY(event != nullptr);
        QCOMPARE(event->EventId(), std::string("MRK1"));
    }

    void aSelectedMarkerPutsTheMarkerListOnItsRow()
    {
        EditRig rig;
        rig.controller->SelectEventLocked(rig.editModel->markers.at(0));
        QCOMPARE(rig.controller->MarkerList().CurrentIndex(), 0);
    }

    void nullPayloadsAndRowsOutsideDoNothing()
    {
        EditRig rig;
        int outside = 42;
        notify::callbackDispatcher.Notify(notify::names::EVT_CHANGE_LOG_PANEL_SELECTED, nullptr);
        notify::callbackDispatcher.Notify(notify::names::EVT_MARKER_PANEL_SELECTED, nullptr);
        notify::callbackDispatcher.Notify(notify::names::vemoEventWidgetSelected, nullptr);
        notify::callbackDispatcher.Notify(notify::names::EVT_CHANGE_LOG_PANEL_SELECTED, &outside);
        notify::callbackDispatcher.Notify(notify::names::EVT_MARKER_PANEL_SELECTED, &outside);
        rig.controller->OnMarkerSelected_(-1);
        QVERIFY(rig.editModel->selectedEvent == nullptr);
    }

    void afterDeletionNotificationsReachNothing()
    {
        EditRig rig;
        rig.controller.reset();
        int row = 0;
        notify::callbackDispatcher.Notify(notify::names::EVT_MARKER_PANEL_SELECTED, &row);
        notify::callbackDispatcher.Notify(notify::names::editModelUpdatedSelectedVemoEvent, nullptr);
        QVERIFY(rig.editModel->selectedEvent == nullptr);
    }

    // Editor failures are shown and the program runs on with rebuilt views.
    void editorFailuresAreShown_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("delete") << "DeleteEvent" << "The event could not be deleted: ";
        QTest::newRow("undo") << "Undo" << "The edit could not be undone: ";
        QTest::newRow("redo") << "Redo" << "The edit could not be redone: ";
        QTest::newRow("start and end") << "EditEventStartEndValues"
                                       << "A change to the start or end time could not be completed: ";
        QTest::newRow("bars during a click undo") << "GetBarsBeats" << "The views could not be refreshed: ";
    }

    void editorFailuresAreShown()
    {
        QFETCH(QString, call);
        QFETCH(QString, prefix);
        EditRig rig;
        const cmn::VemoEvent* click = PanelEvent(rig, "CLK1");
        QVERIFY(rig.controller->onVemoEditEventStartEndValues(*click, SongOneTick(5, 1), SongOneTick(6, 1)));
        rig.controller->RefreshAfterEdit({});
        if (call == "Redo") {
            rig.controller->UndoRequested();
        }
        const auto before = edittest::EditorEvents(rig);
        rig.errors.clear();
        rig.FailNext(call.toStdString(), "disk on fire");
        if (call == "DeleteEvent") {
            rig.controller->SelectChangeLogEventByIndex(0);
            QVERIFY(rig.editModel->selectedEvent != nullptr);
            rig.controller->DeleteRequested();
        } else if (call == "Undo" || call == "GetBarsBeats") {
            rig.controller->UndoRequested();
        } else if (call == "Redo") {
            rig.controller->RedoRequested();
        } else {
            QVERIFY(!rig.controller->onVemoEditEventStartEndValues(*PanelEvent(rig, "CUT1"), SongOneTick(6, 1),
                                                                   SongOneTick(7, 1)));
            rig.controller->RefreshAfterEdit({});
        }
        QCOMPARE(rig.errors.size(), 1u);
        QCOMPARE(rig.errors[0].message, prefix.toStdString() + "disk on fire");
        QCOMPARE(rig.errors[0].title, std::string("Edit Failed"));
        QCOMPARE(rig.timeline->RegionItems().size(), 2u);
        if (call != "GetBarsBeats") {
            QCOMPARE(edittest::CheckConsistency(rig, before), std::string());
        } else {
            QCOMPARE(edittest::CheckConsistency(rig), std::string());
        }
    }

    void aRefusedValueIsShownAndReported()
    {
        EditRig rig;
        rig.controller->onVemoMakeEvent(CL::Repeat(SongOneTick(6, 1), SongOneTick(7, 1), "REP1", 2));
        const cmn::VemoEvent* repeat = PanelEvent(rig, "REP1");
        QVERIFY(repeat != nullptr);
        const auto before = edittest::EditorEvents(rig);
        QVERIFY(!rig.controller->onVemoEditEventIntValues(*repeat, 0));
        QCOMPARE(rig.errors.size(), 1u);
        QCOMPARE(rig.errors[0].message, std::string("A change to the event's value could not be completed: A repeat "
                                                     "count must be at least 1"));
        QCOMPARE(rig.errors[0].title, std::string("Edit Failed"));
        QCOMPARE(edittest::CheckConsistency(rig, before), std::string());
        QVERIFY(rig.controller->onVemoEditEventIntValues(*repeat, 3));
    }
};

QTEST_MAIN(TestEditController)
#include "test_edit_controller.moc"
