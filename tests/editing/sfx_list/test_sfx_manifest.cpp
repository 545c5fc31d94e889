#include "editing/sfx_manifest.h"

#include <fonexa/sfx_manifest.h>
#include <vemo_test/fixture_show.h>
#include <vemo_test/test_environment.h>

#include <QScopeGuard>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <stdexcept>

using namespace vemo::editing;

Q_DECLARE_METATYPE(std::vector<SfxEntry>)

namespace {

std::filesystem::path MachineManifest()
{
    return vemo::testing::TestRoot() / "machine" / "vemo_data" / "sfx" / "manifest.json";
}

void WriteRaw(const QByteArray& bytes)
{
    std::filesystem::create_directories(MachineManifest().parent_path());
    std::ofstream(MachineManifest(), std::ios::binary | std::ios::trunc).write(bytes.constData(), bytes.size());
}

// The entries of a reading, or the text it failed with.
QString Outcome(std::vector<SfxEntry> (*read)())
{
    try {
        QStringList rows;
        for (const SfxEntry& entry : read())
            rows << entry.displayName + "|" + entry.effectId;
        return rows.join(", ");
    } catch (const std::runtime_error& error) {
        return QString("error: ") + error.what();
    }
}

}  // namespace

class TestSfxManifest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(vemo::testing::DataFoldersAreIsolated()); }

    void pathOfFolderText_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("path");

        QTest::newRow("windows folder") << "C:/ProgramData" << "C:/ProgramData/vemo_data/sfx/manifest.json";
        QTest::newRow("trailing slash") << "/usr/local/share/" << "/usr/local/share/vemo_data/sfx/manifest.json";
        QTest::newRow("trailing backslash") << "C:\\ProgramData\\" << "C:\\ProgramData\\vemo_data/sfx/manifest.json";
        QTest::newRow("capital product name") << "/opt/TOLBRIN/share" << "/opt//share/vemo_data/sfx/manifest.json";
        QTest::newRow("product name with 2") << "/opt/TolBrin2/share" << "/opt//share/vemo_data/sfx/manifest.json";
        QTest::newRow("both, the 2 first") << "/a/tolbrin2/b/Tolbrin" << "/a//b/vemo_data/sfx/manifest.json";
        QTest::newRow("removed once, not again") << "/x/toltolbrinbrin" << "/x/tolbrin/vemo_data/sfx/manifest.json";
        QTest::newRow("nothing to remove") << "/srv/data" << "/srv/data/vemo_data/sfx/manifest.json";
        QTest::newRow("empty") << "" << "vemo_data/sfx/manifest.json";
    }

    void pathOfFolderText()
    {
        QFETCH(QString, folder);
        QFETCH(QString, path);
        QCOMPARE(SfxManifestPathIn(folder), path);
    }

    void programPathIsWhereTheLibraryLooks()
    {
        QCOMPARE(SfxManifestPath().toStdString(), vemo::sfx::SfxManifest::Location());
        QCOMPARE(std::filesystem::path(SfxManifestPath().toStdString()), MachineManifest());
    }

    void fewerThanTwoDataLocations()
    {
        const QByteArray saved = qgetenv("XDG_DATA_DIRS");
        const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_DIRS", saved); });
        qputenv("XDG_DATA_DIRS", ":");
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, SfxManifestPath());
        QCOMPARE(Outcome(&ReadPrimarySfxEntries), QString("error: Cannot open the manifest file"));
        QCOMPARE(Outcome(&ReadAmbientSfxEntries), QString("error: Cannot open the manifest file"));
    }

    void readings_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("primary");
        QTest::addColumn<QString>("ambient");

        const QString noMetadata = "error: No metadata available for sound effects";
        const QString notJson = "error: Error parsing sound effects manifest";
        QTest::newRow("both arrays") << QByteArray(R"({"metadata": {"count": 1, "ambientCount": 1},
            "sfx": [{"name": "Thunder", "id": "thunder"}], "ambient": [{"name": "Rain", "id": "rain"}]})")
                                     << "Thunder|thunder, Rain|rain" << "Rain|rain";
        QTest::newRow("empty sfx only") << QByteArray(R"({"metadata": {}, "sfx": []})") << ""
                                        << "error: No ambient effects available";
        QTest::newRow("no ambient") << QByteArray(R"({"metadata": {}, "sfx": [{"name": "A", "id": "a"}]})") << "A|a"
                                    << "error: No ambient effects available";
        QTest::newRow("no sfx") << QByteArray(R"({"metadata": {}, "ambient": [{"name": "R", "id": "r"}]})")
                                << "error: No sound effects available" << "R|r";
        QTest::newRow("count below the entries")
            << QByteArray(R"({"metadata": {"count": 1}, "sfx": [{"id": "a"}, {"id": "b"}, {"id": "c"}]})")
            << "|a, |b, |c" << "error: No ambient effects available";
        QTest::newRow("no count") << QByteArray(R"({"metadata": {}, "sfx": [{"id": "a"}, {"id": "b"}, {"id": "c"}]})")
                                  << "|a, |b, |c" << "error: No ambient effects available";
        QTest::newRow("negative and huge counts")
            << QByteArray(R"({"metadata": {"count": -5, "ambientCount": 2147483647},
                "sfx": [{"id": "a"}], "ambient": [{"id": "r"}]})") << "|a, |r" << "|r";
        QTest::newRow("counts summing past int")
            << QByteArray(R"({"metadata": {"count": 2147483647, "ambientCount": 2147483647}, "sfx": [{"id": "a"}]})")
            << "|a" << "error: No ambient effects available";
        QTest::newRow("counts not integers")
            << QByteArray(R"({"metadata": {"count": "3", "ambientCount": 1.5}, "sfx": [], "ambient": []})") << "" << "";
        QTest::newRow("metadata a number") << QByteArray(R"({"metadata": 5, "sfx": [{"name": "A", "id": "a"}]})")
                                           << "A|a" << "error: No ambient effects available";
        QTest::newRow("no metadata") << QByteArray(R"({"sfx": [{"id": "a"}], "ambient": [{"id": "r"}]})")
                                     << noMetadata << noMetadata;
        QTest::newRow("top-level array") << QByteArray(R"([{"metadata": {}, "sfx": []}])") << noMetadata << noMetadata;
        QTest::newRow("top-level scalar") << QByteArray("5") << notJson << notJson;
        QTest::newRow("not JSON") << QByteArray("metadata: sfx") << notJson << notJson;
        QTest::newRow("empty file") << QByteArray() << notJson << notJson;
        QTest::newRow("invalid UTF-8") << QByteArray("{\"metadata\": {}, \"sfx\": [{\"name\": \"\xff\xfe\"}]}")
                                       << notJson << notJson;
        QTest::newRow("byte-order mark") << QByteArray("\xef\xbb\xbf{\"metadata\": {}, \"sfx\": [{\"id\": \"a\"}]}")
                                         << "|a" << "error: No ambient effects available";
        QTest::newRow("odd elements") << QByteArray(R"({"metadata": {}, "sfx": [7, {"id": "x"}, {"name": 3, "id": true}],
                "ambient": "rain"})") << "|, |x, |" << "";
        QTest::newRow("arrays not arrays") << QByteArray(R"({"metadata": {}, "sfx": {"name": "A"}, "ambient": 1})")
                                           << "" << "";
        QTest::newRow("duplicates kept in order")
            << QByteArray(R"({"metadata": {}, "sfx": [{"name": "B", "id": "x"}, {"name": "A", "id": "x"}]})")
            << "B|x, A|x" << "error: No ambient effects available";
        QTest::newRow("texts literal") << QByteArray(R"({"metadata": {}, "sfx": [{"name": "<b>Café ♪</b>", "id": "c"}]})")
                                       << "<b>Café ♪</b>|c" << "error: No ambient effects available";
    }

    void readings()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, primary);
        QFETCH(QString, ambient);
        WriteRaw(content);
        QCOMPARE(Outcome(&ReadPrimarySfxEntries), primary);
        QCOMPARE(Outcome(&ReadAmbientSfxEntries), ambient);
    }

    void unreadableFiles_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("missing") << false;
        QTest::newRow("a folder") << true;
    }

    void unreadableFiles()
    {
        QFETCH(bool, folder);
        std::filesystem::remove_all(MachineManifest());
        if (folder)
            std::filesystem::create_directories(MachineManifest());
        const auto cleanUp = qScopeGuard([] { std::filesystem::remove_all(MachineManifest()); });
        QCOMPARE(Outcome(&ReadPrimarySfxEntries), QString("error: Cannot open the manifest file"));
        QCOMPARE(Outcome(&ReadAmbientSfxEntries), QString("error: Cannot open the manifest file"));
    }

    void fixtureWriterManifest()
    {
        vemo::testing::FixtureShow show;
        show.effects = {{.id = "thunder", .name = "Thunder"}, {.id = "rain", .name = "Rain", .ambient = true},
                        {.id = "bell", .name = "Bell"}};
        show.Write();
        QCOMPARE(Outcome(&ReadPrimarySfxEntries), QString("Thunder|thunder, Bell|bell, Rain|rain"));
        QCOMPARE(Outcome(&ReadAmbientSfxEntries), QString("Rain|rain"));
    }

    void reservationIsBounded_data()
    {
        QTest::addColumn<qlonglong>("counted");
        QTest::addColumn<qulonglong>("available");
        QTest::addColumn<qulonglong>("reserved");
        QTest::newRow("negative") << -5LL << 3ULL << 0ULL;
        QTest::newRow("below") << 2LL << 3ULL << 2ULL;
        QTest::newRow("above") << 4294967294LL << 3ULL << 3ULL;
    }

    void reservationIsBounded()
    {
        QFETCH(qlonglong, counted);
        QFETCH(qulonglong, available);
        QFETCH(qulonglong, reserved);
        QCOMPARE(static_cast<qulonglong>(SfxReservation(counted, available)), reserved);
    }
};

QTEST_GUILESS_MAIN(TestSfxManifest)
#include "test_sfx_manifest.moc"
