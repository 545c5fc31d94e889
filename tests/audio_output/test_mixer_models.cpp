#include "audio_output/mixer_model.h"
#include "audio_output/mixer_tracks_model.h"
#include "audio_output/string_value_list_model.h"

#include <QAbstractItemModelTester>
#include <QPointer>
#include <QStringListModel>
#include <QtTest>

#include <algorithm>
#include <memory>

using vemo::qt::MixerModel;
using vemo::qt::MixerSectionItem;
using vemo::qt::MixerTrackItem;
using vemo::qt::MixerTracksModel;

namespace {

// Reaches indexes that the public `index()` never makes, such as the row just past the end.
class OpenMixerModel : public MixerModel {
public:
    using MixerModel::createIndex;
};

class OpenMixerTracksModel : public MixerTracksModel {
public:
    using MixerTracksModel::createIndex;
};

std::unique_ptr<MixerTrackItem> MakeTrack(const QString& name, int trackId)
{
    auto* instruments = new StringValueListModel;
    instruments->Append({QStringLiteral("Piano"), 0});
    instruments->Append({QStringLiteral("Organ"), 5});
    return std::make_unique<MixerTrackItem>(name, trackId, false, false, 0.5f, 0.25f, true, true, 5, instruments);
}

// Row 1 of each model is the one written, and its track id (12) differs from its row, so a
// request that carries the row instead of the id shows.
struct MixerFixture {
    MixerFixture()
    {
        auto* tracks = new OpenMixerTracksModel;
        tracks->Append(MakeTrack(QStringLiteral("Drums"), 11));
        tracks->Append(MakeTrack(QStringLiteral("Bass"), 12));
        tracksModel = tracks;
        sections.push_back(std::make_unique<MixerSectionItem>(QStringLiteral("Band"), QStringLiteral("Pit band"),
                                                              false, false, new MixerTracksModel));
        sections.push_back(std::make_unique<MixerSectionItem>(QStringLiteral("Rhythm"), QStringLiteral("Drums, bass"),
                                                              false, false, tracks));
        for (const auto& section : sections) {
            model.Append(section.get());
        }
    }

    std::vector<std::unique_ptr<MixerSectionItem>> sections;
    OpenMixerTracksModel* tracksModel = nullptr;
    OpenMixerModel model;
};

QString RolesText(const QList<int>& roles)
{
    QStringList texts;
    for (int role : roles) {
        texts << QString::number(role);
    }
    return texts.join(QLatin1Char(','));
}

// Logs the change and row notifications of a model, in the order emitted.
void RecordDataChanged(QAbstractItemModel& model, QStringList& log)
{
    QObject::connect(&model, &QAbstractItemModel::dataChanged,
                     [&log](const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) {
                         log << QStringLiteral("dataChanged %1 %2 [%3]")
                                    .arg(topLeft.row())
                                    .arg(bottomRight.row())
                                    .arg(RolesText(roles));
                     });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        QObject::connect(&model, signal, [&log] { log << QStringLiteral("rows"); });
    }
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&log] { log << QStringLiteral("reset"); });
}

QString Flag(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

void RecordTracks(MixerTracksModel& model, QStringList& log)
{
    RecordDataChanged(model, log);
    QObject::connect(&model, &MixerTracksModel::instrumentTrackRequested,
                     [&log](int id, int value) { log << QStringLiteral("instrument %1 %2").arg(id).arg(value); });
    QObject::connect(&model, &MixerTracksModel::muteTrackRequested,
                     [&log](int id, bool value) { log << QStringLiteral("mute %1 %2").arg(id).arg(Flag(value)); });
    QObject::connect(&model, &MixerTracksModel::panTrackRequested,
                     [&log](int id, double value) { log << QStringLiteral("pan %1 %2").arg(id).arg(value); });
    QObject::connect(&model, &MixerTracksModel::soloTrackRequested,
                     [&log](int id, bool value) { log << QStringLiteral("solo %1 %2").arg(id).arg(Flag(value)); });
    QObject::connect(&model, &MixerTracksModel::volumeTrackRequested, [&log](int id, double gain) {
        log << QStringLiteral("volume %1 %2").arg(id).arg(QString::number(gain, 'g', 6));
    });
}

void RecordSections(MixerModel& model, QStringList& log)
{
    RecordDataChanged(model, log);
    QObject::connect(&model, &MixerModel::muteSectionRequested, [&log](int row, bool value) {
        log << QStringLiteral("muteSection %1 %2").arg(row).arg(Flag(value));
    });
    QObject::connect(&model, &MixerModel::soloSectionRequested, [&log](int row, bool value) {
        log << QStringLiteral("soloSection %1 %2").arg(row).arg(Flag(value));
    });
}

// The values of every role of one row, for checking that a refused write stored nothing.
QVariantList RowValues(const QAbstractItemModel& model, int row)
{
    QList<int> roles = model.roleNames().keys();
    std::sort(roles.begin(), roles.end());
    QVariantList values;
    for (int role : roles) {
        values << model.data(model.index(row, 0), role);
    }
    return values;
}

enum class BadIndex { PastTheEnd, Invalid, OtherModel };

} // namespace

Q_DECLARE_METATYPE(BadIndex)

class TestMixerModels : public QObject {
    Q_OBJECT

private slots:
    void modelTesterPassesOnFilledModels()
    {
        MixerModel model;
        QAbstractItemModelTester sectionsTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        auto* tracks = new MixerTracksModel;
        QAbstractItemModelTester tracksTester(tracks, QAbstractItemModelTester::FailureReportingMode::Fatal);
        MixerSectionItem section(QStringLiteral("Band"), QStringLiteral("Pit band"), false, true, tracks);
        tracks->Append(MakeTrack(QStringLiteral("Drums"), 3));
        tracks->Append(MakeTrack(QStringLiteral("Bass"), 4));
        model.Append(&section);
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(tracks->rowCount(), 2);
        QVERIFY(model.setData(model.index(0, 0), true, MixerModel::IsMutedRole));
        QVERIFY(tracks->setData(tracks->index(1, 0), true, MixerTracksModel::IsMutedRole));
    }

    void appendAnnouncesOneRowAtTheEnd()
    {
        MixerFixture fixture;
        QSignalSpy sectionRows(&fixture.model, &QAbstractItemModel::rowsInserted);
        QSignalSpy trackRows(fixture.tracksModel, &QAbstractItemModel::rowsInserted);
        MixerSectionItem section(QStringLiteral("Strings"), QString(), false, false, nullptr);
        fixture.model.Append(&section);
        fixture.tracksModel->Append(MakeTrack(QStringLiteral("Keys"), 13));
        QCOMPARE(sectionRows.count(), 1);
        QCOMPARE(sectionRows.first().at(1).toInt(), 2);
        QCOMPARE(sectionRows.first().at(2).toInt(), 2);
        QCOMPARE(trackRows.count(), 1);
        QCOMPARE(trackRows.first().at(1).toInt(), 2);
        QCOMPARE(trackRows.first().at(2).toInt(), 2);
    }

    void writes_data()
    {
        QTest::addColumn<bool>("tracks");
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QStringList>("expectedLog");
        QTest::addColumn<QVariant>("stored");

        const QString changed = QStringLiteral("dataChanged 1 1 [%1]");
        const auto row = [](const char* name, bool tracks, int role, const QVariant& value, const QStringList& log,
                            const QVariant& stored) {
            QTest::newRow(name) << tracks << role << value << log << stored;
        };
        row("track mute: request, whole row, then the role", true, 257, true,
            {"mute 12 true", "dataChanged 1 1 []", changed.arg(257)}, true);
        row("track mute again with the stored value", true, 257, false,
            {"mute 12 false", "dataChanged 1 1 []", changed.arg(257)}, false);
        row("track solo", true, 258, true, {"solo 12 true", changed.arg(258)}, true);
        row("track solo again with the stored value", true, 258, false, {"solo 12 false", changed.arg(258)}, false);
        row("track volume 0 dB", true, 259, 1.0, {"volume 12 1", changed.arg(259)}, 1.0f);
        row("track volume -6 dB", true, 259, 0.7866278611, {"volume 12 0.501187", changed.arg(259)}, 0.7866278611f);
        row("track volume -80 dB", true, 259, 0.04076220398, {"volume 12 0.0001", changed.arg(259)}, 0.04076220398f);
        row("track volume -15 dB", true, 259, 0.5488116361, {"volume 12 0.177828", changed.arg(259)}, 0.5488116361f);
        row("track volume again with the stored position", true, 259, 0.5, {"volume 12 0.136008", changed.arg(259)},
            0.5f);
        row("track pan", true, 260, -0.5, {"pan 12 -0.5", changed.arg(260)}, -0.5f);
        row("track pan again with the stored value", true, 260, 0.25, {"pan 12 0.25", changed.arg(260)}, 0.25f);
        row("track enable mute: no request", true, 261, false, {changed.arg(261)}, false);
        row("track enable solo: no request", true, 262, false, {changed.arg(262)}, false);
        row("track instrument", true, 263, 0, {"instrument 12 0", changed.arg(263)}, 0);
        row("track instrument again with the stored value", true, 263, 5, {"instrument 12 5", changed.arg(263)}, 5);
        row("track name: no request", true, 264, QStringLiteral("Upright"), {changed.arg(264)},
            QStringLiteral("Upright"));
        row("section name: no request", false, 257, QStringLiteral("Brass"), {changed.arg(257)},
            QStringLiteral("Brass"));
        row("section mute carries the row", false, 258, true, {"muteSection 1 true", changed.arg(258)}, true);
        row("section mute again with the stored value", false, 258, false, {"muteSection 1 false", changed.arg(258)},
            false);
        row("section solo carries the row", false, 259, true, {"soloSection 1 true", changed.arg(259)}, true);
    }

    // Row 1 is written; row 0 must keep its values.
    void writes()
    {
        QFETCH(bool, tracks);
        QFETCH(int, role);
        QFETCH(QVariant, value);
        QFETCH(QStringList, expectedLog);
        QFETCH(QVariant, stored);
        MixerFixture fixture;
        QStringList log;
        tracks ? RecordTracks(*fixture.tracksModel, log) : RecordSections(fixture.model, log);
        QAbstractItemModel& model = tracks ? static_cast<QAbstractItemModel&>(*fixture.tracksModel) : fixture.model;
        const QVariantList otherRow = RowValues(model, 0);
        const QModelIndex index = model.index(1, 0);
        QVERIFY(model.setData(index, value, role));
        QCOMPARE(log, expectedLog);
        QCOMPARE(model.data(index, role), stored);
        QCOMPARE(RowValues(model, 0), otherRow);
    }

    void refusedWrites_data()
    {
        QTest::addColumn<bool>("tracks");
        QTest::addColumn<int>("role");
        QTest::newRow("section tracksModel") << false << 260;
        QTest::newRow("section tooltip") << false << 261;
        QTest::newRow("section role 256") << false << 256;
        QTest::newRow("section role 262") << false << 262;
        QTest::newRow("section display role") << false << int(Qt::DisplayRole);
        QTest::newRow("track instrumentModel") << true << 265;
        QTest::newRow("track role 256") << true << 256;
        QTest::newRow("track role 266") << true << 266;
        QTest::newRow("track edit role") << true << int(Qt::EditRole);
    }

    void refusedWrites()
    {
        QFETCH(bool, tracks);
        QFETCH(int, role);
        MixerFixture fixture;
        QStringList log;
        RecordTracks(*fixture.tracksModel, log);
        RecordSections(fixture.model, log);
        QAbstractItemModel& model = tracks ? static_cast<QAbstractItemModel&>(*fixture.tracksModel) : fixture.model;
        const QVariantList before = RowValues(model, 1);
        QVERIFY(!model.setData(model.index(1, 0), QVariant(true), role));
        QVERIFY(!model.setData(model.index(1, 0), QVariant(), role));
        QCOMPARE(log, QStringList());
        QCOMPARE(RowValues(model, 1), before);
    }

    void badIndexes_data()
    {
        QTest::addColumn<bool>("tracks");
        QTest::addColumn<BadIndex>("badIndex");
        for (bool tracks : {false, true}) {
            const char* prefix = tracks ? "tracks" : "sections";
            QTest::addRow("%s, row at the row count", prefix) << tracks << BadIndex::PastTheEnd;
            QTest::addRow("%s, invalid index", prefix) << tracks << BadIndex::Invalid;
            QTest::addRow("%s, index of another model", prefix) << tracks << BadIndex::OtherModel;
        }
    }

    void badIndexes()
    {
        QFETCH(bool, tracks);
        QFETCH(BadIndex, badIndex);
        MixerFixture fixture;
        QStringListModel other(QStringList{"a", "b", "c"});
        QStringList log;
        RecordTracks(*fixture.tracksModel, log);
        RecordSections(fixture.model, log);
        QAbstractItemModel& model = tracks ? static_cast<QAbstractItemModel&>(*fixture.tracksModel) : fixture.model;
        const QModelIndex pastTheEnd =
            tracks ? fixture.tracksModel->createIndex(2, 0) : fixture.model.createIndex(2, 0);
        const QModelIndex index = badIndex == BadIndex::PastTheEnd ? pastTheEnd
                                  : badIndex == BadIndex::Invalid  ? QModelIndex()
                                                                   : other.index(1, 0);
        const QVariantList rowsBefore = RowValues(model, 0) + RowValues(model, 1);
        for (int role : model.roleNames().keys()) {
            QVERIFY(!model.data(index, role).isValid());
            QVERIFY(!model.setData(index, QVariant(true), role));
        }
        QCOMPARE(log, QStringList());
        QCOMPARE(RowValues(model, 0) + RowValues(model, 1), rowsBefore);
    }

    void reads_data()
    {
        QTest::addColumn<bool>("tracks");
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("track isMuted") << true << 257 << QVariant(false);
        QTest::newRow("track isSolo") << true << 258 << QVariant(false);
        QTest::newRow("track volumeScaledDb") << true << 259 << QVariant(0.5f);
        QTest::newRow("track pan") << true << 260 << QVariant(0.25f);
        QTest::newRow("track enableMute") << true << 261 << QVariant(true);
        QTest::newRow("track enableSolo") << true << 262 << QVariant(true);
        QTest::newRow("track instrument") << true << 263 << QVariant(5);
        QTest::newRow("track name") << true << 264 << QVariant(QStringLiteral("Bass"));
        QTest::newRow("track role 256") << true << 256 << QVariant();
        QTest::newRow("track role 266") << true << 266 << QVariant();
        QTest::newRow("track display role") << true << int(Qt::DisplayRole) << QVariant();
        QTest::newRow("section name") << false << 257 << QVariant(QStringLiteral("Rhythm"));
        QTest::newRow("section isMuted") << false << 258 << QVariant(false);
        QTest::newRow("section isSolo") << false << 259 << QVariant(false);
        QTest::newRow("section tooltip") << false << 261 << QVariant(QStringLiteral("Drums, bass"));
        QTest::newRow("section role 256") << false << 256 << QVariant();
        QTest::newRow("section role 262") << false << 262 << QVariant();
        QTest::newRow("section display role") << false << int(Qt::DisplayRole) << QVariant();
    }

    void reads()
    {
        QFETCH(bool, tracks);
        QFETCH(int, role);
        QFETCH(QVariant, expected);
        MixerFixture fixture;
        QAbstractItemModel& model = tracks ? static_cast<QAbstractItemModel&>(*fixture.tracksModel) : fixture.model;
        const QVariant actual = model.data(model.index(1, 0), role);
        QCOMPARE(actual, expected);
        QCOMPARE(actual.metaType(), expected.metaType());
    }

    void modelRolesHandOutTheNestedModels()
    {
        MixerFixture fixture;
        const QVariant tracks = fixture.model.data(fixture.model.index(1, 0), MixerModel::TracksModelRole);
        QCOMPARE(tracks.value<const MixerTracksModel*>(), fixture.tracksModel);
        QCOMPARE(qvariant_cast<QObject*>(tracks), fixture.tracksModel);
        const QVariant instruments =
            fixture.tracksModel->data(fixture.tracksModel->index(1, 0), MixerTracksModel::InstrumentModelRole);
        auto* instrumentModel = instruments.value<StringValueListModel*>();
        QVERIFY(instrumentModel != nullptr);
        QCOMPARE(instrumentModel->rowCount(), 2);
    }

    void roleNamesAreExactlyTheTables()
    {
        const QHash<int, QByteArray> sections{
            {257, "name"}, {258, "isMuted"}, {259, "isSolo"}, {260, "tracksModel"}, {261, "tooltip"}};
        const QHash<int, QByteArray> tracks{{257, "isMuted"},    {258, "isSolo"},     {259, "volumeScaledDb"},
                                            {260, "pan"},        {261, "enableMute"}, {262, "enableSolo"},
                                            {263, "instrument"}, {264, "name"},       {265, "instrumentModel"}};
        QCOMPARE(MixerModel().roleNames(), sections);
        QCOMPARE(MixerTracksModel().roleNames(), tracks);
    }

    void sectionsOutliveTheModel()
    {
        auto section = std::make_unique<MixerSectionItem>(QStringLiteral("Band"), QString(), false, false,
                                                          new MixerTracksModel);
        QPointer<const MixerTracksModel> tracks(section->tracksModel());
        {
            MixerModel model;
            model.Append(section.get());
        }
        QCOMPARE(section->name(), QStringLiteral("Band"));
        QVERIFY(!tracks.isNull());
    }

    void sectionTakesItsTracksAlong()
    {
        auto* tracks = new MixerTracksModel;
        auto track = MakeTrack(QStringLiteral("Drums"), 3);
        QPointer<MixerTrackItem> trackGuard(track.get());
        QPointer<StringValueListModel> instruments(track->instrumentModel);
        QCOMPARE(instruments->parent(), track.get());
        tracks->Append(std::move(track));
        QPointer<MixerTracksModel> tracksGuard(tracks);
        {
            MixerSectionItem section(QStringLiteral("Band"), QString(), false, false, tracks);
            QCOMPARE(tracks->parent(), &section);
        }
        QVERIFY(tracksGuard.isNull());
        QVERIFY(trackGuard.isNull());
        QVERIFY(instruments.isNull());
    }
};

QTEST_GUILESS_MAIN(TestMixerModels)
#include "test_mixer_models.moc"
