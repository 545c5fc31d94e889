#include "edit_rig.h"
#include "test_tool.h"

#include "editing/osc_tool_controller.h"

#include <vemo_core/errors.h>
#include <vemo_core/events.h>
#include <vemo_core/song_log.h>
#include <vemo_test/qml_engine.h>

#include <QSignalSpy>
#include <QtTest>


using edittest::Confirm;
using edittest::EditRig;
using edittest::kEditStartTick;
using edittest::SongOneTick;
using vemo::qt::OscToolController;

namespace {

// A tool as the main window holds it: released with deleteLater once it announces its closing.
OscToolController* MakeTool(EditRig& rig)
{
    auto* tool = new OscToolController(rig.qml.get(), rig.engine, rig.controller.get(), nullptr);
    QObject::connect(tool, &OscToolController::toolClosing, tool, &QObject::deleteLater);
    QObject::connect(tool, &OscToolController::valuesUpdated, rig.controller.get(),
                     [&rig] { rig.controller->RefreshAfterEdit({}); });
    return tool;
}

// The show's destinations become these (id, name) pairs in the playing copy.
void SetNetworks(EditRig& rig, const std::vector<std::pair<std::string, std::string>>& networks)
{
    CL::NetworkPathVectorT paths;
    for (const auto& [id, name] : networks) {
        CL::NetworkPath path;
        path.SetNetworkId(id);
        path.SetName(name);
        path.SetIpAddress("127.0.0.1");
        path.SetPort(9001);
        paths.push_back(path);
    }
    rig.engine->GetChangeLogEditor()->UpdateNetworks(paths);
    rig.engine->LoadNewChangeLog();
}

// The current song's cue with this id in the player's published log; null when there is none.
const cmn::VemoEvent* StoredCue(EditRig& rig, const std::string& id)
{
    for (const auto& cue : rig.engine->GetSongLog()->GetOscs()) {
        if (cue->EventId() == id)
            return &*cue;
    }
    return nullptr;
}

// The cue added by the one AddEvent line of `journal` ("AddEvent(<id>,S,<tick>,<tick>)").
std::string AddedId(const std::vector<std::string>& adds)
{
    if (adds.size() != 1)
        return {};
    const std::string& line = adds[0];
    return line.substr(9, line.find(',') - 9);
}

QString Describe(const cmn::VemoEvent& cue)
{
    const CL::OscProperties properties = cue.osc_properties();
    return QString("%1 %2|%3")
        .arg(cue.start())
        .arg(QString::fromStdString(properties.Message()), QString::fromStdString(properties.NetworkId()));
}

} // namespace

class TestOscTool : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { vemo::testing::DeliverDeferredDeletes(); }

    void aNewCueCarriesItsValues_data()
    {
        QTest::addColumn<bool>("destinations");
        QTest::addColumn<int>("bar");
        QTest::addColumn<int>("beat");
        QTest::addColumn<QString>("message");
        QTest::addColumn<double>("inShift");
        QTest::addColumn<QString>("stored");

        const auto at = [](UInt32 tick, const char* rest) { return QString::number(tick) + " " + rest; };
        QTest::newRow("first destination preselected")
            << true << 2 << 1 << "/vemo/fadeout 3" << 0.0 << at(SongOneTick(2, 1), "/vemo/fadeout 3|NET1");
        QTest::newRow("negative volume stored as typed")
            << true << 3 << 2 << "/vemo/volume -6" << 0.0 << at(SongOneTick(3, 2), "/vemo/volume -6|NET1");
        QTest::newRow("in-shift 37.6 is 37 ticks")
            << true << 2 << 3 << "Café ♪" << 37.6 << at(SongOneTick(2, 3) + 37, "Café ♪|NET1");
        QTest::newRow("no destinations, empty message") << false << 2 << 1 << "" << 0.0 << at(SongOneTick(2, 1), "|");
    }

    void aNewCueCarriesItsValues()
    {
        QFETCH(bool, destinations);
        QFETCH(int, bar);
        QFETCH(int, beat);
        QFETCH(QString, message);
        QFETCH(double, inShift);
        QFETCH(QString, stored);
        EditRig rig;
        SetNetworks(rig, destinations ? std::vector<std::pair<std::string, std::string>>{{"NET1", "Desk"},
                                                                                         {"NET2", "Lights"}}
                                      : std::vector<std::pair<std::string, std::string>>{});
        auto* tool = MakeTool(rig);
        tool->onToolButtonClicked(rig.engine->GetBarBeatByTick(SongOneTick(bar, beat)), kEditStartTick);
        tool->ConnectDocument();
        QVERIFY(tool->DocumentConnected());
        QObject* window = tool->QmlObject();
        QCOMPARE(window->property("networkCurrentIndex").toInt(), destinations ? 0 : -1);
        QVERIFY(!window->property("eventId").toString().isEmpty());
        window->setProperty("strValue", message);
        window->setProperty("inShift", inShift);
        QSignalSpy updated(tool, &OscToolController::valuesUpdated);
        rig.ClearJournal();
        Confirm(window);
        const std::string id = AddedId(rig.Calls("AddEvent"));
        QVERIFY(!id.empty());
        const cmn::VemoEvent* cue = StoredCue(rig, id);
        QVERIFY(cue != nullptr);
        QCOMPARE(Describe(*cue), stored);
        QCOMPARE(updated.count(), 0);
        QCOMPARE(rig.errors.size(), 0u);
    }

    void editingACueShowsItsShiftAndDestination_data()
    {
        QTest::addColumn<uint>("start");
        QTest::addColumn<QString>("networkId");
        QTest::addColumn<int>("inShiftMin");
        QTest::addColumn<int>("inShift");
        QTest::addColumn<int>("networkRow");
        QTest::addColumn<QString>("sentNetwork");

        QTest::newRow("120 after an ordinary beat") << SongOneTick(2, 2) + 120 << "NET2" << 0 << 120 << 1 << "NET2";
        // The bar list's leading entry (bar 1, beat 1 at 480) lies before the earliest edit tick.
        QTest::newRow("at the leading entry") << 650u << "NET1" << 120 << 170 << 0 << "NET1";
        QTest::newRow("letter case differs") << SongOneTick(3, 1) << "net2" << 0 << 0 << -1 << "";
    }

    void editingACueShowsItsShiftAndDestination()
    {
        QFETCH(uint, start);
        QFETCH(QString, networkId);
        QFETCH(int, inShiftMin);
        QFETCH(int, inShift);
        QFETCH(int, networkRow);
        QFETCH(QString, sentNetwork);
        EditRig rig;
        // A repeated id selects its first destination.
        SetNetworks(rig, {{"NET1", "Desk"}, {"NET2", "Lights"}, {"NET2", "Lights again"}});
        rig.controller->onVemoMakeEvent(CL::Osc(start, "OSC7", CL::OscProperties("/go", networkId.toStdString())));
        const std::shared_ptr<cmn::VemoEvent> given = CL::CopyVemoEvent(*StoredCue(rig, "OSC7"));
        auto* tool = MakeTool(rig);
        rig.ClearJournal();
        tool->onToolEdit(given.get(), rig.engine->GetMinStartTickIndex());
        tool->ConnectDocument();
        QCOMPARE(rig.Calls("GetBarBeatLeftByTick").size(), 1u);
        QObject* window = tool->QmlObject();
        QCOMPARE(window->property("title").toString(), QString("Edit OSC Command"));
        QCOMPARE(window->property("inShiftMin").toInt(), inShiftMin);
        QCOMPARE(window->property("inShift").toInt(), inShift);
        QCOMPARE(window->property("networkCurrentIndex").toInt(), networkRow);
        QCOMPARE(window->property("strValue").toString(), QString("/go"));
        QCOMPARE(window->property("eventId").toString(), QString("OSC7"));
        QSignalSpy updated(tool, &OscToolController::valuesUpdated);
        rig.ClearJournal();
        Confirm(window);
        const QString tick = QString::number(start);
        QCOMPARE(rig.Calls("EditEventStartEndValues"),
                 std::vector<std::string>{("EditEventStartEndValues(OSC7," + tick + "," + tick + ",false,false)")
                                              .toStdString()});
        QCOMPARE(rig.Calls("EditEventOscPropertyValues"),
                 std::vector<std::string>{
                     ("EditEventOscPropertyValues(OSC7,\"/go\",\"" + sentNetwork + "\")").toStdString()});
        QCOMPARE(updated.count(), 1);
        // The tool changed its own copy, never the event it was given.
        QCOMPARE(Describe(*given), QString::number(start) + " /go|" + networkId);
        QCOMPARE(rig.errors.size(), 0u);
    }

    void theLeadingEntryMinimumComesFromTheOpening_data()
    {
        QTest::addColumn<bool>("withMinimum");
        QTest::addColumn<int>("inShiftMin");
        QTest::addColumn<uint>("added");
        QTest::newRow("minimum start tick") << true << 120 << kEditStartTick;
        // With the minimum 0 the leading beat itself is offered as the cue's place.
        QTest::newRow("one-argument opening") << false << 0 << 480u;
    }

    void theLeadingEntryMinimumComesFromTheOpening()
    {
        QFETCH(bool, withMinimum);
        QFETCH(int, inShiftMin);
        QFETCH(uint, added);
        EditRig rig;
        auto* tool = MakeTool(rig);
        const TL::BarsBeats leading = rig.engine->GetBarBeatByTick(480);
        if (withMinimum)
            tool->onToolButtonClicked(leading, kEditStartTick);
        else
            tool->onToolButtonClicked(leading);
        tool->ConnectDocument();
        QObject* window = tool->QmlObject();
        QCOMPARE(window->property("inShiftMin").toInt(), inShiftMin);
        QCOMPARE(window->property("inShift").toInt(), inShiftMin);
        rig.ClearJournal();
        Confirm(window);
        const auto adds = rig.Calls("AddEvent");
        QCOMPARE(adds.size(), 1u);
        QVERIFY2(adds[0].find(",S," + std::to_string(added) + ",") != std::string::npos, adds[0].c_str());
    }

    void aBarOrBeatChangeResetsTheInShift()
    {
        EditRig rig;
        rig.controller->onVemoMakeEvent(CL::Osc(SongOneTick(2, 2) + 120, "OSC7", CL::OscProperties("/go", "NET1")));
        const std::shared_ptr<cmn::VemoEvent> given = CL::CopyVemoEvent(*StoredCue(rig, "OSC7"));
        auto* tool = MakeTool(rig);
        tool->onToolEdit(given.get(), kEditStartTick);
        tool->ConnectDocument();
        QObject* window = tool->QmlObject();
        QCOMPARE(window->property("inShift").toInt(), 120);
        vemo::testing::Child(window, "inBeatInput")->setProperty("currentIndex", 2);
        QCOMPARE(window->property("inShift").toInt(), 0);
        QCOMPARE(window->property("inShiftMin").toInt(), 0);
        // Back on the leading entry (row 0, beat 1) the minimum is the distance to the earliest edit tick.
        vemo::testing::Child(window, "inBarInput")->setProperty("currentIndex", 0);
        vemo::testing::Child(window, "inBeatInput")->setProperty("currentIndex", 0);
        QCOMPARE(window->property("inShiftMin").toInt(), static_cast<int>(kEditStartTick - 480));
        QCOMPARE(window->property("inShift").toInt(), static_cast<int>(kEditStartTick - 480));
        delete tool;
    }

    void aRefusedMoveStillSendsTheProperties()
    {
        EditRig rig;
        rig.controller->onVemoMakeEvent(CL::Osc(SongOneTick(2, 1), "OSC7", CL::OscProperties("/go", "NET1")));
        const std::shared_ptr<cmn::VemoEvent> given = CL::CopyVemoEvent(*StoredCue(rig, "OSC7"));
        auto* tool = MakeTool(rig);
        tool->onToolEdit(given.get(), kEditStartTick);
        tool->ConnectDocument();
        QObject* window = tool->QmlObject();
        window->setProperty("strValue", "/stop");
        vemo::testing::Child(window, "inBeatInput")->setProperty("currentIndex", 1);
        rig.errors.clear();
        rig.ClearJournal();
        rig.Probe().FailNext("EditEventStartEndValues",
                             std::make_exception_ptr(CL::EditorError("The event lies beyond the end of the song")));
        QSignalSpy updated(tool, &OscToolController::valuesUpdated);
        Confirm(window);
        QCOMPARE(rig.errors.size(), 1u);
        QCOMPARE(rig.errors[0].title, std::string("Edit Failed"));
        QCOMPARE(rig.Calls("EditEventOscPropertyValues"),
                 std::vector<std::string>{"EditEventOscPropertyValues(OSC7,\"/stop\",\"NET1\")"});
        QCOMPARE(updated.count(), 1);
        QCOMPARE(Describe(*StoredCue(rig, "OSC7")), QString::number(SongOneTick(2, 1)) + " /stop|NET1");
    }

    void anEmptyBarTextForwardsNothing()
    {
        EditRig rig;
        auto* tool = MakeTool(rig);
        tool->onToolButtonClicked();
        tool->ConnectDocument();
        rig.ClearJournal();
        QMetaObject::invokeMethod(tool->QmlObject(), "createRequest", Q_ARG(QString, ""), Q_ARG(int, 0),
                                  Q_ARG(QString, "/go"), Q_ARG(QString, ""), Q_ARG(double, 0.0));
        QCOMPARE(rig.Calls("AddEvent").size(), 0u);
        QCOMPARE(rig.errors.size(), 1u);
        QCOMPARE(rig.errors[0].message, std::string("This song has no bars to place the event on."));
        delete tool;
    }

    void theWindowShowsItsTitleAndExamples()
    {
        EditRig rig;
        auto* tool = MakeTool(rig);
        QObject* window = tool->QmlObject();
        QCOMPARE(window->property("visible").toBool(), false);
        QCOMPARE(window->property("title").toString(), QString("Create OSC Command"));
        QCOMPARE(vemo::testing::Child(window, "examples")->property("text").toString(),
                 QString("/vemo/volume (-#db)\n/vemo/fadeout (#time)\n/vemo/fadeto (-#db) (#time)\n"));
        QCOMPARE(vemo::testing::Child(window, "networkInput")->property("count").toInt(), 1);
        delete tool;
    }

    // The window goes with its deferred delete and must not read the destinations after the tool.
    void aToolDeletedWhileOpenLeavesNothingBehind()
    {
        EditRig rig;
        const qsizetype windows = QGuiApplication::allWindows().size();
        auto* tool = MakeTool(rig);
        tool->onToolButtonClicked(rig.engine->GetBarBeatByTick(SongOneTick(2, 1)), kEditStartTick);
        tool->ConnectDocument();
        QVERIFY(edittest::ReleasedWithItsWindow(tool, windows));
    }
};

QTEST_MAIN(TestOscTool)
#include "test_osc_tool.moc"
