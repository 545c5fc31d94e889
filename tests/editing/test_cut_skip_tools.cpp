#include "consistency.h"
#include "edit_rig.h"
#include "test_tool.h"

#include "editing/cut_skip_tools.h"
#include "lists/event_list.h"

#include <vemo_core/events.h>
#include <vemo_test/qml_engine.h>

#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

using edittest::Confirm;
using edittest::EditRig;
using edittest::Matching;
using edittest::SongOneTick;
using vemo::qt::CutToolController;
using vemo::qt::SkipToolController;

namespace {

// A tool as the main window holds it: released with deleteLater once it announces its closing.
template <class Tool>
Tool* MakeTool(EditRig& rig)
{
    auto* tool = new Tool(rig.qml.get(), rig.engine, rig.controller.get(), nullptr);
    if constexpr (std::is_same_v<Tool, CutToolController>)
        QObject::connect(tool, &CutToolController::cutToolClosing, tool, &QObject::deleteLater);
    else
        QObject::connect(tool, &SkipToolController::skipToolClosing, tool, &QObject::deleteLater);
    return tool;
}

int RowOf(EditRig& rig, const std::string& id)
{
    const auto& events = rig.editModel->panelEvents;
    const auto found = std::find_if(events.begin(), events.end(),
                                    [&](const auto& event) { return event->EventId() == id; });
    return found != events.end() ? static_cast<int>(found - events.begin()) : -1;
}

} // namespace

class TestCutSkipTools : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { vemo::testing::DeliverDeferredDeletes(); }

    void aNewEventCarriesThePickedTicks_data()
    {
        QTest::addColumn<bool>("cut");
        QTest::addColumn<int>("startBar");
        QTest::addColumn<QString>("added");
        const auto line = [](const char* prefix, UInt32 start, UInt32 end) {
            return QString("AddEvent(%1,%2,%3)").arg(prefix).arg(start).arg(end);
        };
        QTest::newRow("cut") << true << 6 << line("CUT2,B", SongOneTick(6, 1), SongOneTick(7, 3));
        QTest::newRow("skip") << false << 6 << line("SKP1,M", SongOneTick(6, 1), SongOneTick(7, 3));
        // Bar 1 beat 1 lies before the earliest edit tick: the start is raised to it, the end stays.
        QTest::newRow("cut from the leading entry") << true << 1 << line("CUT2,B", 600, SongOneTick(7, 3));
    }

    void aNewEventCarriesThePickedTicks()
    {
        QFETCH(bool, cut);
        QFETCH(int, startBar);
        QFETCH(QString, added);
        EditRig rig;
        const TL::BarsBeats start = rig.engine->GetBarBeatByTick(SongOneTick(startBar, 1));
        const TL::BarsBeats end = rig.engine->GetBarBeatByTick(SongOneTick(7, 3));
        vemo::qt::EditToolController* tool = nullptr;
        if (cut) {
            auto* cutTool = MakeTool<CutToolController>(rig);
            cutTool->onCutButtonClicked(start, end);
            tool = cutTool;
        } else {
            auto* skipTool = MakeTool<SkipToolController>(rig);
            skipTool->onSkipButtonClicked(start, end);
            tool = skipTool;
        }
        tool->ConnectDocument();
        QVERIFY(tool->DocumentConnected());
        QSignalSpy updated(tool, &vemo::qt::EditToolController::valuesUpdated);
        rig.ClearJournal();
        Confirm(tool->QmlObject());
        const auto adds = rig.Calls("AddEvent");
        QCOMPARE(adds.size(), 1u);
        QCOMPARE(QString::fromStdString(adds[0]), added);
        QCOMPARE(updated.count(), 0);
        QCOMPARE(rig.errors.size(), 0u);
        QCOMPARE(edittest::CheckConsistency(rig), std::string());
    }

    void aChangeForwardsTheTicksThenReports()
    {
        EditRig rig;
        rig.controller->SelectChangeLogEventByIndex(RowOf(rig, "CUT1"));
        auto* tool = MakeTool<CutToolController>(rig);
        tool->onCutEdit(rig.editModel->selectedEvent);
        tool->ConnectDocument();
        QSignalSpy updated(tool, &CutToolController::valuesUpdated);
        QSignalSpy closing(tool, &CutToolController::cutToolClosing);
        QObject* window = tool->QmlObject();
        QCOMPARE(window->property("title").toString(), QString("Edit Cut"));
        // Bar 5 lies under the click region CLK1 of eighth notes: its third beat is the third eighth.
        QObject* outBeat = window->findChild<QObject*>("outBeatInput");
        outBeat->setProperty("currentIndex", 2);
        rig.ClearJournal();
        Confirm(window);
        const auto journal = rig.Journal();
        const auto edits = Matching(journal, "EditEvent");
        QCOMPARE(edits.size(), 1u);
        QCOMPARE(QString::fromStdString(edits[0]), "EditEventStartEndValues(CUT1," + QString::number(SongOneTick(4, 1)) + ","
                               + QString::number(SongOneTick(5, 1) + 2 * 240) + ",false,false)");
        QCOMPARE(updated.count(), 1);
        QCOMPARE(closing.count(), 1);
    }

    void anEmptyBarTextForwardsNothing()
    {
        EditRig rig;
        auto* tool = MakeTool<CutToolController>(rig);
        tool->onCutButtonClicked();
        tool->ConnectDocument();
        rig.ClearJournal();
        QMetaObject::invokeMethod(tool->QmlObject(), "createCutRequest", Q_ARG(QVariant, ""), Q_ARG(QVariant, ""),
                                  Q_ARG(QVariant, ""), Q_ARG(QVariant, ""));
        QCOMPARE(rig.Calls("AddEvent").size(), 0u);
        QCOMPARE(rig.errors.size(), 1u);
        QCOMPARE(rig.errors[0].message, std::string("This song has no bars to place the event on."));
        delete tool;
    }

    // A song change while the windows are open: OK refuses instead of sending song 1's ticks and
    // ids to song 2.
    void aSongChangeWhileOpenChangesNothing()
    {
        EditRig rig;
        rig.controller->SelectChangeLogEventByIndex(RowOf(rig, "CUT1"));
        QVERIFY(rig.editModel->selectedEvent != nullptr);
        auto* cut = MakeTool<CutToolController>(rig);
        cut->onCutEdit(rig.editModel->selectedEvent);
        cut->ConnectDocument();
        auto* skip = MakeTool<SkipToolController>(rig);
        skip->onSkipButtonClicked(rig.engine->GetBarBeatByTick(SongOneTick(2, 1)),
                                  rig.engine->GetBarBeatByTick(SongOneTick(3, 1)));
        skip->ConnectDocument();
        QSignalSpy cutUpdated(cut, &CutToolController::valuesUpdated);
        QSignalSpy skipUpdated(skip, &SkipToolController::valuesUpdated);
        const auto songOne = edittest::EditorEvents(rig, "1");
        const auto songTwo = edittest::EditorEvents(rig, "2");
        rig.LoadSong("2");
        rig.ClearJournal();
        Confirm(cut->QmlObject());
        Confirm(skip->QmlObject());
        const auto journal = rig.Journal();
        QCOMPARE(Matching(journal, "AddEvent").size(), 0u);
        QCOMPARE(Matching(journal, "EditEvent").size(), 0u);
        QCOMPARE(rig.errors.size(), 2u);
        for (const auto& error : rig.errors)
            QCOMPARE(error.message, std::string("The song changed while this window was open, so nothing was changed."));
        QCOMPARE(cutUpdated.count(), 0);
        QCOMPARE(skipUpdated.count(), 0);
        QCOMPARE(edittest::EditorEvents(rig, "1"), songOne);
        QCOMPARE(edittest::EditorEvents(rig, "2"), songTwo);
        QCOMPARE(edittest::CheckConsistency(rig), std::string());
    }

    void aChangeStepAfterASongChangeCallsNothing()
    {
        EditRig rig;
        edittest::TestTool tool(rig, 'B', rig.controller.get());
        const CL::Cut cutEvent(SongOneTick(4, 1), SongOneTick(5, 1), "CUT1");
        tool.OpenForEdit(&cutEvent);
        rig.LoadSong("2");
        rig.ClearJournal();
        QSignalSpy updated(&tool, &edittest::TestTool::valuesUpdated);
        int valueCalls = 0;
        QVERIFY(!tool.ApplyChange(SongOneTick(4, 1), SongOneTick(6, 1), [&] { ++valueCalls; }));
        QCOMPARE(valueCalls, 0);
        QCOMPARE(updated.count(), 0);
        QCOMPARE(rig.errors.size(), 1u);
        QCOMPARE(rig.Calls("EditEvent").size(), 0u);
    }

    void theWindowsStartHidden()
    {
        EditRig rig;
        auto* cut = MakeTool<CutToolController>(rig);
        auto* skip = MakeTool<SkipToolController>(rig);
        QCOMPARE(cut->QmlObject()->property("visible").toBool(), false);
        QCOMPARE(cut->QmlObject()->property("title").toString(), QString("Create Cut"));
        QCOMPARE(skip->QmlObject()->property("title").toString(), QString("Create Skip"));
        delete cut;
        delete skip;
    }
};

QTEST_MAIN(TestCutSkipTools)
#include "test_cut_skip_tools.moc"
