#include "editing/sfx_list_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Reaches indexes outside the rows, which index() would not make.
struct ProbedModel : SfxListModel {
    using SfxListModel::createIndex;
};

}  // namespace

class TestSfxListModel : public QObject {
    Q_OBJECT

private slots:
    void rolesAndNames()
    {
        SfxListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.append({"Thunder", "thunder"});
        model.append({"", "rain"});
        QCOMPARE(model.rowCount(), 2);
        const QModelIndex first = model.index(0, 0);
        QCOMPARE(model.data(first, Qt::DisplayRole), QVariant(QString("Thunder")));
        QCOMPARE(model.data(first, 258), QVariant(QString("Thunder")));
        QCOMPARE(model.data(first, 257), QVariant(QString("thunder")));
        QCOMPARE(model.data(model.index(1, 0), 258), QVariant(QString("")));
        QCOMPARE(model.data(first, 258).typeId(), QMetaType::QString);
        QCOMPARE(model.roleNames(), (QHash<int, QByteArray>{{257, "sfxid"}, {258, "displayname"}}));
    }

    void outsideTheRowsAndRoles_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("role");
        QTest::newRow("row -1") << -1 << 258;
        QTest::newRow("row count") << 1 << 258;
        QTest::newRow("role 256") << 0 << 256;
        QTest::newRow("role 259") << 0 << 259;
        QTest::newRow("tool tip role") << 0 << int(Qt::ToolTipRole);
    }

    void outsideTheRowsAndRoles()
    {
        QFETCH(int, row);
        QFETCH(int, role);
        ProbedModel model;
        model.append({"Thunder", "thunder"});
        QVERIFY(!model.data(model.createIndex(row, 0), role).isValid());
    }

    void insertAndResetAnnouncements()
    {
        SfxListModel model;
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy aboutToReset(&model, &QAbstractItemModel::modelAboutToBeReset);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.clear();
        QCOMPARE(aboutToReset.count(), 1);
        QCOMPARE(reset.count(), 1);
        model.append({"A", "a"});
        model.append({"B", "b"});
        model.append({"B", "b"});
        QCOMPARE(inserted.count(), 3);
        QCOMPARE(inserted.at(2).at(1).toInt(), 2);
        QCOMPARE(inserted.at(2).at(2).toInt(), 2);
        QVERIFY(!inserted.at(2).at(0).value<QModelIndex>().isValid());
        model.clear();
        QCOMPARE(reset.count(), 2);
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSfxListModel)
#include "test_sfx_list_model.moc"
