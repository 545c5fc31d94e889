#include "list_rig.h"

#include <vemo_core/events.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

using liststest::ListRig;
using vemo::qt::MarkerInfoItem;

namespace {

std::shared_ptr<const cmn::VemoEvent> MarkerAt(UInt32 tick, const std::string& text, const std::string& id)
{
    return std::make_shared<CL::Marker>(tick, text, id);
}

// A rig whose first song holds markers "A", "B", "C" at ticks 0, 480 and 960.
std::unique_ptr<ListRig> MarkedRig()
{
    auto rig = std::make_unique<ListRig>();
    rig->AddEvents({MarkerAt(960, "C", "MRK3"), MarkerAt(0, "A", "MRK1"), MarkerAt(480, "B", "MRK2")});
    return rig;
}

QColor ShadeOf(ListRig& rig, int row)
{
    QQuickItem* item = rig.Row(rig.markerView, row);
    auto* shade = item ? item->findChild<QObject*>("passedShade") : nullptr;
    return shade ? shade->property("color").value<QColor>() : QColor();
}

} // namespace

class TestMarkerList : public QObject {
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(".?")); }

    void rowsAreSortedByTick_data()
    {
        QTest::addColumn<std::vector<UInt32>>("delivered");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("out of order") << std::vector<UInt32>{960, 0, 480} << QStringList{"m1", "m2", "m0"};
        QTest::newRow("one tick keeps order") << std::vector<UInt32>{480, 0, 480} << QStringList{"m1", "m0", "m2"};
        QTest::newRow("unsigned") << std::vector<UInt32>{3000000000u, 100} << QStringList{"m1", "m0"};
    }

    void rowsAreSortedByTick()
    {
        QFETCH(std::vector<UInt32>, delivered);
        QFETCH(QStringList, names);
        vemo::qt::MarkerListModel model;
        std::vector<MarkerInfoItem> items;
        for (std::size_t i = 0; i < delivered.size(); ++i)
            items.emplace_back("m" + std::to_string(i), "", delivered[i]);
        model.SetItems(items);
        QStringList rows;
        for (int row = 0; row < model.rowCount(); ++row)
            rows << model.index(row).data(Qt::UserRole + 1).toString();
        QCOMPARE(rows, names);
    }

    void indexForPosition_data()
    {
        QTest::addColumn<std::vector<UInt32>>("ticks");
        QTest::addColumn<UInt32>("tick");
        QTest::addColumn<int>("row");
        const std::vector<UInt32> three{0, 480, 960};
        QTest::newRow("between") << three << UInt32(479) << 0;
        QTest::newRow("on a marker") << three << UInt32(480) << 1;
        QTest::newRow("past the last") << three << UInt32(10000) << 2;
        QTest::newRow("before the first") << std::vector<UInt32>{480, 960} << UInt32(100) << -1;
        QTest::newRow("last of one tick") << std::vector<UInt32>{0, 480, 480} << UInt32(500) << 2;
        QTest::newRow("unsigned") << std::vector<UInt32>{100, 3000000000u} << UInt32(3000000001u) << 1;
        QTest::newRow("no markers") << std::vector<UInt32>{} << UInt32(0) << -1;
    }

    void indexForPosition()
    {
        QFETCH(std::vector<UInt32>, ticks);
        QFETCH(UInt32, tick);
        QFETCH(int, row);
        vemo::qt::MarkerListModel model;
        std::vector<MarkerInfoItem> items;
        for (UInt32 at : ticks)
            items.emplace_back("m", "", at);
        model.SetItems(items);
        QCOMPARE(model.IndexForPosition(tick), row);
    }

    void clickAnnouncesTheRow()
    {
        auto rig = MarkedRig();
        QStringList log;
        connect(rig->markers.get(), &vemo::qt::MarkerListController::CurrentItemChangedSignal, this,
                [&log](const MarkerInfoItem& item) { log << QString::fromStdString("row " + item.name); });
        connect(rig->markerView, SIGNAL(itemClicked()), this, SLOT(RecordClick()));
        clicks = &log;

        rig->ClickRow(rig->markerView, 1);
        QCOMPARE(log, QStringList({"row B", "clicked", "row B"}));
        QCOMPARE(rig->markerRowsPublished, std::vector<int>({1, 1}));

        log.clear();
        rig->ClickRow(rig->markerView, 1);
        QCOMPARE(log, QStringList({"clicked", "row B"}));
        clicks = nullptr;
    }

    void refreshAndRepeatedSelectionAnnounceNothing()
    {
        auto rig = MarkedRig();
        QSignalSpy announced(rig->markers.get(), &vemo::qt::MarkerListController::CurrentItemChangedSignal);
        rig->markers->SetCurrentIndex(2);
        QCOMPARE(announced.size(), 1);
        QCOMPARE(rig->markerRowsPublished, std::vector<int>{2});

        rig->markers->SetCurrentIndex(2);
        QCOMPARE(announced.size(), 1);
        QCOMPARE(rig->markerRowsPublished.size(), 1u);

        rig->markers->Refresh();
        QCOMPARE(rig->markerView->property("currentIndex").toInt(), -1);
        QCOMPARE(announced.size(), 1);
        QCOMPARE(rig->markerRowsPublished.size(), 1u);
    }

    void silentSelectionPublishesOnly()
    {
        auto rig = MarkedRig();
        QSignalSpy announced(rig->markers.get(), &vemo::qt::MarkerListController::CurrentItemChangedSignal);
        CL::Marker same(480, "B", "OTHER");
        rig->markers->SelectMarkerForEvent(&same);
        QCOMPARE(rig->markerView->property("currentIndex").toInt(), 1);
        QCOMPARE(rig->markerRowsPublished, std::vector<int>{1});

        CL::Marker elsewhere(960, "B", "MRK2");
        rig->markers->SelectMarkerForEvent(&elsewhere);
        QCOMPARE(rig->markerView->property("currentIndex").toInt(), -1);
        QCOMPARE(rig->markerRowsPublished, std::vector<int>{1});
        QCOMPARE(announced.size(), 0);
    }

    void passedShadeYieldsToTheCurrentRow()
    {
        auto rig = MarkedRig();
        rig->PassedMarker(500);
        QCOMPARE(rig->markers->passedIndex(), 1);
        QCOMPARE(rig->markerView->property("passedIndex").toInt(), 1);
        QVERIFY(ShadeOf(*rig, 1).alpha() > 0);
        QCOMPARE(ShadeOf(*rig, 0).alpha(), 0);

        rig->markers->SetCurrentIndex(1);
        QCOMPARE(ShadeOf(*rig, 1).alpha(), 0);
        rig->markers->SetCurrentIndex(2);
        QVERIFY(ShadeOf(*rig, 1).alpha() > 0);

        rig->markers->Refresh();
        QCOMPARE(rig->markerView->property("passedIndex").toInt(), 1);
        rig->PassedMarker(10);
        QCOMPARE(rig->markerView->property("passedIndex").toInt(), 0);
    }

    void rowsAlignWithTheEditModel()
    {
        auto rig = MarkedRig();
        rig->AddEvents({MarkerAt(480, "B2", "MRK4"), MarkerAt(240, "AB", "MRK5")});
        const auto& markers = rig->editModel->markers;
        QCOMPARE(rig->markers->Model().rowCount(), static_cast<int>(markers.size()));
        for (int row = 0; row < rig->markers->Model().rowCount(); ++row) {
            const MarkerInfoItem item = rig->markers->Model().ItemAt(row);
            QCOMPARE(item.name, markers[static_cast<std::size_t>(row)]->value());
            QCOMPARE(item.position, markers[static_cast<std::size_t>(row)]->abs_time());
        }
    }

    void markupInANameStaysText()
    {
        QTcpServer listener;
        QVERIFY(listener.listen(QHostAddress::LocalHost));
        const std::string name = "<b>x</b><img src=\"http://127.0.0.1:" + std::to_string(listener.serverPort()) +
                                 "/a.png\">";
        ListRig rig;
        rig.AddEvents({MarkerAt(0, name, "MRK1")});
        QQuickItem* row = rig.Row(rig.markerView, 0);
        QVERIFY(row != nullptr);
        auto* label = row->findChild<QObject*>("markerName");
        QVERIFY(label != nullptr);
        QCOMPARE(label->property("text").toString(), QString::fromStdString(name));
        label->setProperty("toolTipVisible", true);
        QVERIFY(!listener.waitForNewConnection(300));
    }

public slots:
    void RecordClick()
    {
        if (clicks != nullptr)
            *clicks << "clicked";
    }

private:
    QStringList* clicks = nullptr;
};

QTEST_MAIN(TestMarkerList)
#include "test_marker_list.moc"
