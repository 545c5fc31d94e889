#include "timeline_rig.h"

#include "repeated_bar_start_engine.h"

#include "lists/event_info_item.h"
#include "lists/marker_info_item.h"

#include <vemo_core/events.h>
#include <vemo_core/notify.h>
#include <vemo_test/qml_engine.h>

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <algorithm>

using namespace timelinetest;
using vemo::qt::TimelineController;

namespace {

std::vector<std::string> Seeks(const std::vector<std::string>& lines)
{
    std::vector<std::string> seeks;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(seeks),
                 [](const std::string& line) { return line.rfind("Seek(", 0) == 0; });
    return seeks;
}

// One 6/8 song: beats every 240 ticks.
std::filesystem::path SixEightShow()
{
    vemo::testing::FixtureShow show;
    show.songs = {{.number = "1", .bars = 4, .meters = {{.bar = 1, .numerator = 6, .denominator = 8}}}};
    return show.Write();
}

void PublishMarkerJump(UInt32 tick, bool playing)
{
    notify::MarkerListSelection selection{tick, playing};
    notify::callbackDispatcher.Notify(notify::names::editControllerMarkerListSelected, &selection);
}

QObject* Document(vemo::qt::QmlController& item)
{
    return item.QmlObject();
}

} // namespace

class TestTimelineController : public QObject {
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(".*")); }

    void songLoadBuildsEveryRow()
    {
        vemo::testing::FixtureShow show;
        show.songs = {{.number = "1",
                       .bars = 8,
                       .meters = {{.bar = 1, .numerator = 6, .denominator = 8}},
                       .audioEndTick = 9 * 1440,
                       .events = {std::make_shared<CL::Cut>(1440, 2880, "CUT1", 0),
                                  std::make_shared<CL::Vamp>(2880, 4320, "VMP1", 2),
                                  std::make_shared<CL::Transpose>(0, 1440, "TRN1", 2),
                                  std::make_shared<CL::Caesura>(4320, "CSR1", 0),
                                  std::make_shared<CL::Marker>(1440, "Verse", "MRK1"),
                                  std::make_shared<CL::Osc>(2880, "OSC1", CL::OscProperties("/go", "NET1"))}}};
        show.networks = {{.id = "NET1", .name = "Desk"}};
        TimelineRig rig(show.Write(), false);
        QCOMPARE(rig.Document("viewScale").toDouble(), 1.0);
        QCOMPARE(rig.Document("baseWidth").toInt(), qRound(9 * 1440 / 25.0 + 200));
        QCOMPARE(rig.controller->RegionItems().size(), std::size_t(3));
        QCOMPARE(rig.controller->CaesuraItems().size(), std::size_t(1));
        QCOMPARE(rig.controller->MarkerItems().size(), std::size_t(1));
        QCOMPARE(rig.controller->GlyphItems().size(), std::size_t(1));
        QCOMPARE(rig.controller->TempoItems().size(), std::size_t(1));
        QCOMPARE(rig.controller->MeterItems().size(), std::size_t(1));
        QCOMPARE(rig.controller->KeyItems().size(), std::size_t(1));
        QCOMPARE(Document(*rig.controller->TempoItems()[0])->property("labelText").toString(), QString(" 120.00"));
        QCOMPARE(Document(*rig.controller->MeterItems()[0])->property("labelText").toString(), QString(" 6/8"));
        QCOMPARE(Document(*rig.controller->MarkerItems()[0])->property("labelText").toString(), QString(" Verse"));
        QCOMPARE(Document(*rig.controller->GlyphItems()[0])->property("glyphPath").toUrl(),
                 QUrl("qrc:/images/lan.svg"));
        QCOMPARE(Document(*rig.controller->RegionItems()[0])->property("baseColor").value<QColor>(),
                 QColor("#00BFFF"));
        QVERIFY(!Document(*rig.controller->RegionItems()[0])->property("editable").toBool());
        QVERIFY(rig.controller->Ruler().Lines().size() > 8);

        rig.timeline->setProperty("viewScale", 2.0);
        rig.controller->permissions.edit = true;
        QVERIFY(!Document(*rig.controller->MarkerItems()[0])->property("editable").toBool());
        rig.controller->LoadSong("1");
        QCOMPARE(rig.Document("viewScale").toDouble(), 1.0);
        for (const auto& region : rig.controller->RegionItems())
            QVERIFY(Document(*region)->property("editable").toBool());
        QVERIFY(Document(*rig.controller->MarkerItems()[0])->property("editable").toBool());
        QVERIFY(!Document(*rig.controller->TempoItems()[0])->property("editable").toBool());
    }

    void playhead_data()
    {
        QTest::addColumn<int>("tick");
        QTest::addColumn<int>("basePos");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("tick 0 stands at unit 0") << 0 << 0 << false;
        QTest::newRow("tick 8 stands at unit 0") << 8 << 0 << false;
        QTest::newRow("tick 480 rounds to unit 19") << 480 << 19 << false;
        QTest::newRow("in view") << 5000 << 200 << false;
        QTest::newRow("one unit past the view's end") << -1 << -1 << true;
    }

    void playhead()
    {
        QFETCH(int, tick);
        QFETCH(int, basePos);
        QFETCH(bool, scrolls);
        TimelineRig rig(OneSongShow(32));
        const int viewEnd = rig.Document("viewEnd").toInt();
        QVERIFY(viewEnd > 250);
        if (tick < 0) {
            tick = (viewEnd + 1) * 25;
            basePos = qRound((tick - 8) / 25.0);
        }
        rig.controller->SetPlayheadTick(tick);
        QObject* playhead = rig.Document("playheadItem").value<QObject*>();
        QCOMPARE(playhead->property("basePos").toInt(), basePos);
        QCOMPARE(rig.Document("viewStart").toInt(), scrolls ? tick / 25 : 0);
    }

    void nestedSuspensionsResumeWithTheFirstTimer()
    {
        TimelineRig rig(OneSongShow(32));
        const int outOfView = (rig.Document("viewEnd").toInt() + 10) * 25;
        rig.controller->SuspendViewFollow(100);
        rig.controller->SuspendViewFollow(60000);
        rig.controller->SetPlayheadTick(outOfView);
        QCOMPARE(rig.Document("viewStart").toInt(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(rig.controller->findChildren<QTimer*>().size(), qsizetype(0), 5000);
        vemo::testing::DeliverDeferredDeletes();
        QCOMPARE(rig.Document("viewStart").toInt(), 0); // what came between is not replayed
        rig.controller->SetPlayheadTick(outOfView + 25 * 100);
        QCOMPARE(rig.Document("viewStart").toInt(), outOfView / 25 + 100);
    }

    void clickSeeksToTheNearestBeat_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<std::string>("seek");
        QTest::newRow("unit 10 is nearest to beat 240") << 10 << std::string("Seek(240)");
        QTest::newRow("midway goes to the earlier beat") << 24 << std::string("Seek(480)");
        QTest::newRow("past the end seeks to the end") << 4 * 1440 / 25 + 50 << std::string("Seek(5760)");
    }

    void clickSeeksToTheNearestBeat()
    {
        QFETCH(int, unit);
        QFETCH(std::string, seek);
        TimelineRig rig(SixEightShow());
        QSignalSpy clicked(rig.controller.get(), &TimelineController::timelineClicked);
        QVERIFY(QMetaObject::invokeMethod(rig.timeline.get(), "timelineClicked", Q_ARG(int, unit)));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(Seeks(rig.Journal()), std::vector<std::string>{seek});
    }

    void dragLeavesInTicksThenSuspendsFollowing()
    {
        TimelineRig rig(OneSongShow(32, {std::make_shared<CL::Cut>(kBar, 2 * kBar, "CUT1", 0)}));
        QSignalSpy dragged(rig.controller.get(), &TimelineController::EditDraggedSignal);
        auto& region = *rig.controller->RegionItems()[0];
        QVERIFY(QMetaObject::invokeMethod(Document(region), "dragged", Q_ARG(int, 40), Q_ARG(int, 80),
                                          Q_ARG(bool, false), Q_ARG(bool, true)));
        QCOMPARE(dragged.size(), 1);
        QCOMPARE(dragged[0][0].value<const cmn::VemoEvent*>(), region.Event());
        QCOMPARE(dragged[0][1].toInt(), 1000);
        QCOMPARE(dragged[0][2].toInt(), 2000);
        QCOMPARE(dragged[0][3].toBool(), false);
        QCOMPARE(dragged[0][4].toBool(), true);
        const auto timers = rig.controller->findChildren<QTimer*>();
        QCOMPARE(timers.size(), qsizetype(1));
        QCOMPARE(timers[0]->interval(), 100);
        rig.controller->SetPlayheadTick((rig.Document("viewEnd").toInt() + 10) * 25);
        QCOMPARE(rig.Document("viewStart").toInt(), 0);
    }

    void dragRebuiltInsideItsSignalRunsClean()
    {
        TimelineRig rig(OneSongShow(32, {std::make_shared<CL::Cut>(kBar, 2 * kBar, "CUT1", 0),
                                         std::make_shared<CL::Caesura>(3 * kBar, "CSR1", 0)}));
        connect(rig.controller.get(), &TimelineController::EditDraggedSignal, rig.controller.get(), [&rig] {
            rig.controller->ClearItems();
            rig.controller->Refresh();
        });
        QVERIFY(QMetaObject::invokeMethod(Document(*rig.controller->CaesuraItems()[0]), "dragged", Q_ARG(int, 200),
                                          Q_ARG(int, 201)));
        vemo::testing::DeliverDeferredDeletes();
        QCOMPARE(rig.controller->CaesuraItems().size(), std::size_t(1));
        QCOMPARE(rig.controller->RegionItems().size(), std::size_t(1));
        QVERIFY(QMetaObject::invokeMethod(Document(*rig.controller->RegionItems()[0]), "dragged", Q_ARG(int, 90),
                                          Q_ARG(int, 120), Q_ARG(bool, false), Q_ARG(bool, false)));
        vemo::testing::DeliverDeferredDeletes();
        QCOMPARE(rig.controller->RegionItems().size(), std::size_t(1));
    }

    void labelsThinPerRow()
    {
        // Markers 5 pixels apart: the first gives way to the second.
        TimelineRig rig(OneSongShow(32, {std::make_shared<CL::Marker>(kBar, "Verse", "MRK1"),
                                         std::make_shared<CL::Marker>(kBar + 125, "Chorus", "MRK2")}));
        const auto& markers = rig.controller->MarkerItems();
        QCOMPARE(markers.size(), std::size_t(2));
        QCOMPARE(Document(*markers[0])->property("visibleLabel").toBool(), false);
        QCOMPARE(Document(*markers[1])->property("visibleLabel").toBool(), true);
        // A tempo and a meter at tick 0 stand in rows of their own: both keep their labels.
        QCOMPARE(Document(*rig.controller->TempoItems()[0])->property("visibleLabel").toBool(), true);
        QCOMPARE(Document(*rig.controller->MeterItems()[0])->property("visibleLabel").toBool(), true);
    }

    void selectionByRowMarksTheMatchingItemsAndScrolls()
    {
        TimelineRig rig(OneSongShow(32, {std::make_shared<CL::Cut>(10000, 12000, "CUT1", 0),
                                         std::make_shared<CL::Repeat>(12000, 14000, "RPT1", 2)}));
        rig.timeline->setProperty("viewScale", 2.0);
        rig.controller->SuspendViewFollow(250);
        const auto& regions = rig.controller->RegionItems();
        const auto* cut = std::find_if(regions.begin(), regions.end(), [](const auto& r) { return r->Kind() == 0; })->get();
        rig.controller->SelectEventItem(vemo::qt::MakeEventInfoItem(*cut->Event()));
        for (const auto& region : regions)
            QCOMPARE(region->IsSelected(), region.get() == cut);
        QCOMPARE(rig.Document("viewStart").toInt(), 400);
        QCOMPARE(rig.Document("viewStart").toInt() * rig.Document("viewScale").toDouble(), 800.0);

        rig.controller->SelectEventItem(vemo::qt::EventInfoItem{});
        for (const auto& region : regions)
            QVERIFY(!region->IsSelected());
    }

    void markerJumpScrollsWhileFollowingIsSuspended()
    {
        TimelineRig rig(OneSongShow(64));
        rig.controller->SuspendViewFollow(250);
        const int farTick = 50000;
        rig.controller->SetPlayheadTick(farTick);
        QCOMPARE(rig.Document("viewStart").toInt(), 0);
        PublishMarkerJump(farTick, true); // playing: the jump is the engine's to make
        QCOMPARE(rig.Document("viewStart").toInt(), 0);
        PublishMarkerJump(farTick, false);
        QCOMPARE(rig.Document("viewStart").toInt(), farTick / 25);
        QObject* playhead = rig.Document("playheadItem").value<QObject*>();
        QCOMPARE(playhead->property("basePos").toInt(), qRound((farTick - 8) / 25.0));
        PublishMarkerJump(farTick + 250, false); // in view: no scroll
        QCOMPARE(rig.Document("viewStart").toInt(), farTick / 25);
    }

    void selectionByMarkerIgnoresTheLocation()
    {
        TimelineRig rig(OneSongShow(32, {std::make_shared<CL::Marker>(kBar, "Verse", "MRK1"),
                                         std::make_shared<CL::Marker>(3 * kBar, "Verse", "MRK2")}));
        rig.controller->SelectMarkerItem(vemo::qt::MarkerInfoItem("Verse", "any bar", 3 * kBar));
        QVERIFY(!rig.controller->MarkerItems()[0]->IsSelected());
        QVERIFY(rig.controller->MarkerItems()[1]->IsSelected());
    }

    void selectionByItemUsesKindAndId()
    {
        TimelineRig rig(OneSongShow(32, {std::make_shared<CL::Cut>(kBar, 2 * kBar, "CUT1", 0),
                                         std::make_shared<CL::Cut>(3 * kBar, 4 * kBar, "CUT2", 0)}));
        QSignalSpy selected(rig.controller.get(), &TimelineController::EditSelectedSignal);
        const auto& regions = rig.controller->RegionItems();
        QVERIFY(QMetaObject::invokeMethod(Document(*regions[1]), "clicked"));
        QCOMPARE(selected.size(), 1);
        QVERIFY(!regions[0]->IsSelected());
        QVERIFY(regions[1]->IsSelected());

        const auto copy = CL::CopyVemoEvent(*regions[0]->Event());
        rig.controller->onEditRegionSelected(copy.get());
        QVERIFY(regions[0]->IsSelected());
        QVERIFY(!regions[1]->IsSelected());
    }

    void unreadableGridStillLoadsTheSong()
    {
        vemo::testing::FixtureShow show;
        show.songs = {{.number = "1", .bars = 8},
                      {.number = "2", .bars = 4, .events = {std::make_shared<CL::Cut>(kBar, 2 * kBar, "CUT1", 0)}}};
        const auto folder = show.Write();
        vemo::AudioInterface::Options options;
        options.clock = vemo::AudioInterface::Options::Clock::Manual;
        auto engine = std::make_shared<vemo::testing::RepeatedBarStartEngine>(folder.string(), (folder.parent_path() / "data").string(),
                                                               false, nullptr, options);
        engine->ThrowIfThreadExceptions();
        TimelineRig rig(folder, true, engine);
        engine->repeatBarStart = true;
        engine->LoadSong("2");
        engine->Probe().Drain();
        rig.controller->LoadSong("2");
        QCOMPARE(rig.editModel->currentSong, std::string("2"));
        QCOMPARE(rig.controller->RegionItems().size(), std::size_t(1));
        QCOMPARE(rig.Document("baseWidth").toInt(), qRound(4 * kBar / 25.0 + 200));
        QCOMPARE(rig.controller->Ruler().Lines().size(), std::size_t(1));
        rig.ClearJournal();
        QVERIFY(QMetaObject::invokeMethod(rig.timeline.get(), "timelineClicked", Q_ARG(int, 100)));
        QCOMPARE(Seeks(rig.Journal()), std::vector<std::string>{"Seek(0)"});
    }
};

QTEST_MAIN(TestTimelineController)
#include "test_timeline_controller.moc"
