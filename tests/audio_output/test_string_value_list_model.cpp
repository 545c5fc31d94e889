#include "audio_output/string_value_list_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Reaches indexes that the public `index()` never makes, such as the row just past the end.
class OpenStringValueListModel : public StringValueListModel {
public:
    using StringValueListModel::createIndex;
};

void Fill(StringValueListModel& model, const QList<StringValueItem>& items)
{
    for (const StringValueItem& item : items) {
        model.Append(item);
    }
}

} // namespace

class TestStringValueListModel : public QObject {
    Q_OBJECT

private slots:
    void newModelIsEmpty()
    {
        OpenStringValueListModel model;
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.data(model.createIndex(0, 0), StringValueListModel::DisplayNameRole).isValid());
        QVERIFY(!model.data(QModelIndex(), Qt::DisplayRole).isValid());
    }

    void data_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("display role gives the name") << 1 << int(Qt::DisplayRole) << QVariant(QStringLiteral("Flute"));
        QTest::newRow("displayname gives the same name") << 1 << 258 << QVariant(QStringLiteral("Flute"));
        QTest::newRow("value gives the integer") << 1 << 257 << QVariant(-7);
        QTest::newRow("role past the table") << 1 << 259 << QVariant();
        QTest::newRow("edit role") << 1 << int(Qt::EditRole) << QVariant();
        QTest::newRow("row -1") << -1 << 258 << QVariant();
        QTest::newRow("row at the row count") << 2 << 258 << QVariant();
        QTest::newRow("row far beyond") << 1000 << 257 << QVariant();
    }

    void data()
    {
        QFETCH(int, row);
        QFETCH(int, role);
        QFETCH(QVariant, expected);
        OpenStringValueListModel model;
        Fill(model, {{QStringLiteral("Piano"), 3}, {QStringLiteral("Flute"), -7}});
        const QVariant actual = model.data(model.createIndex(row, 0), role);
        QCOMPARE(actual.isValid(), expected.isValid());
        QCOMPARE(actual, expected);
        if (expected.isValid()) {
            QCOMPARE(actual.metaType(), expected.metaType());
        }
    }

    void indexOfAnotherModelReadsNothing()
    {
        StringValueListModel model;
        StringValueListModel other;
        Fill(model, {{QStringLiteral("Piano"), 3}});
        Fill(other, {{QStringLiteral("Piano"), 3}, {QStringLiteral("Flute"), 4}});
        QVERIFY(!model.data(other.index(1, 0), StringValueListModel::ValueRole).isValid());
    }

    void roleNamesHoldExactlyTwo()
    {
        const QHash<int, QByteArray> expected{{257, "value"}, {258, "displayname"}};
        QCOMPARE(StringValueListModel().roleNames(), expected);
    }

    void appendAnnouncesOneRowAtTheEnd_data()
    {
        QTest::addColumn<int>("rowsBefore");
        QTest::newRow("empty model") << 0;
        QTest::newRow("three rows") << 3;
    }

    void appendAnnouncesOneRowAtTheEnd()
    {
        QFETCH(int, rowsBefore);
        StringValueListModel model;
        for (int i = 0; i < rowsBefore; ++i) {
            model.Append({QString::number(i), i});
        }
        QSignalSpy aboutToInsert(&model, &QAbstractItemModel::rowsAboutToBeInserted);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        model.Append({QStringLiteral("last"), 99});
        QCOMPARE(aboutToInsert.count(), 1);
        QCOMPARE(inserted.count(), 1);
        for (const QSignalSpy* spy : {&aboutToInsert, &inserted}) {
            const QList<QVariant>& arguments = spy->first();
            QVERIFY(!arguments.at(0).toModelIndex().isValid());
            QCOMPARE(arguments.at(1).toInt(), rowsBefore);
            QCOMPARE(arguments.at(2).toInt(), rowsBefore);
        }
        QCOMPARE(model.rowCount(), rowsBefore + 1);
        QCOMPARE(model.data(model.index(rowsBefore, 0), StringValueListModel::ValueRole), QVariant(99));
    }

    void duplicatesAreKeptInOrder()
    {
        StringValueListModel model;
        Fill(model, {{QStringLiteral("Oboe"), 1}, {QStringLiteral("Oboe"), 2}, {QStringLiteral("Horn"), 2}});
        QStringList names;
        QList<int> values;
        for (int row = 0; row < model.rowCount(); ++row) {
            names << model.data(model.index(row, 0), StringValueListModel::DisplayNameRole).toString();
            values << model.data(model.index(row, 0), StringValueListModel::ValueRole).toInt();
        }
        QCOMPARE(names, (QStringList{QStringLiteral("Oboe"), QStringLiteral("Oboe"), QStringLiteral("Horn")}));
        QCOMPARE(values, (QList<int>{1, 2, 2}));
    }

    void passesTheModelTester()
    {
        StringValueListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        Fill(model, {{QStringLiteral("Piano"), 0}, {QStringLiteral("Strings"), 1}, {QString(), -1}});
        QCOMPARE(model.rowCount(), 3);
    }

    void travelsInAVariant()
    {
        StringValueListModel model;
        const QVariant variant = QVariant::fromValue(&model);
        QCOMPARE(variant.value<StringValueListModel*>(), &model);
        QCOMPARE(qvariant_cast<QObject*>(variant), &model);
    }
};

QTEST_GUILESS_MAIN(TestStringValueListModel)
#include "test_string_value_list_model.moc"
