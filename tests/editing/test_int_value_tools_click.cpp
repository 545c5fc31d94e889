#include "consistency.h"
#include "edit_rig.h"
#include "test_int_value_tools_kinds.h"

#include "editing/click_tool_controller.h"

#include <vemo_test/qml_engine.h>

#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

using edittest::EditRig;
using edittest::SongOneTick;
using vemo::qt::ClickToolController;

namespace {

ClickToolController* MakeClickTool(EditRig& rig)
{
    return static_cast<ClickToolController*>(intvalue::Kind("Click").make(rig));
}

TL::BarsBeats MeterRecord(EditRig& rig, UInt32 tick)
{
    return rig.engine->GetBarBeatByTick(tick, false, true);
}

QVariantList Offered(ClickToolController* tool)
{
    return tool->QmlObject()->property("clickCountModel").toList();
}

int CurrentIndex(ClickToolController* tool)
{
    return tool->QmlObject()->property("clickCountIndex").toInt();
}

const QVariantList kFourFour = {4, 1, 2, 3, 6, 8, 12, 16, 24, 32};
const QVariantList kWithThreeFour = {4, 8, 12, 16, 24, 32};

} // namespace

class TestClickTool : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { vemo::testing::DeliverDeferredDeletes(); }

    void theToolReadsTheMeterGrid()
    {
        EditRig rig;
        rig.ClearJournal();
        ClickToolController* tool = MakeClickTool(rig);
        QCOMPARE(rig.Calls("GetBarsBeats"), std::vector<std::string>{"GetBarsBeats(\"1\",false)"});
        cmn::VemoEvent* click = edittest::PanelEvent(rig, "CLK1");
        QVERIFY(click != nullptr);
        rig.ClearJournal();
        tool->onClickEdit(click);
        tool->ConnectDocument();
        const std::vector<std::string> expected = {
            "GetBarBeatByTick(" + std::to_string(SongOneTick(5, 1)) + ",false,true)",
            "GetBarBeatByTick(" + std::to_string(SongOneTick(7, 1)) + ",false,true)"};
        QCOMPARE(rig.Calls("GetBarBeatByTick"), expected);
        // On the meter grid bar 6 has four beats, although CLK1 clicks it in eighths.
        QObject* panel = edittest::ToolChild(tool, "barAndBeatPanel");
        QCOMPARE(panel->property("inBar").toString(), QString("5"));
        QCOMPARE(panel->property("outBar").toString(), QString("7"));
        QCOMPARE(edittest::ToolChild(tool, "inBeatInput")->property("count").toInt(), 4);
        delete tool;
    }

    // The picker offers what the engine offers, in its order, and picks the first value after every
    // refill; opening an existing region picks its stored value.
    void theOfferFollowsEveryChangeOfTheRange_data()
    {
        QTest::addColumn<bool>("edit");
        QTest::newRow("new region") << false;
        QTest::newRow("opened region") << true;
    }

    void theOfferFollowsEveryChangeOfTheRange()
    {
        QFETCH(bool, edit);
        EditRig rig;
        ClickToolController* tool = MakeClickTool(rig);
        rig.ClearJournal();
        if (edit)
            tool->onClickEdit(edittest::PanelEvent(rig, "CLK1"));
        else
            tool->onClickButtonClicked(MeterRecord(rig, SongOneTick(5, 1)), MeterRecord(rig, SongOneTick(7, 1)));
        tool->ConnectDocument();
        QVERIFY(tool->DocumentConnected());
        QVERIFY(!rig.Calls("GetClickValues").empty());
        QCOMPARE(Offered(tool), kFourFour);
        QCOMPARE(CurrentIndex(tool), edit ? kFourFour.indexOf(8) : 0);
        QCOMPARE(tool->QmlObject()->property("intValue").toInt(), edit ? 8 : 4);
        // Each input change asks once; widening onto the 3/4 bar changes the offer.
        const std::vector<std::pair<const char*, int>> changes = {
            {"outBeatInput", 2}, {"outBarInput", 1}, {"inBeatInput", 1}, {"inBarInput", 2}};
        for (const auto& [input, index] : changes) {
            tool->QmlObject()->setProperty("clickCountIndex", 3);
            rig.ClearJournal();
            edittest::ToolChild(tool, input)->setProperty("currentIndex", index);
            QCOMPARE(rig.Calls("GetClickValues").size(), 1u);
            QCOMPARE(CurrentIndex(tool), 0);
        }
        QCOMPARE(edittest::ToolChild(tool, "inBarInput")->property("displayText").toString(), QString("3"));
        QCOMPARE(Offered(tool), kWithThreeFour);
        delete tool;
    }

    // A half note fits 4/4 bars only. Widening the region onto the 3/4 bar and picking a quarter
    // sends the range first: the stored half note becomes the first offered value, and the quarter
    // then passes the check against the new range. Two undos bring the half note back.
    void widenedOntoAThreeFourBar()
    {
        EditRig rig;
        ClickToolController* tool = MakeClickTool(rig);
        tool->onClickButtonClicked(MeterRecord(rig, SongOneTick(1, 2)), MeterRecord(rig, SongOneTick(2, 3)));
        tool->ConnectDocument();
        QCOMPARE(Offered(tool), kFourFour);
        tool->QmlObject()->setProperty("clickCountIndex", kFourFour.indexOf(2));
        edittest::Confirm(tool->QmlObject());
        QCOMPARE(rig.errors.size(), 0u);
        const auto before = edittest::EditorEvents(rig);
        QCOMPARE(before.at("L:CLK2").value, std::string("2"));

        ClickToolController* change = MakeClickTool(rig);
        change->onClickEdit(edittest::PanelEvent(rig, "CLK2"));
        change->ConnectDocument();
        QCOMPARE(CurrentIndex(change), kFourFour.indexOf(2));
        edittest::ToolChild(change, "outBarInput")->setProperty("currentIndex", 2);
        edittest::ToolChild(change, "outBeatInput")->setProperty("currentIndex", 1);
        QCOMPARE(Offered(change), kWithThreeFour);
        rig.ClearJournal();
        edittest::Confirm(change->QmlObject());
        const std::vector<std::string> expected = {
            "EditEventStartEndValues(CLK2," + std::to_string(SongOneTick(1, 2)) + "," + std::to_string(SongOneTick(3, 2))
                + ",false,false)",
            "EditEventIntValue(CLK2,4)"};
        QCOMPARE(rig.Calls("EditEvent"), expected);
        QCOMPARE(rig.errors.size(), 0u);
        const auto after = edittest::EditorEvents(rig);
        QCOMPARE(after.at("L:CLK2").value, std::string("4"));
        QCOMPARE(after.at("L:CLK2").end, SongOneTick(3, 2));

        rig.controller->UndoRequested();
        rig.controller->UndoRequested();
        QCOMPARE(edittest::EditorEvents(rig), before);
        QCOMPARE(edittest::CheckConsistency(rig), std::string());
    }

    // The row that closes the song: no bar starts there, so nothing is offered and OK sends 0,
    // which the change log refuses.
    void theSongEndRowOffersNothing()
    {
        EditRig rig;
        ClickToolController* tool = MakeClickTool(rig);
        // The lookups never answer with this row; the bar list ends with it.
        const TL::BarsBeats songEnd(rig.showManager->GetSongLength("1"), 9, 1);
        tool->onClickButtonClicked(songEnd, songEnd);
        tool->ConnectDocument();
        QCOMPARE(edittest::ToolChild(tool, "barAndBeatPanel")->property("inBar").toString(), QString("9"));
        QCOMPARE(Offered(tool), QVariantList());
        QCOMPARE(edittest::ToolChild(tool, "currentPicture")->property("visible").toBool(), false);
        QCOMPARE(tool->QmlObject()->property("intValue").toInt(), 0);
        rig.ClearJournal();
        edittest::Confirm(tool->QmlObject());
        const auto adds = rig.Calls("AddEvent");
        QCOMPARE(adds.size(), 1u);
        QCOMPARE(rig.errors.size(), 1u);
        QCOMPARE(rig.errors[0].title, std::string("Edit Failed"));
        QCOMPARE(edittest::EditorEvents(rig).count("L:CLK2"), 0u);
    }

    // The offer is asked for the range as shown; only the request raises the start.
    void theOfferIsAskedForTheUnraisedRange()
    {
        EditRig rig;
        ClickToolController* tool = MakeClickTool(rig);
        rig.ClearJournal();
        tool->onClickButtonClicked(MeterRecord(rig, SongOneTick(1, 1)), MeterRecord(rig, SongOneTick(4, 1)));
        tool->ConnectDocument();
        const std::string asked = "GetClickValues(" + std::to_string(SongOneTick(1, 1)) + ","
                                  + std::to_string(SongOneTick(4, 1)) + ")";
        QCOMPARE(rig.Calls("GetClickValues").back().substr(0, asked.size()), asked);
        rig.ClearJournal();
        edittest::Confirm(tool->QmlObject());
        QCOMPARE(edittest::EditorEvents(rig).at("L:CLK2").start, edittest::kEditStartTick);
    }
};

QTEST_MAIN(TestClickTool)
#include "test_int_value_tools_click.moc"
