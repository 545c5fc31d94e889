#include "timeline/event_item_controllers.h"

#include <vemo_core/events.h>
#include <vemo_test/qml_engine.h>

#include <QQuickItem>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace vemo::qt;

class TestEventItems : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QQmlEngine> engine = vemo::testing::MakeQmlEngine();
    std::unique_ptr<QQuickItem> row;
    const CL::Cut cut{1000, 2000, "CUT1", 0};
    const CL::Caesura caesura{3000, "CSR1", 0};
    const CL::Marker marker{4000, "Verse", "MRK1"};
    const CL::Osc cue{5000, "OSC1", CL::OscProperties("/go", "NET1")};

private slots:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        row = std::make_unique<QQuickItem>();
        row->setSize({2000, 16});
    }

    void cleanup()
    {
        row.reset();
        vemo::testing::DeliverDeferredDeletes();
    }

    void regionColours_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("colour");
        QTest::newRow("cut") << 0 << "#DC143C";
        QTest::newRow("skip") << 1 << "#6e3493";
        QTest::newRow("repeat") << 2 << "#DAA520";
        QTest::newRow("vamp") << 3 << "#00BFFF";
        QTest::newRow("tempo scale") << 4 << "#0d6d97";
        QTest::newRow("transpose") << 5 << "#FFFF00";
        QTest::newRow("click") << 6 << "#3da893";
        QTest::newRow("kind 7 has no entry") << 7 << "#cccccc";
        QTest::newRow("ambient") << 8 << "#FF66CC";
        QTest::newRow("kind 99 has no entry") << 99 << "#cccccc";
    }

    void regionColours()
    {
        QFETCH(int, kind);
        QFETCH(QString, colour);
        TimeRegionController region(&cut, false, "Kind", 40, 40, kind, engine.get(), row.get());
        QCOMPARE(region.QmlObject()->property("baseColor").value<QColor>(), QColor(colour));
    }

    void regionIsPlacedAndScaledThroughItsDocument()
    {
        TimeRegionController region(&cut, true, "Cut", 100, 100, 0, engine.get(), row.get());
        auto* item = qobject_cast<QQuickItem*>(region.QmlObject());
        QCOMPARE(item->parentItem(), row.get());
        QCOMPARE(item->property("basePosition").toInt(), 100);
        QCOMPARE(item->property("baseWidth").toInt(), 100);
        QVERIFY(item->property("editable").toBool());
        emit region.SetViewScale(2.0);
        QCOMPARE(item->x(), 200.0);
        QCOMPARE(item->width(), 200.0);
        QCOMPARE(item->property("xPos").toDouble(), 200.0);
    }

    void clickTogglesAndAlwaysReportsTheEvent()
    {
        TimeLineCaesuraController item(&caesura, false, 120, engine.get(), row.get());
        QSignalSpy selected(&item, &VemoEventController::SelectedSignal);
        QVERIFY(QMetaObject::invokeMethod(item.QmlObject(), "clicked"));
        QVERIFY(item.IsSelected());
        QVERIFY(item.QmlObject()->property("selected").toBool());
        QVERIFY(QMetaObject::invokeMethod(item.QmlObject(), "clicked"));
        QVERIFY(!item.IsSelected());
        QCOMPARE(selected.size(), 2);
        QCOMPARE(selected[1][0].value<const cmn::VemoEvent*>(), static_cast<const cmn::VemoEvent*>(&caesura));
    }

    void pointItemsReportDragsWithoutFlags()
    {
        TimeLineCaesuraController caesuraItem(&caesura, true, 120, engine.get(), row.get());
        TimeLineMarkerController markerItem(&marker, true, " Verse", 160, engine.get(), row.get());
        TimeLineGlyphController glyphItem(&cue, true, 200, engine.get(), row.get(), "qrc:/images/lan.svg", true);
        for (VemoEventController* item : std::initializer_list<VemoEventController*>{&caesuraItem, &markerItem, &glyphItem}) {
            QSignalSpy dragged(item, &VemoEventController::DraggedSignal);
            QSignalSpy doubleClicked(item, &VemoEventController::DoubleClickedSignal);
            QVERIFY(QMetaObject::invokeMethod(item->QmlObject(), "dragged", Q_ARG(int, 7), Q_ARG(int, 9)));
            QVERIFY(QMetaObject::invokeMethod(item->QmlObject(), "doubleClicked"));
            QCOMPARE(dragged.size(), 1);
            QCOMPARE(dragged[0][0].value<const cmn::VemoEvent*>(), item->Event());
            QCOMPARE(dragged[0][1].toInt(), 7);
            QCOMPARE(dragged[0][2].toInt(), 9);
            QCOMPARE(dragged[0][3].toBool(), false);
            QCOMPARE(dragged[0][4].toBool(), false);
            QCOMPARE(doubleClicked.size(), 1);
        }
    }

    void regionDragsKeepTheirFlags()
    {
        TimeRegionController region(&cut, true, "Cut", 40, 40, 0, engine.get(), row.get());
        QSignalSpy dragged(&region, &VemoEventController::DraggedSignal);
        QVERIFY(QMetaObject::invokeMethod(region.QmlObject(), "dragged", Q_ARG(int, 41), Q_ARG(int, 80),
                                          Q_ARG(bool, true), Q_ARG(bool, false)));
        QCOMPARE(dragged.size(), 1);
        QCOMPARE(dragged[0][3].toBool(), true);
        QCOMPARE(dragged[0][4].toBool(), false);
    }

    void glyphKeepsItsSoundEffectIconWithoutAPath()
    {
        const CL::Sfx effect(6000, "SFX1", {});
        TimeLineGlyphController sound(&effect, false, 240, engine.get(), row.get(), QString(), false);
        TimeLineGlyphController osc(&cue, false, 200, engine.get(), row.get(), "qrc:/images/lan.svg", false);
        QCOMPARE(sound.QmlObject()->property("glyphPath").toUrl(), QUrl("qrc:/images/sfx.svg"));
        QCOMPARE(osc.QmlObject()->property("glyphPath").toUrl(), QUrl("qrc:/images/lan.svg"));
        QCOMPARE(osc.QmlObject()->property("enableOsc").toBool(), false);
        QCOMPARE(osc.QmlObject()->property("basePosition").toInt(), 200);
    }

    void markerLabelAndDiamond()
    {
        TimeLineMarkerController item(nullptr, false, " 120.00", 0, engine.get(), row.get());
        QCOMPARE(item.QmlObject()->property("labelText").toString(), QString(" 120.00"));
        item.SetVisibleLabel(false);
        QCOMPARE(item.QmlObject()->property("visibleLabel").toBool(), false);
        item.ApplyViewScale(3.0);
        QCOMPARE(item.QmlObject()->property("viewScale").toDouble(), 3.0);
    }

    void editableIsWrittenOnlyOnChange()
    {
        TimeLineMarkerController item(&marker, false, " Verse", 160, engine.get(), row.get());
        QSignalSpy changes(item.QmlObject(), SIGNAL(editableChanged()));
        item.SetEditable(false);
        QCOMPARE(changes.size(), 0);
        item.SetEditable(true);
        item.SetEditable(true);
        QCOMPARE(changes.size(), 1);
        QVERIFY(item.QmlObject()->property("editable").toBool());
    }

    void itemWithoutADocumentDoesNothing()
    {
        TimeLineMarkerController item(&marker, true, " Verse", 160, nullptr, row.get());
        QVERIFY(item.QmlObject() == nullptr);
        item.SetSelected(true);
        item.SetVisibleLabel(false);
        item.ApplyViewScale(2.0);
        QVERIFY(row->childItems().isEmpty());
    }
};

QTEST_MAIN(TestEventItems)
#include "test_event_items.moc"
