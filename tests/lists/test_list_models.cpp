#include "list_rig.h"

#include <vemo_core/events.h>

#include <QAbstractItemModelTester>
#include <QtTest>

using liststest::ListRig;

class TestListModels : public QObject {
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(".?")); }

    void filledModelsPassTheModelTester()
    {
        ListRig rig;
        rig.AddEvents({std::make_shared<CL::Marker>(480, "Verse", "MRK1"), std::make_shared<CL::Cut>(0, 960, "CUT1"),
                       std::make_shared<CL::Repeat>(1920, 3840, "RPT1", 2)});
        const std::vector<QAbstractItemModel*> models{&rig.songs->Model(), &rig.markers->Model(),
                                                      &rig.events->Model()};
        for (QAbstractItemModel* model : models) {
            QVERIFY(model->rowCount() > 0);
            QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
            QVERIFY(!model->data(QModelIndex(), Qt::UserRole + 1).isValid());
        }
    }

    void outsideRowsGiveEmptyRecords()
    {
        ListRig rig;
        rig.AddEvents({std::make_shared<CL::Marker>(480, "Verse", "MRK1"), std::make_shared<CL::Cut>(0, 960, "CUT1")});
        for (int row : {-1, 1}) {
            QCOMPARE(rig.markers->Model().ItemAt(row), vemo::qt::MarkerInfoItem());
            QCOMPARE(rig.events->Model().ItemAt(row), vemo::qt::EventInfoItem());
        }
    }

    void signaturesOfTheConnections_data()
    {
        QTest::addColumn<const QMetaObject*>("type");
        QTest::addColumn<QByteArray>("signature");
        QTest::addColumn<bool>("signal");
        const QMetaObject* songs = &vemo::qt::SongListController::staticMetaObject;
        const QMetaObject* markers = &vemo::qt::MarkerListController::staticMetaObject;
        const QMetaObject* events = &vemo::qt::EventListController::staticMetaObject;
        QTest::newRow("attacca") << songs << QByteArray("AttaccaStateChanged(std::string,UInt8)") << true;
        QTest::newRow("event row") << events << QByteArray("CurrentItemChangedSignal(EventInfoItem)") << true;
        QTest::newRow("marker row") << markers << QByteArray("CurrentItemChangedSignal(MarkerInfoItem)") << true;
        QTest::newRow("edit") << events << QByteArray("EditSelectedItem()") << true;
        QTest::newRow("song slot") << songs << QByteArray("CurrentItemChanged_(int)") << false;
        QTest::newRow("attacca slot") << songs << QByteArray("AttaccaStateChanged_(QString)") << false;
        QTest::newRow("marker slot") << markers << QByteArray("CurrentItemChanged_(int)") << false;
        QTest::newRow("event slot") << events << QByteArray("CurrentItemChanged(int)") << false;
        QTest::newRow("edit slot") << events << QByteArray("EditSelectedItem_()") << false;
    }

    void signaturesOfTheConnections()
    {
        QFETCH(const QMetaObject*, type);
        QFETCH(QByteArray, signature);
        QFETCH(bool, signal);
        QVERIFY(signal ? type->indexOfSignal(signature) >= 0 : type->indexOfSlot(signature) >= 0);
    }
};

QTEST_MAIN(TestListModels)
#include "test_list_models.moc"
