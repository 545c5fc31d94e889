#include "timeline_rig.h"

#include "timeline/bars_beats_view_controller.h"

#include <vemo_test/qml_engine.h>

#include <QtTest>

using namespace timelinetest;
using vemo::qt::BarController;

namespace {

std::filesystem::path Show(vemo::testing::Song song)
{
    vemo::testing::FixtureShow show;
    show.songs = {std::move(song)};
    return show.Write();
}

QQuickItem* Item(BarController& line)
{
    return qobject_cast<QQuickItem*>(line.QmlObject());
}

QObject* RulerArea(TimelineRig& rig)
{
    return rig.Document("barsRegion").value<QObject*>();
}

} // namespace

class TestBarsBeatsView : public QObject {
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(".*")); }

    void oneLinePerBarAndBeatBeforeTheEnd()
    {
        TimelineRig rig(Show({.number = "1", .bars = 2}));
        const auto& lines = rig.controller->Ruler().Lines();
        const QStringList labels = {"1", "2", "3", "4", "2", "2", "3", "4", ""};
        QCOMPARE(lines.size(), std::size_t(labels.size()));
        for (std::size_t i = 0; i < lines.size(); ++i) {
            QObject* line = lines[i]->QmlObject();
            QCOMPARE(line->property("barLabel").toString(), labels[int(i)]);
            QCOMPARE(line->property("basePos").toInt(), int(i < 8 ? i * 480 / 25 : 3840 / 25));
            QCOMPARE(line->property("isBar").toBool(), i % 4 == 0 || i == 8);
            QCOMPARE(line->property("isEndBar").toBool(), i == 8);
            QCOMPARE(Item(*lines[i])->z(), -double(i));
        }
        QCOMPARE(RulerArea(rig)->property("audioFadeBoxControl").value<QQuickItem*>()->z(), -9.0);
    }

    void audioRegions_data()
    {
        QTest::addColumn<int>("audioEnd");
        QTest::addColumn<bool>("fadeFlag");
        QTest::addColumn<QList<int>>("expected"); // fade width, fade pos, out width, out pos, in width, in pos
        const int length = 4 * 1920;
        QTest::newRow("audio ends early") << length - 960 << true << QList<int>{0, 0, 38, qRound((length - 960) / 25.0), 38, 0};
        QTest::newRow("audio runs on, fade shown") << length + 960 << true << QList<int>{38, length / 25, 0, 0, 38, 0};
        QTest::newRow("audio runs on, no fade") << length + 960 << false << QList<int>{0, 0, -38, qRound((length + 960) / 25.0), 38, 0};
        QTest::newRow("audio ends with the song") << length << true << QList<int>{0, length / 25, 0, 0, 38, 0};
    }

    void audioRegions()
    {
        QFETCH(int, audioEnd);
        QFETCH(bool, fadeFlag);
        QFETCH(QList<int>, expected);
        TimelineRig rig(Show({.number = "1", .bars = 4, .editStartTick = 960, .audioEndTick = UInt32(audioEnd)}));
        vemo::qt::BarsBeatsViewController ruler(RulerArea(rig), 25.0, rig.qml.get(), rig.editModel.get(), fadeFlag);
        ruler.Rebuild();
        QObject* area = RulerArea(rig);
        const QList<int> written = {
            area->property("audioFadeRegionWidth").toInt(), area->property("audioFadeRegionPos").toInt(),
            area->property("audioOutRegionWidth").toInt(),  area->property("audioOutRegionPos").toInt(),
            area->property("audioInRegionWidth").toInt(),   area->property("audioInRegionPos").toInt()};
        QCOMPARE(written, expected);
    }

    void beatLinesHideBelowFullScale()
    {
        TimelineRig rig(Show({.number = "1", .bars = 4}));
        auto& ruler = rig.controller->Ruler();
        const auto beatsVisible = [&ruler] {
            int visible = 0;
            for (const auto& line : ruler.Lines())
                visible += !line->IsBar() && Item(*line)->isVisible();
            return visible;
        };
        QCOMPARE(beatsVisible(), 12);
        ruler.SetViewScale(0.5, true);
        QCOMPARE(beatsVisible(), 0);
        ruler.Rebuild();
        QCOMPARE(beatsVisible(), 0);
        ruler.SetViewScale(1.0, true);
        QCOMPARE(beatsVisible(), 12);
    }

    void crowdedBeatKeepsItsLineAndLosesItsLabel()
    {
        // 6/8: beats 9.6 pixels apart at full scale, closer than a label and its gap.
        TimelineRig rig(Show({.number = "1", .bars = 2, .meters = {{.bar = 1, .numerator = 6, .denominator = 8}}}));
        int hiddenLabels = 0;
        for (const auto& line : rig.controller->Ruler().Lines()) {
            QVERIFY(Item(*line)->isVisible());
            hiddenLabels += !line->QmlObject()->property("showLabel").toBool();
        }
        QVERIFY(hiddenLabels > 0);
    }

    void crowdedBarsGiveWayAndTheEndLineStays()
    {
        TimelineRig rig(Show({.number = "1", .bars = 8}));
        auto& ruler = rig.controller->Ruler();
        ruler.SetViewScale(0.2, true); // bars 15 pixels apart
        std::vector<BarController*> shown;
        for (const auto& line : ruler.Lines()) {
            if (line->IsBar() && Item(*line)->isVisible())
                shown.push_back(line.get());
        }
        QCOMPARE(shown.back(), ruler.Lines().back().get());
        QVERIFY(shown.size() < 9);
        QVERIFY(shown.size() > 2);
        ruler.SetViewScale(1.0, true);
        for (const auto& line : ruler.Lines())
            QVERIFY(!line->IsBar() || Item(*line)->isVisible());
    }

    void sameScaleTwiceDoesNothing()
    {
        TimelineRig rig(Show({.number = "1", .bars = 2}));
        auto& ruler = rig.controller->Ruler();
        ruler.SetViewScale(2.0, true);
        BarController& beat = *ruler.Lines()[1];
        beat.SetVisible(false);
        ruler.SetViewScale(2.0, true);
        QVERIFY(!Item(beat)->isVisible());
    }
};

QTEST_MAIN(TestBarsBeatsView)
#include "test_bars_beats_view.moc"
