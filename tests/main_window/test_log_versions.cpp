// The two scans of a show folder's event-log files: the highest version (for the next save) and the
// newest file (after a download).
#include "main_window/log_versions.h"

#include <vemo_test/test_environment.h>

#include <QtTest>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using vemo::qt::LocalLogVersion;

Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(LocalLogVersion)

namespace {

// A fresh folder holding empty files of these names; names ending in "/" are folders.
fs::path FolderWith(const std::vector<std::string>& names)
{
    static int made = 0;
    const fs::path folder = vemo::testing::TestRoot() / ("logs" + std::to_string(++made));
    fs::create_directories(folder);
    for (const std::string& name : names) {
        if (name.ends_with('/'))
            fs::create_directories(folder / name);
        else
            std::ofstream(folder / name) << "log";
    }
    return folder;
}

} // namespace

class TestLogVersions : public QObject {
    Q_OBJECT

private slots:
    void highestVersion_data()
    {
        QTest::addColumn<std::vector<std::string>>("names");
        QTest::addColumn<LocalLogVersion>("highest");
        using Names = std::vector<std::string>;
        QTest::newRow("no log") << Names{"show.json"} << LocalLogVersion{0, 0};
        QTest::newRow("minor compared as a number")
            << Names{"Show-1.2.logdata", "Show-1.10.logdata", "Show-0.15.logdata"} << LocalLogVersion{1, 10};
        QTest::newRow("major first") << Names{"Show-1.9.logdata", "Show-2.0.logdata"} << LocalLogVersion{2, 0};
        QTest::newRow("last dash of the name") << Names{"My-Show-4.1.logdata"} << LocalLogVersion{4, 1};
        QTest::newRow("above 255 keeps the low 8 bits") << Names{"-1.300.logdata"} << LocalLogVersion{1, 44};
        QTest::newRow("major above 255") << Names{"Show-257.3.logdata"} << LocalLogVersion{1, 3};
        QTest::newRow("overlong digits read 0")
            << Names{"Show-2.99999999999999999999.logdata", "Show-1.7.logdata"} << LocalLogVersion{2, 0};
        QTest::newRow("not a number reads 0") << Names{"Show-x.5.logdata"} << LocalLogVersion{0, 5};
        QTest::newRow("no dash") << Names{"Show1.2.logdata"} << LocalLogVersion{0, 0};
        QTest::newRow("no point in the version") << Names{"Show-3.logdata"} << LocalLogVersion{0, 0};
        QTest::newRow("dash after the version") << Names{"Show-1.2-copy.logdata"} << LocalLogVersion{0, 0};
        QTest::newRow("other endings") << Names{"Show-5.1.LOGDATA", "Show-5.2.logdata.bak"} << LocalLogVersion{0, 0};
        QTest::newRow("folders are not logs") << Names{"Show-9.9.logdata/", "Show-1.1.logdata"} << LocalLogVersion{1, 1};
    }

    void highestVersion()
    {
        QFETCH(std::vector<std::string>, names);
        QFETCH(LocalLogVersion, highest);
        const LocalLogVersion found = vemo::qt::highestLocalLogVersion(FolderWith(names));
        QCOMPARE(found.major, highest.major);
        QCOMPARE(found.minor, highest.minor);
    }

    void newestFile_data()
    {
        QTest::addColumn<std::vector<std::string>>("names");
        QTest::addColumn<QString>("newest");
        using Names = std::vector<std::string>;
        QTest::newRow("no log") << Names{"show.json"} << QString();
        QTest::newRow("minor compared as a number")
            << Names{"Show-1.9.logdata", "Show-1.10.logdata", "Show-0.15.logdata"} << QString("Show-1.10.logdata");
        QTest::newRow("major first") << Names{"Show-3.1.logdata", "Show-3.0.logdata", "Show-2.9.logdata"}
                                     << QString("Show-3.1.logdata");
        QTest::newRow("other endings") << Names{"Show-5.1.LOGDATA", "Show-1.0.logdata"} << QString("Show-1.0.logdata");
        QTest::newRow("folders are not logs") << Names{"Show-9.9.logdata/", "Show-1.1.logdata"}
                                              << QString("Show-1.1.logdata");
    }

    void newestFile()
    {
        QFETCH(std::vector<std::string>, names);
        QFETCH(QString, newest);
        QCOMPARE(QString::fromStdString(vemo::qt::newestLocalLogPath(FolderWith(names))), newest);
    }

    void anUnreadableFolderHasNoLogs()
    {
        const fs::path missing = vemo::testing::TestRoot() / "missing";
        const LocalLogVersion highest = vemo::qt::highestLocalLogVersion(missing);
        QCOMPARE(highest.major, 0);
        QCOMPARE(highest.minor, 0);
        QCOMPARE(vemo::qt::newestLocalLogPath(missing), std::string());
    }
};

QTEST_GUILESS_MAIN(TestLogVersions)
#include "test_log_versions.moc"
