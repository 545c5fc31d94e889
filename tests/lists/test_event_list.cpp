#include "list_rig.h"

#include <vemo_core/events.h>

#include <QSignalSpy>
#include <QStyleHints>
#include <QtTest>

using liststest::ListRig;
using vemo::qt::EventInfoItem;

namespace {

CL::OscProperties Cue(const std::string& message)
{
    return CL::OscProperties(message, "NET1");
}

} // namespace

class TestEventList : public QObject {
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(".?")); }

    void roles_data()
    {
        QTest::addColumn<EventInfoItem>("item");
        QTest::addColumn<QString>("type");
        QTest::newRow("unpaired") << EventInfoItem{1920, 1920, 'N', "", false} << "Caesura";
        QTest::newRow("paired") << EventInfoItem{0, 1920, 'B', "", true} << "Cut";
        QTest::newRow("skip") << EventInfoItem{0, 1920, 'M', "", true} << "Skip";
        QTest::newRow("vamp") << EventInfoItem{0, 1920, '@', "4x", true} << "Vamp";
        QTest::newRow("unknown code") << EventInfoItem{0, 0, 'Z', "", false} << "";
    }

    void roles()
    {
        QFETCH(EventInfoItem, item);
        QFETCH(QString, type);
        ListRig rig;
        vemo::qt::EventListModel model(rig.editModel.get());
        model.Reset({item});
        const QString bar = QString::fromStdString(rig.editModel->GetBarString(item.end));
        QCOMPARE(model.index(0).data(Qt::UserRole + 1).toString(),
                 QString::fromStdString(rig.editModel->GetBarString(item.start)));
        QCOMPARE(model.index(0).data(Qt::UserRole + 2).toString(), item.paired ? bar : QString("-"));
        QCOMPARE(model.index(0).data(Qt::UserRole + 3).toString(), type);
        QCOMPARE(model.index(0).data(Qt::UserRole + 4).toString(), item.count);
        QVERIFY(!model.index(0).data(Qt::UserRole + 5).isValid());
    }

    void soundEffectsCanBeLeftOut()
    {
        ListRig rig(false);
        rig.AddEvents({std::make_shared<CL::Cut>(0, 960, "CUT1"), std::make_shared<CL::Sfx>(1000, "SFX1"),
                       std::make_shared<CL::Fermata>(1920, 2400, "SKP1")});
        QCOMPARE(rig.events->Model().rowCount(), 2);
        QSignalSpy announced(rig.events.get(), &vemo::qt::EventListController::CurrentItemChangedSignal);
        rig.ClickRow(rig.eventView, 1);
        QCOMPARE(rig.eventRowsPublished, std::vector<int>({1, 1}));
        QVERIFY(!announced.isEmpty());
        QCOMPARE(announced.last().at(0).value<EventInfoItem>().code, UInt8('M'));
    }

    void oscDoubleClickNeedsOsc()
    {
        ListRig rig;
        rig.AddEvents({std::make_shared<CL::Osc>(480, "OSC1", Cue("/vemo/volume 0.5"))});
        QSignalSpy edits(rig.events.get(), &vemo::qt::EventListController::EditSelectedItem);
        rig.panel->setProperty("oscEnable", false);
        rig.DoubleClickRow(rig.eventView, 0);
        QCOMPARE(edits.size(), 0);
        QCOMPARE(rig.eventView->property("currentIndex").toInt(), 0);

        rig.panel->setProperty("oscEnable", true);
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
        rig.DoubleClickRow(rig.eventView, 0);
        QCOMPARE(edits.size(), 1);
    }

    void identicalEventsSelectTheFirstRow()
    {
        ListRig rig;
        rig.AddEvents({std::make_shared<CL::Vamp>(0, 1920, "VMP1", 2), std::make_shared<CL::Vamp>(0, 1920, "VMP2", 2)});
        QCOMPARE(rig.events->Model().rowCount(), 2);
        QSignalSpy announced(rig.events.get(), &vemo::qt::EventListController::CurrentItemChangedSignal);
        CL::Vamp second(0, 1920, "VMP2", 2);
        rig.events->SelectEvent(&second);
        QCOMPARE(rig.eventView->property("currentIndex").toInt(), 0);
        QCOMPARE(rig.eventRowsPublished, std::vector<int>{0});
        QCOMPARE(announced.size(), 0);
    }

    void refreshLeavesNoRowCurrent()
    {
        ListRig rig;
        rig.AddEvents({std::make_shared<CL::Cut>(0, 960, "CUT1")});
        rig.events->SetCurrentIndex(0);
        QCOMPARE(rig.eventRowsPublished, std::vector<int>{0});
        rig.events->Refresh();
        QCOMPARE(rig.eventView->property("currentIndex").toInt(), -1);
        QCOMPARE(rig.eventRowsPublished, std::vector<int>{0});
    }
};

QTEST_MAIN(TestEventList)
#include "test_event_list.moc"
