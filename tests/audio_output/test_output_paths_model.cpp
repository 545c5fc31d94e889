#include "audio_output/output_paths_model.h"

#include <vemo_core/types.h>

#include <QSignalSpy>
#include <QtTest>

using vemo::qt::OutputPathsModel;

namespace {

const CL::OutputPath kLeft("id-left", "Stage left", "virtual-out-1-2", "Virtual Output 1-2");
const CL::OutputPath kRight("id-right", "Stage right", "", "(default)");

// Every signal of the model, in the order they came, with what they carried.
class SignalLog : public QObject {
public:
    explicit SignalLog(OutputPathsModel& model)
    {
        connect(&model, &OutputPathsModel::AddOutputPathSignal, this,
                [this](const CL::OutputPath& path) { lines << "add " + QString::fromStdString(path.GetId() + " " + path.GetName()); });
        connect(&model, &OutputPathsModel::RemoveOutputPathSignal, this, [this, &model](const CL::OutputPath& path) {
            lines << "remove " + QString::fromStdString(path.GetId()) + " rows " + QString::number(model.rowCount());
        });
        connect(&model, &OutputPathsModel::rowsInserted, this,
                [this](const QModelIndex&, int first, int last) { lines << QString("inserted %1-%2").arg(first).arg(last); });
        connect(&model, &OutputPathsModel::rowsRemoved, this,
                [this](const QModelIndex&, int first, int last) { lines << QString("removed %1-%2").arg(first).arg(last); });
        connect(&model, &OutputPathsModel::dataChanged, this,
                [this](const QModelIndex& from, const QModelIndex& to, const QList<int>& roles) {
                    lines << QString("changed %1-%2 roles %3").arg(from.row()).arg(to.row()).arg(roles.size());
                });
    }

    QStringList lines;
};

} // namespace

// The list of the show's output paths: rows, roles and the signals that carry whole records.
class TestOutputPathsModel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { vemo::core::RegisterQtMetaTypes(); }

    void newModelIsEmptyWithFourRoles()
    {
        const OutputPathsModel model;
        QCOMPARE(model.rowCount(), 0);
        const QHash<int, QByteArray> roles{
            {257, "path_name"}, {258, "path_id"}, {259, "path_device_name"}, {260, "path_device_id"}};
        QCOMPARE(model.roleNames(), roles);
    }

    void dataAnswersTheFourRolesOnly_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("value");

        QTest::newRow("name") << 1 << 257 << QVariant(QString("Stage right"));
        QTest::newRow("id") << 0 << 258 << QVariant(QString("id-left"));
        QTest::newRow("device name") << 0 << 259 << QVariant(QString("Virtual Output 1-2"));
        QTest::newRow("device id") << 0 << 260 << QVariant(QString("virtual-out-1-2"));
        QTest::newRow("empty device id") << 1 << 260 << QVariant(QString(""));
        QTest::newRow("display role") << 0 << 0 << QVariant();
        QTest::newRow("role 261") << 0 << 261 << QVariant();
        QTest::newRow("row 2") << 2 << 257 << QVariant();
        QTest::newRow("row -1") << -1 << 257 << QVariant();
    }

    void dataAnswersTheFourRolesOnly()
    {
        QFETCH(int, row);
        QFETCH(int, role);
        QFETCH(QVariant, value);
        OutputPathsModel model;
        model.AddOrReplace(kLeft);
        model.AddOrReplace(kRight);
        QCOMPARE(model.data(model.index(row, 0), role), value);
    }

    void invokablesReadRowsAndGiveEmptyTextBeyond()
    {
        OutputPathsModel model;
        model.AddOrReplace(kLeft);
        model.AddOrReplace(kRight);
        QCOMPARE(model.PathName(0), QString("Stage left"));
        QCOMPARE(model.PathId(1), QString("id-right"));
        QCOMPARE(model.PathDeviceName(1), QString("(default)"));
        QCOMPARE(model.PathDeviceId(0), QString("virtual-out-1-2"));
        QCOMPARE(model.PathName(5), QString());
        QCOMPARE(model.PathDeviceId(2), QString());
        QCOMPARE(model.IdAt(2), std::string());
        QCOMPARE(model.IdAt(-1), std::string());
        QCOMPARE(model.PathAt(1), kRight);
        QCOMPARE(model.PathAt(7), CL::OutputPath());
    }

    void addingANewIdInsertsAtTheEndThenAnnounces()
    {
        OutputPathsModel model;
        model.AddOrReplace(kLeft);
        SignalLog log(model);
        model.AddOrReplace(kRight);
        QCOMPARE(log.lines, (QStringList{"inserted 1-1", "add id-right Stage right"}));
        QCOMPARE(model.rowCount(), 2);
    }

    void addingAKnownIdReplacesInPlaceWithoutAnnouncing()
    {
        OutputPathsModel model;
        model.AddOrReplace(kLeft);
        model.AddOrReplace(kRight);
        SignalLog log(model);
        const CL::OutputPath renamed("id-left", "Pit", "virtual-out-3-4", "Virtual Output 3-4");
        model.AddOrReplace(renamed);
        QCOMPARE(log.lines, QStringList{"changed 0-0 roles 0"});
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.PathAt(0), renamed);
    }

    void sameNameDifferentIdsAreBothKept()
    {
        OutputPathsModel model;
        model.AddOrReplace(CL::OutputPath("a", "Mic", "", ""));
        model.AddOrReplace(CL::OutputPath("b", "Mic", "", ""));
        QCOMPARE(model.rowCount(), 2);
    }

    void setDataReplacesTheRecordAndAnnouncesIt()
    {
        OutputPathsModel model;
        model.AddOrReplace(kLeft);
        SignalLog log(model);
        QVERIFY(model.setData(model.index(0, 0), QVariant::fromValue(kRight), 0));
        QCOMPARE(log.lines, QStringList{"add id-right Stage right"});
        QCOMPARE(model.PathAt(0), kRight);
    }

    void setDataRefusesOtherRowsAndOtherValues_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QVariant>("value");

        QTest::newRow("row 1 of one") << 1 << QVariant::fromValue(kRight);
        QTest::newRow("row -1") << -1 << QVariant::fromValue(kRight);
        QTest::newRow("invalid value") << 0 << QVariant();
        QTest::newRow("text") << 0 << QVariant(QString("id-right"));
        QTest::newRow("number") << 0 << QVariant(3);
        QTest::newRow("map") << 0 << QVariant(QVariantMap{{"path_name", "Pit"}});
    }

    void setDataRefusesOtherRowsAndOtherValues()
    {
        QFETCH(int, row);
        QFETCH(QVariant, value);
        OutputPathsModel model;
        model.AddOrReplace(kLeft);
        SignalLog log(model);
        QVERIFY(!model.setData(model.index(row, 0), value, Qt::EditRole));
        QCOMPARE(log.lines, QStringList());
        QCOMPARE(model.PathAt(0), kLeft);
    }

    void removingAnnouncesWhileTheRowIsStillThere()
    {
        OutputPathsModel model;
        model.AddOrReplace(kLeft);
        model.AddOrReplace(kRight);
        SignalLog log(model);
        model.RemoveRow(0);
        QCOMPARE(log.lines, (QStringList{"remove id-left rows 2", "removed 0-0"}));
        QCOMPARE(model.PathAt(0), kRight);
        model.RemoveRow(1);
        model.RemoveRow(-1);
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(log.lines.size(), 2);
    }

    // Receivers connected by the normalised signature get the record by value.
    void signalsConnectByNormalisedSignature()
    {
        OutputPathsModel model;
        QSignalSpy added(&model, SIGNAL(AddOutputPathSignal(CL::OutputPath)));
        QSignalSpy removed(&model, SIGNAL(RemoveOutputPathSignal(CL::OutputPath)));
        model.AddOrReplace(kLeft);
        model.RemoveRow(0);
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).value<CL::OutputPath>(), kLeft);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(0).value<CL::OutputPath>(), kLeft);
    }
};

QTEST_GUILESS_MAIN(TestOutputPathsModel)
#include "test_output_paths_model.moc"
