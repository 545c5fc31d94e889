#include "consistency.h"
#include "edit_rig.h"
#include "test_tool.h"

#include <vemo_core/events.h>
#include <vemo_test/fixture_show.h>

#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <limits>

using edittest::EditRig;
using edittest::SongOneTick;
using edittest::TestTool;

namespace {

// "beats@current" of a beat input.
QString BeatInput(TestTool& tool, const char* name)
{
    QObject* input = tool.WindowChild(name);
    QStringList beats;
    for (const QVariant& beat : input->property("model").toList())
        beats << beat.toString();
    return beats.join(",") + "@" + input->property("currentIndex").toString();
}

TL::BarsBeats Record(int bar, int beat)
{
    return TL::BarsBeats(0, bar, beat);
}

// Song 1 of four 4/4 bars whose edits start on beat 3 of bar 1.
std::filesystem::path InsideBarShow()
{
    vemo::testing::FixtureShow show;
    show.songs = {{.number = "1", .bars = 4, .editStartTick = 960}};
    return show.Write();
}

} // namespace

class TestEditTool : public QObject {
    Q_OBJECT

private slots:
    // Truncated toward zero and bounded to the tick range before the conversion.
    void shiftedTicksStayInRange_data()
    {
        QTest::addColumn<uint>("tick");
        QTest::addColumn<double>("inShift");
        QTest::addColumn<uint>("shifted");
        QTest::newRow("fraction dropped") << 960u << 37.6 << 997u;
        QTest::newRow("negative fraction toward zero") << 960u << -0.5 << 959u;
        QTest::newRow("below zero") << 10u << -20.0 << 0u;
        QTest::newRow("far before the first tick") << 960u << -1e12 << 0u;
        QTest::newRow("past the last tick") << 4294967290u << 10.0 << 4294967295u;
        QTest::newRow("far beyond the last tick") << 960u << 1e12 << 4294967295u;
        QTest::newRow("not a number") << 960u << std::nan("") << 0u;
        QTest::newRow("infinite") << 960u << std::numeric_limits<double>::infinity() << 4294967295u;
    }

    void shiftedTicksStayInRange()
    {
        QFETCH(uint, tick);
        QFETCH(double, inShift);
        QFETCH(uint, shifted);
        QCOMPARE(vemo::qt::ShiftedTick(tick, inShift), shifted);
    }

    void beatInputs_data()
    {
        QTest::addColumn<TL::BarsBeats>("start");
        QTest::addColumn<TL::BarsBeats>("end");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        // Row 0 is bar 1 from its first beat (the leading entry); bar 3 has three beats.
        QTest::newRow("start before the first row") << Record(0, 4) << Record(0, 4) << "1,2,3,4@0" << "1,2,3,4@0";
        QTest::newRow("row 0 to a later bar") << Record(1, 3) << Record(3, 2) << "1,2,3,4@2" << "1,2,3@1";
        QTest::newRow("row 0 to row 0") << Record(1, 2) << Record(1, 4) << "1,2,3,4@1" << "1,2,3,4@3";
        QTest::newRow("end before a later start") << Record(4, 2) << Record(2, 3) << "1,2,3,4@1" << "1,2,3,4@1";
        QTest::newRow("end not found") << Record(3, 3) << Record(42, 1) << "1,2,3@2" << "1,2,3@2";
        QTest::newRow("beat 0") << Record(2, 0) << Record(4, 0) << "1,2,3,4@0" << "1,2,3,4@0";
    }

    void beatInputs()
    {
        QFETCH(TL::BarsBeats, start);
        QFETCH(TL::BarsBeats, end);
        QFETCH(QString, in);
        QFETCH(QString, out);
        EditRig rig;
        TestTool tool(rig, 'B', rig.controller.get());
        tool.SetBarInputs(start, end);
        tool.SetBeatInputs(start, end);
        QCOMPARE(BeatInput(tool, "inBeatInput"), in);
        QCOMPARE(BeatInput(tool, "outBeatInput"), out);
    }

    void rowZeroStartingInsideItsBar_data()
    {
        QTest::addColumn<int>("beat");
        QTest::addColumn<QString>("in");
        QTest::newRow("beat 3") << 3 << "3,4@0";
        QTest::newRow("beat 4") << 4 << "3,4@1";
    }

    void rowZeroStartingInsideItsBar()
    {
        QFETCH(int, beat);
        QFETCH(QString, in);
        EditRig rig(true, InsideBarShow());
        TestTool tool(rig, 'B', rig.controller.get());
        tool.SetBarInputs(Record(1, beat));
        tool.SetBeatInputs(Record(1, beat));
        QCOMPARE(BeatInput(tool, "inBeatInput"), in);
    }

    void soundEffectProperties()
    {
        EditRig rig;
        TestTool tool(rig, 'Q', rig.controller.get());
        CL::SfxProperties properties;
        properties.setName("Thunder");
        properties.setEffectIdIndex(3);
        properties.setVolume(0.5f);
        properties.setPan(-0.25f);
        properties.setReverb(0.123456789f);
        properties.setOutputPath("Stage Left");
        tool.SetSfxProperties(properties);
        QCOMPARE(tool.WindowValue("name").toString(), QString("Thunder"));
        QCOMPARE(tool.WindowValue("effectIdIndex").toString(), QString("3"));
        QCOMPARE(tool.WindowValue("volume").toString(), QString("50"));
        QCOMPARE(tool.WindowValue("pan").toString(), QString("-25"));
        QCOMPARE(tool.WindowValue("reverb").toString(), QString("12.3457"));
        QCOMPARE(tool.WindowValue("outputPathName").toString(), QString("Stage Left"));
    }

    void valuesReachTheWindow()
    {
        EditRig rig;
        TestTool tool(rig, 'A', rig.controller.get());
        tool.SetIntValue(7);
        tool.SetStrValue("Coda ✓");
        QCOMPARE(tool.WindowValue("intValue").toInt(), 7);
        QCOMPARE(tool.WindowValue("value").toInt(), 7);
        QCOMPARE(tool.WindowValue("strValue").toString(), QString("Coda ✓"));
    }

    void aNewEventGetsTheProposedId()
    {
        EditRig rig;
        TestTool tool(rig, 'B', rig.controller.get());
        tool.OpenForNew(Record(2, 1), Record(2, 4));
        QCOMPARE(tool.WindowValue("eventId").toString(), QString("CUT2"));
        rig.ClearJournal();
        tool.WindowChild("inBeatInput")->setProperty("currentIndex", 2);
        QCOMPARE(rig.Calls("GetChangeLogEditor").size(), 1u);
        rig.ClearJournal();
        tool.WindowChild("inBarInput")->setProperty("currentIndex", 3);
        QCOMPARE(rig.Calls("GetChangeLogEditor").size(), 1u);
        QCOMPARE(tool.WindowValue("eventId").toString(), QString("CUT2"));
    }

    void anEditWindowKeepsTheEventsId()
    {
        EditRig rig;
        TestTool tool(rig, 'B', rig.controller.get());
        const CL::Cut cut(SongOneTick(4, 1), SongOneTick(5, 1), "CUT1");
        tool.OpenForEdit(&cut);
        QCOMPARE(tool.WindowValue("eventId").toString(), QString("CUT1"));
        QCOMPARE(tool.WindowValue("visible").toBool(), true);
        rig.ClearJournal();
        tool.WindowChild("inBeatInput")->setProperty("currentIndex", 2);
        QCOMPARE(rig.Calls("GetChangeLogEditor").size(), 0u);
        QCOMPARE(tool.WindowValue("eventId").toString(), QString("CUT1"));
        QVERIFY(tool.EditedEvent() != nullptr && tool.EditedEvent() != &cut);
    }

    void withoutAnEditControllerNothingIsForwarded()
    {
        EditRig rig;
        TestTool tool(rig, 'B', nullptr);
        CL::Cut cut(SongOneTick(2, 1), SongOneTick(3, 1), "CUT5");
        QSignalSpy updated(&tool, &TestTool::valuesUpdated);
        QVERIFY(!tool.AddEvent(cut));
        QVERIFY(!tool.EditEventStartEndValues(&cut, 1000, 2000));
        QVERIFY(!tool.EditEventStringValue(&cut, "x"));
        QVERIFY(!tool.EditEventIntValue(&cut, 1));
        QVERIFY(!tool.EditEventFloatValue(&cut, 1.0f));
        QVERIFY(!tool.EditEventSFXPropertyValues(&cut, {}));
        QVERIFY(!tool.EditEventOscPropertyValues(&cut, CL::OscProperties("/go", "NET1")));
        QVERIFY(!tool.ApplyChange(1000, 2000, {}));
        QVERIFY(!tool.RequestTicks("", "", "", ""));
        QCOMPARE(rig.Calls("AddEvent").size(), 0u);
        QCOMPARE(rig.Calls("EditEvent").size(), 0u);
        QCOMPARE(updated.count(), 0);
    }

    // The change step: ticks, then the value whatever their result, then one valuesUpdated().
    void applyChange_data()
    {
        QTest::addColumn<UInt32>("start");
        QTest::addColumn<UInt32>("end");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("errors");
        const QString startEnd = "A change to the start or end time could not be completed: ";
        const QString value = "A change to the event's value could not be completed: ";
        QTest::newRow("accepted") << SongOneTick(6, 1) << SongOneTick(8, 1) << 4 << QStringList{};
        QTest::newRow("inverted range") << SongOneTick(8, 1) << SongOneTick(6, 1) << 4
                                        << QStringList{startEnd + "The end of the event is before its start"};
        QTest::newRow("refused move and value")
            << SongOneTick(8, 1) << SongOneTick(6, 1) << 0
            << QStringList{startEnd + "The end of the event is before its start",
                           value + "A repeat count must be at least 1"};
    }

    void applyChange()
    {
        QFETCH(UInt32, start);
        QFETCH(UInt32, end);
        QFETCH(int, count);
        QFETCH(QStringList, errors);
        EditRig rig;
        rig.controller->onVemoMakeEvent(CL::Repeat(SongOneTick(6, 1), SongOneTick(7, 1), "REP1", 2));
        rig.errors.clear();
        TestTool tool(rig, 'A', rig.controller.get());
        const CL::Repeat repeat(SongOneTick(6, 1), SongOneTick(7, 1), "REP1", 2);
        tool.OpenForEdit(&repeat);
        QSignalSpy updated(&tool, &TestTool::valuesUpdated);
        int valueCalls = 0;
        tool.ApplyChange(start, end, [&] {
            ++valueCalls;
            tool.EditEventIntValue(tool.EditedEvent(), count);
        });
        QCOMPARE(valueCalls, 1);
        QCOMPARE(updated.count(), 1);
        QStringList shown;
        for (const auto& error : rig.errors)
            shown << QString::fromStdString(error.message);
        QCOMPARE(shown, errors);
        const auto facts = edittest::EditorEvents(rig).at("A:REP1");
        QCOMPARE(facts.value, std::to_string(count > 0 ? count : 2));
    }

    // The in-shift minimum at the leading entry of song 1 (bar 1 beat 1, tick 480).
    void inShiftLimits_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("expected");
        QTest::newRow("minimum after the leading entry") << 600 << 120;
        QTest::newRow("no minimum") << 0 << 0;
        QTest::newRow("minimum on the leading entry") << 480 << 0;
        QTest::newRow("minimum before the leading entry") << 300 << 0;
    }

    void inShiftLimits()
    {
        QFETCH(int, minimum);
        QFETCH(int, expected);
        EditRig rig;
        TestTool tool(rig, 'N', rig.controller.get());
        QCOMPARE(tool.BarList().LeadingTick(), 480u);
        tool.SetMinStartTick(static_cast<UInt32>(minimum));
        tool.OpenForNew(rig.engine->GetBarBeatByTick(480), rig.engine->GetBarBeatByTick(480));
        QCOMPARE(tool.WindowValue("inShiftMin").toInt(), expected);
        QCOMPARE(tool.WindowValue("inShift").toDouble(), double(expected));
        QVERIFY(tool.WindowValue("inShiftMax").toInt() > 0);
        // An ordinary beat after the leading entry: the slider's range widens before its value drops.
        tool.WindowChild("inBeatInput")->setProperty("currentIndex", 1);
        QCOMPARE(tool.WindowValue("inShiftMin").toInt(), 0);
        QCOMPARE(tool.WindowValue("inShift").toDouble(), 0.0);
        tool.WindowChild("inBeatInput")->setProperty("currentIndex", 0);
        tool.SetInShiftMin(minimum);
        QCOMPARE(tool.WindowValue("inShiftMin").toInt(), expected);
        tool.SetInShiftMin(0);
        QCOMPARE(tool.WindowValue("inShiftMin").toInt(), 0);
    }
};

QTEST_MAIN(TestEditTool)
#include "test_edit_tool.moc"
