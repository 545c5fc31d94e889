#include "models/network_list_model.h"
#include "network_path_fixture.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <vector>

using vemo::NetworkItem;
using vemo::NetworkListModel;

namespace {

CL::NetworkPath Path(const std::string& id, const std::string& name = "Desk", const std::string& ip = "10.0.0.5",
                     int port = 9000, int transport = 0)
{
    return vemo::osc::testing::MakeNetworkPath(id, name, ip, port, transport);
}

std::vector<CL::NetworkPath> Paths(const QStringList& ids)
{
    std::vector<CL::NetworkPath> paths;
    for (const QString& id : ids) {
        paths.push_back(Path(id.toStdString()));
    }
    return paths;
}

} // namespace


class TestNetworkListModel : public QObject {
    Q_OBJECT

private slots:
    void rowsFromPaths()
    {
        NetworkListModel model({Path("NETWORK0", "Lights", "10.0.0.5", 9000, 0), Path("NETWORK1", "Sound", "::1", -3, 1)});
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.dataStr(0, "first").toString(), QString("Lights"));
        QCOMPARE(model.dataStr(0, "second").toString(), QString("10.0.0.5:9000, UDP"));
        QCOMPARE(model.dataStr(1, "second").toString(), QString("::1:-3, TCP"));
        QCOMPARE(model.dataStr(1, "mode").toString(), QString("tcp"));
        QCOMPARE(model.dataStr(0, "value").toInt(), 0);
        QCOMPARE(model.data(model.index(1, 0), Qt::DisplayRole).toString(), QString("Sound"));
        QCOMPARE(model.data(model.index(1, 0), NetworkListModel::NetworkIdRole).toString(), QString("NETWORK1"));
    }

    void defaultsOfANewDestination()
    {
        const NetworkItem item;
        QCOMPARE(item.Second(), QString("127.0.0.1:8001, UDP"));
        QCOMPARE(item.First(), QString("Network Destination"));
    }

    void roleNames()
    {
        NetworkListModel model({});
        const QHash<int, QByteArray> expected{{257, "value"}, {258, "first"}, {259, "second"}, {260, "name"},
                                              {261, "ipAddress"}, {262, "networkId"}, {263, "mode"}, {264, "port"}};
        QCOMPARE(model.roleNames(), expected);
        DualRoledListModel base;
        QCOMPARE(base.roleNames(), (QHash<int, QByteArray>{{257, "value"}, {258, "first"}, {259, "second"}}));
    }

    void nextNetworkId_data()
    {
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QStringList{} << "NETWORK0";
        QTest::newRow("taken beyond the count") << QStringList{"NETWORK0", "NETWORK3", "x"} << "NETWORK4";
        QTest::newRow("gap after the count") << QStringList{"NETWORK0", "NETWORK2"} << "NETWORK3";
        QTest::newRow("case-sensitive") << QStringList{"network2", "NETWORK0"} << "NETWORK2";
        QTest::newRow("free numbers below the count") << QStringList{"A", "B"} << "NETWORK2";
    }

    void nextNetworkId()
    {
        QFETCH(QStringList, ids);
        QFETCH(QString, expected);
        NetworkListModel model(Paths(ids));
        QCOMPARE(model.NextNetworkId(), expected);
    }

    void nextNetworkIdAfterRemoval()
    {
        NetworkListModel model(Paths({"NETWORK0", "NETWORK1"}));
        QVERIFY(model.removeRows(1, 1));
        QCOMPARE(model.NextNetworkId(), QString("NETWORK1"));
    }

    void dataStr_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("role");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("no such role gives the name") << 0 << "Name" << QVariant(QString("N0"));
        QTest::newRow("row beyond the list") << 5 << "name" << QVariant();
        QTest::newRow("row below the list") << -1 << "name" << QVariant();
        QTest::newRow("port is an int") << 1 << "port" << QVariant(9000);
        QTest::newRow("second line") << 2 << "second" << QVariant(QString("10.0.0.5:9000, UDP"));
        QTest::newRow("address") << 2 << "ipAddress" << QVariant(QString("10.0.0.5"));
    }

    void dataStr()
    {
        QFETCH(int, row);
        QFETCH(QString, role);
        QFETCH(QVariant, expected);
        NetworkListModel model({Path("N0", "N0"), Path("N1", "N1"), Path("N2", "N2")});
        const QVariant value = model.dataStr(row, role);
        QCOMPARE(value, expected);
        QCOMPARE(value.typeId(), expected.typeId());
    }

    void setData_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("roleName");
        QTest::addColumn<QVariant>("readBack");
        QTest::newRow("port from text") << 0 << 264 << QVariant("9001") << true << "port" << QVariant(9001);
        QTest::newRow("name") << 0 << 260 << QVariant("Desk 2") << true << "first" << QVariant("Desk 2");
        QTest::newRow("mode") << 0 << 263 << QVariant("tcp") << true << "second" << QVariant("10.0.0.5:9000, TCP");
        QTest::newRow("value") << 0 << 257 << QVariant(7) << true << "value" << QVariant(7);
        QTest::newRow("unknown role") << 0 << 300 << QVariant("x") << false << "name" << QVariant("Desk");
        QTest::newRow("row outside") << 1 << 260 << QVariant("x") << false << "name" << QVariant("Desk");
    }

    void setData()
    {
        QFETCH(int, row);
        QFETCH(int, role);
        QFETCH(QVariant, value);
        QFETCH(bool, stored);
        QFETCH(QString, roleName);
        QFETCH(QVariant, readBack);
        NetworkListModel model({Path("NETWORK0")});
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QCOMPARE(model.setData(model.index(row, 0), value, role), stored);
        QCOMPARE(changed.count(), stored ? 1 : 0);
        if (stored) {
            QCOMPARE(changed.at(0).at(2).value<QList<int>>(), QList<int>{role});
            QCOMPARE(changed.at(0).at(0).toModelIndex().row(), row);
        }
        QCOMPARE(model.dataStr(0, roleName).toString(), readBack.toString());
    }

    void rowChanged_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("notifications");
        QTest::newRow("first") << 0 << 1;
        QTest::newRow("last") << 1 << 1;
        QTest::newRow("below") << -1 << 0;
        QTest::newRow("at the count") << 2 << 0;
    }

    void rowChanged()
    {
        QFETCH(int, row);
        QFETCH(int, notifications);
        NetworkListModel model(Paths({"A", "B"}));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.RowChanged(row);
        QCOMPARE(changed.count(), notifications);
        if (notifications == 1) {
            QCOMPARE(changed.at(0).at(0).toModelIndex().row(), row);
            QCOMPARE(changed.at(0).at(2).value<QList<int>>(), QList<int>{});
        }
    }

    void removeRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("first") << 0 << 1 << true << QStringList{"B", "C"};
        QTest::newRow("last two") << 1 << 2 << true << QStringList{"A"};
        QTest::newRow("all") << 0 << 3 << true << QStringList{};
        QTest::newRow("negative row") << -1 << 1 << false << QStringList{"A", "B", "C"};
        QTest::newRow("count 0") << 0 << 0 << false << QStringList{"A", "B", "C"};
        QTest::newRow("negative count") << 1 << -1 << false << QStringList{"A", "B", "C"};
        QTest::newRow("past the end") << 2 << 2 << false << QStringList{"A", "B", "C"};
        QTest::newRow("at the end") << 3 << 1 << false << QStringList{"A", "B", "C"};
    }

    void removeRows()
    {
        QFETCH(int, row);
        QFETCH(int, count);
        QFETCH(bool, removed);
        QFETCH(QStringList, left);
        NetworkListModel model(Paths({"A", "B", "C"}));
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy removing(&model, &QAbstractItemModel::rowsAboutToBeRemoved);
        QCOMPARE(model.removeRows(row, count), removed);
        QCOMPARE(removing.count(), removed ? 1 : 0);
        QStringList ids;
        for (int i = 0; i < model.rowCount(); ++i) {
            ids << model.dataStr(i, "networkId").toString();
        }
        QCOMPARE(ids, left);
    }

    // The base model on rows of its own: the two texts and the value, read and written by role.
    void dualRoledRows()
    {
        DualRoledListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (const char* text : {"a", "b", "c"}) {
            auto item = std::make_shared<DualRoleItem>();
            item->first = text;
            item->second = QString(text).toUpper();
            model.Append(item);
        }
        QVERIFY(model.setData(model.index(1, 0), 5, DualRoledListModel::ValueRole));
        QVERIFY(model.setData(model.index(1, 0), "B2", DualRoledListModel::SecondRole));
        QVERIFY(!model.setData(model.index(1, 0), "x", NetworkListModel::NameRole));
        QCOMPARE(model.dataStr(1, "value"), QVariant(5));
        QCOMPARE(model.dataStr(1, "second"), QVariant("B2"));
        QCOMPARE(model.dataStr(2, "name"), QVariant("c"));
        QCOMPARE(model.data(model.index(0, 0), NetworkListModel::NameRole), QVariant());
        QVERIFY(model.removeRows(0, 2));
        QCOMPARE(model.dataStr(0, "first"), QVariant("c"));
    }

    void addNetworkAppendsOneRow()
    {
        NetworkListModel model(Paths({"A"}));
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        auto item = std::make_shared<NetworkItem>();
        item->networkId = model.NextNetworkId();
        model.AddNetwork(item);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0).at(1).toInt(), 1);
        QCOMPARE(inserted.at(0).at(2).toInt(), 1);
        QCOMPARE(model.dataStr(1, "networkId").toString(), QString("NETWORK1"));
    }
};

QTEST_GUILESS_MAIN(TestNetworkListModel)
#include "test_network_list_model.moc"
