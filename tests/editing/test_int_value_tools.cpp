#include "consistency.h"
#include "edit_rig.h"
#include "test_int_value_tools_kinds.h"

#include <vemo_core/codes.h>
#include <vemo_test/qml_engine.h>

#include <QPointer>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

using edittest::EditRig;
using edittest::SongOneTick;
using intvalue::Kind;
using vemo::qt::EditToolController;

namespace {

// The bars/beats record of a tick as the main window looks it up for the tool: the click tool on
// the meter grid, every other tool on the grid that click regions renumber.
TL::BarsBeats RecordAt(EditRig& rig, const QString& kind, UInt32 tick)
{
    return kind == "Click" ? rig.engine->GetBarBeatByTick(tick, false, true) : rig.engine->GetBarBeatByTick(tick);
}

void AddKindsColumn()
{
    QTest::addColumn<QString>("kind");
}

// Sets the value as a user would: the typed count, or the picker's row for the click tool.
void PickValue(EditToolController* tool, const QString& kind, const QString& typed)
{
    if (typed.isEmpty())
        return;
    if (kind == "Click")
        tool->QmlObject()->setProperty("clickCountIndex", typed.toInt());
    else
        tool->QmlObject()->setProperty("value", typed);
}

} // namespace

class TestIntValueTools : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { vemo::testing::DeliverDeferredDeletes(); }

    void aNewEventOpensWithDefaultsAndStoresThePickedValues_data()
    {
        AddKindsColumn();
        QTest::addColumn<int>("startBar");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("id");
        QTest::newRow("vamp, endless") << "Vamp" << 4 << "" << 0 << "VAMP1";
        QTest::newRow("vamp typed 7") << "Vamp" << 4 << "7" << 7 << "VAMP1";
        QTest::newRow("vamp from the leading entry") << "Vamp" << 1 << "" << 0 << "VAMP1";
        QTest::newRow("repeat") << "Repeat" << 4 << "" << 2 << "REP1";
        QTest::newRow("repeat from the leading entry") << "Repeat" << 1 << "5" << 5 << "REP1";
        QTest::newRow("transpose") << "Transpose" << 4 << "" << 0 << "TRN1";
        QTest::newRow("transpose from the leading entry") << "Transpose" << 1 << "-4" << -4 << "TRN1";
        // Bars 4 to 7 are all 4/4: the quarter note is offered first.
        QTest::newRow("click") << "Click" << 4 << "" << 4 << "CLK2";
        // Bar 3 is the 3/4 bar: the offer is 4, 8, 12, ... and the second row holds 8.
        QTest::newRow("click from the leading entry") << "Click" << 1 << "1" << 8 << "CLK2";
    }

    void aNewEventOpensWithDefaultsAndStoresThePickedValues()
    {
        QFETCH(QString, kind);
        QFETCH(int, startBar);
        QFETCH(QString, typed);
        QFETCH(int, stored);
        QFETCH(QString, id);
        const auto& tools = Kind(kind);
        EditRig rig;
        const UInt32 end = SongOneTick(7, 3);
        EditToolController* tool = tools.make(rig);
        tools.openNew(tool, RecordAt(rig, kind, SongOneTick(startBar, 1)), RecordAt(rig, kind, end));
        tool->ConnectDocument();
        QVERIFY(tool->DocumentConnected());
        QObject* window = tool->QmlObject();
        QCOMPARE(window->property("visible").toBool(), true);
        QCOMPARE(window->property("title").toString(), tools.newTitle);
        QCOMPARE(window->property("eventId").toString(), id);
        QCOMPARE(edittest::ToolChild(tool, "eventIdLabel")->property("visible").toBool(), tools.idShown);
        if (kind == "Click")
            QCOMPARE(window->property("clickCountIndex").toInt(), 0);
        else
            QCOMPARE(window->property("value").toString(), tools.defaultText);
        PickValue(tool, kind, typed);
        QSignalSpy updated(tool, &EditToolController::valuesUpdated);
        rig.ClearJournal();
        edittest::Confirm(tool->QmlObject());
        QCOMPARE(rig.Calls("AddEvent").size(), 1u);
        QCOMPARE(rig.errors.size(), 0u);
        QCOMPARE(updated.count(), 0);
        // From bar 1 beat 1, before the earliest edit tick, the start is raised to that tick.
        const UInt32 start = startBar == 1 ? edittest::kEditStartTick : SongOneTick(startBar, 1);
        const edittest::EventFacts expected = edittest::FactsOf(*tools.event(start, end, id.toStdString(), stored));
        const auto events = edittest::EditorEvents(rig);
        QVERIFY(events.count(edittest::KeyOf(expected)) == 1);
        QCOMPARE(edittest::Describe(events.at(edittest::KeyOf(expected))), edittest::Describe(expected));
        QCOMPARE(edittest::CheckConsistency(rig), std::string());
    }

    void anUnchangedOkAsksForTheSameRangeThenTheSameValue_data()
    {
        AddKindsColumn();
        QTest::addColumn<int>("storedValue");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("sent");
        QTest::newRow("vamp") << "Vamp" << 4 << "4" << 4;
        QTest::newRow("endless vamp") << "Vamp" << 0 << "∞" << 0;
        // A count beyond the window's range, as a hand-edited log may hold: shown as stored, sent clamped.
        QTest::newRow("vamp of 900") << "Vamp" << 900 << "900" << 500;
        QTest::newRow("repeat") << "Repeat" << 3 << "3" << 3;
        QTest::newRow("transpose") << "Transpose" << -6 << "-6" << -6;
        QTest::newRow("click") << "Click" << 8 << "8" << 8;
    }

    void anUnchangedOkAsksForTheSameRangeThenTheSameValue()
    {
        QFETCH(QString, kind);
        QFETCH(int, storedValue);
        QFETCH(QString, shown);
        QFETCH(int, sent);
        const auto& tools = Kind(kind);
        EditRig rig;
        const std::string id = codes::EventIdPrefix(tools.code) + "7";
        const UInt32 start = SongOneTick(2, 1);
        const UInt32 end = SongOneTick(3, 2);
        rig.controller->onVemoMakeEvent(*tools.event(start, end, id, storedValue));
        QCOMPARE(rig.errors.size(), 0u);
        cmn::VemoEvent* event = edittest::PanelEvent(rig, id);
        QVERIFY(event != nullptr);
        EditToolController* tool = tools.make(rig);
        tools.openEdit(tool, event);
        tool->ConnectDocument();
        QObject* window = tool->QmlObject();
        QCOMPARE(window->property("title").toString(), tools.editTitle);
        QCOMPARE(window->property("eventId").toString(), QString::fromStdString(id));
        QCOMPARE(edittest::ToolChild(tool, "barAndBeatPanel")->property("inBar").toString(), QString("2"));
        QCOMPARE(edittest::ToolChild(tool, "barAndBeatPanel")->property("outBeat").toString(), QString("2"));
        if (kind == "Click")
            QCOMPARE(edittest::ToolChild(tool, "clickCountInput")->property("displayText").toString(), shown);
        else
            QCOMPARE(window->property("value").toString(), shown);
        std::vector<std::string> editsAtUpdate;
        QObject::connect(tool, &EditToolController::valuesUpdated, tool,
                         [&] { editsAtUpdate = rig.Calls("EditEvent"); });
        QSignalSpy updated(tool, &EditToolController::valuesUpdated);
        rig.ClearJournal();
        edittest::Confirm(tool->QmlObject());
        const std::vector<std::string> expected = {
            "EditEventStartEndValues(" + id + "," + std::to_string(start) + "," + std::to_string(end) + ",false,false)",
            "EditEventIntValue(" + id + "," + std::to_string(sent) + ")"};
        QCOMPARE(updated.count(), 1);
        QCOMPARE(editsAtUpdate, expected);
        QCOMPARE(rig.Calls("EditEvent"), expected);
    }

    void everyCloseEmitsTheClosingSignalOnce_data()
    {
        AddKindsColumn();
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("requests");
        for (const auto& tools : intvalue::Kinds()) {
            const auto row = [&](const char* how, int requests) {
                QTest::addRow("%s, %s", qPrintable(tools.name), how) << tools.name << QString(how) << requests;
            };
            row("ok", 1);
            row("return", 1);
            row("cancel", 0);
            row("escape", 0);
            row("close", 0);
        }
    }

    void everyCloseEmitsTheClosingSignalOnce()
    {
        QFETCH(QString, kind);
        QFETCH(QString, how);
        QFETCH(int, requests);
        const auto& tools = Kind(kind);
        EditRig rig;
        EditToolController* tool = tools.make(rig);
        tools.openNew(tool, RecordAt(rig, kind, SongOneTick(4, 1)), RecordAt(rig, kind, SongOneTick(5, 1)));
        tool->ConnectDocument();
        QSignalSpy closing(tool, tools.closingSignal);
        QSignalSpy destroyed(tool, &QObject::destroyed);
        QPointer<QQuickWindow> window = edittest::ShownActive(tool);
        QVERIFY(window != nullptr);
        rig.ClearJournal();
        edittest::CloseWindow(tool, window, how);
        QCOMPARE(closing.count(), 1);
        QVERIFY(window.isNull() || !window->isVisible());
        QCOMPARE(static_cast<int>(rig.Calls("AddEvent").size()), requests);
        vemo::testing::DeliverDeferredDeletes();
        QCOMPARE(destroyed.count(), 1);
    }
};

QTEST_MAIN(TestIntValueTools)
#include "test_int_value_tools.moc"
