#include "sfx/sfx_instance_list_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

using vemo::audio::SfxInstanceListModel;
using vemo::audio::SfxType;
using vemo::audio::sfx::SfxDto;

namespace {

// Reaches indexes outside the rows, which index() would not make.
struct ProbedModel : SfxInstanceListModel {
    using SfxInstanceListModel::createIndex;
};

std::shared_ptr<SfxDto> Record(std::string eventId, std::string name, std::string effectId, std::string path)
{
    return SfxDto::builder()
        .eventId(std::move(eventId))
        .name(std::move(name))
        .effectId(std::move(effectId))
        .effectPath(std::move(path))
        .buildShared();
}

}  // namespace

class TestSfxInstanceListModel : public QObject {
    Q_OBJECT

private slots:
    void everyRole_data()
    {
        QTest::addColumn<int>("role");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QVariant>("value");

        QTest::newRow("summary") << 0 << QByteArray("summary") << QVariant(QString("Rain bed"));
        QTest::newRow("name") << 257 << QByteArray("name") << QVariant(QString("Rain bed"));
        QTest::newRow("outputPath") << 258 << QByteArray("outputPath") << QVariant(QString("path-2"));
        QTest::newRow("effectId") << 259 << QByteArray("effectId") << QVariant(QString("rain"));
        QTest::newRow("effectPath") << 260 << QByteArray("effectPath") << QVariant(QString("/fx/rain.wav"));
        QTest::newRow("activeIntervals") << 261 << QByteArray("activeIntervals") << QVariant();
        QTest::newRow("type") << 262 << QByteArray("type") << QVariant::fromValue(SfxType::Ambient);
        QTest::newRow("effectIdIndex") << 263 << QByteArray("effectIdIndex") << QVariant(3);
        QTest::newRow("repeats") << 264 << QByteArray("repeats") << QVariant(-1);
        QTest::newRow("fadeIn") << 265 << QByteArray("fadeIn") << QVariant::fromValue(UInt16(2000));
        QTest::newRow("fadeOut") << 266 << QByteArray("fadeOut") << QVariant::fromValue(UInt16(65535));
        QTest::newRow("volume") << 267 << QByteArray("volume") << QVariant(0.25f);
        QTest::newRow("reverb") << 268 << QByteArray("reverb") << QVariant(0.125f);
        QTest::newRow("pan") << 269 << QByteArray("pan") << QVariant(0.75f);
        QTest::newRow("eventId") << 270 << QByteArray("eventId") << QVariant(QString("sfx.2"));
        QTest::newRow("isReady") << 271 << QByteArray("isReady") << QVariant(false);
        QTest::newRow("isPlaying") << 272 << QByteArray("isPlaying") << QVariant(false);
    }

    void everyRole()
    {
        QFETCH(int, role);
        QFETCH(QByteArray, name);
        QFETCH(QVariant, value);
        SfxInstanceListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const auto record = SfxDto::builder()
                                .name("Rain bed")
                                .outputPath("path-2")
                                .effectId("rain")
                                .effectPath("/fx/rain.wav")
                                .type(SfxType::Ambient)
                                .effectIdIndex(3)
                                .repeats(-1)
                                .fadeIn(2000)
                                .fadeOut(65535)
                                .volume(0.25f)
                                .reverb(0.125f)
                                .pan(0.75f)
                                .eventId("sfx.2")
                                .interval({"2", 0, 10})
                                .buildShared();
        model.append(record, "Rain");
        const QVariant data = model.data(model.index(0), role);
        QCOMPARE(data, value);
        QCOMPARE(data.metaType(), value.metaType());
        QCOMPARE(model.roleNames().value(role), name);
        QCOMPARE(model.roleNames().size(), 17);
    }

    void summaryFallsBackToTheFirstDisplayName()
    {
        SfxInstanceListModel model;
        const std::vector records{Record("sfx.1", "", "rain", "/fx/rain.wav"), Record("sfx.2", "", "rain", "/fx/rain.wav"),
                                  Record("sfx.3", "Storm", "rain", "/fx/rain.wav")};
        model.append(records[0], "Rain");
        model.append(records[1], "Drizzle");
        model.append(records[2], "Drizzle");
        QCOMPARE(model.data(model.index(0), 0).toString(), QString("Rain"));
        QCOMPARE(model.data(model.index(1), 0).toString(), QString("Rain"));
        QCOMPARE(model.data(model.index(2), 0).toString(), QString("Storm"));
    }

    void nothingOutsideTheRowsAndForReleasedRecords()
    {
        ProbedModel model;
        auto record = Record("sfx.1", "A", "rain", "/fx/rain.wav");
        model.append(record, "Rain");
        QVERIFY(!model.data(model.index(0), 300).isValid());
        QVERIFY(!model.data(model.createIndex(-1, 0), 0).isValid());
        QVERIFY(!model.data(model.createIndex(1, 0), 0).isValid());
        QVERIFY(!model.setData(model.index(0), true, 257));
        QCOMPARE(model.data(model.index(0), 257).toString(), QString("A"));
        record.reset();
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(!model.data(model.index(0), 270).isValid());
        QVERIFY(!model.setData(model.index(0), true, 271));
        QVERIFY(changed.isEmpty());
    }

    void readinessBelongsToThePath()
    {
        SfxInstanceListModel model;
        const auto a = Record("sfx.1", "A", "rain", "/fx/rain.wav");
        const auto b = Record("sfx.2", "B", "thunder", "/fx/thunder.wav");
        const auto c = Record("sfx.3", "C", "rain", "/fx/rain.wav");
        model.append(a, "Rain");
        model.append(b, "Thunder");
        model.append(c, "Rain");
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.setData(model.index(0), true, 271));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<QModelIndex>().row(), 0);
        QCOMPARE(changed.at(0).at(2).value<QList<int>>(), QList<int>{271});
        QVERIFY(model.data(model.index(2), 271).toBool());
        QVERIFY(!model.data(model.index(1), 271).toBool());
        model.clear();
        const auto d = Record("sfx.4", "D", "rain", "/fx/rain.wav");
        model.append(d, "Rain");
        QVERIFY(model.data(model.index(0), 271).toBool());
    }

    void playingRows()
    {
        SfxInstanceListModel model;
        const auto a = Record("sfx.1", "A", "rain", "/fx/rain.wav");
        const auto b = Record("sfx.2", "B", "rain", "/fx/rain.wav");
        model.append(a, "Rain");
        model.append(b, "Rain");
        QVERIFY(model.setData(model.index(1), true, 272));
        QVERIFY(model.data(model.index(1), 272).toBool());
        QVERIFY(!model.data(model.index(0), 272).toBool());
        QVERIFY(model.setData(model.index(1), false, 272));
        QVERIFY(!model.data(model.index(1), 272).toBool());
    }

    void aPathMarkedReadyBeforeItsRows()
    {
        SfxInstanceListModel model;
        const std::vector records{Record("sfx.1", "A", "thunder", "/fx/thunder.wav"),
                                  Record("sfx.2", "B", "rain", "/fx/rain.wav"), Record("sfx.3", "C", "rain", "/fx/rain.wav")};
        model.append(records[0], "Thunder");
        model.append(records[1], "Rain");
        model.append(records[2], "Rain");
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.markPathReady("/fx/rain.wav");
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(0).at(0).value<QModelIndex>().row(), 1);
        QCOMPARE(changed.at(1).at(0).value<QModelIndex>().row(), 2);
        QCOMPARE(changed.at(1).at(2).value<QList<int>>(), QList<int>{271});
        QVERIFY(!model.data(model.index(0), 271).toBool());
        model.markPathReady("/fx/bell.wav");
        QCOMPARE(changed.count(), 2);
        model.clear();
        const auto bell = Record("sfx.4", "D", "bell", "/fx/bell.wav");
        model.append(bell, "Bell");
        QVERIFY(model.data(model.index(0), 271).toBool());
    }
};

QTEST_GUILESS_MAIN(TestSfxInstanceListModel)
#include "test_sfx_instance_list_model.moc"
