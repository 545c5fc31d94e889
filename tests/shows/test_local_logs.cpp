#include "shows/changelog_list_model.h"
#include "shows/local_log_files.h"
#include "shows/log_file_names.h"

#include <vemo_test/service_fixture.h>
#include <vemo_test/stream_capture.h>
#include <vemo_test/test_environment.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>

#include <chrono>

using vemo::qt::ChangelogListModel;
using vemo::testing::CapturedStream;
using vemo::testing::ServiceFixture;

namespace {

std::filesystem::path FreshFolder()
{
    static int counter = 0;
    const auto folder = vemo::testing::TestRoot() / ("logs" + std::to_string(counter++));
    std::filesystem::create_directories(folder);
    return folder;
}

std::string LogText(int majorVersion, int minorVersion, const std::string& show = "fixture")
{
    return R"({"format": "2.0", "show": ")" + show + R"(", "version": {"major": )" + std::to_string(majorVersion)
           + R"(, "minor": )" + std::to_string(minorVersion) + R"(}, "songs": {}})";
}

void WriteLog(const std::filesystem::path& file, int majorVersion, int minorVersion, long long writtenAt = -1)
{
    ServiceFixture::WriteBytes(file, LogText(majorVersion, minorVersion));
    if (writtenAt >= 0)
        std::filesystem::last_write_time(
            file, std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(writtenAt))));
}

CL::ChangeLog Version(UInt16 majorVersion, UInt16 minorVersion, UInt32 modified = 0)
{
    CL::ChangeLog log;
    log.SetVersion(majorVersion, minorVersion);
    log.SetModificationTime(modified);
    return log;
}

std::vector<std::string> Names(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

QStringList Versions(const ChangelogListModel& model)
{
    QStringList versions;
    for (int row = 0; row < model.rowCount(); ++row)
        versions << model.versionText(row);
    return versions;
}

} // namespace

class TestLocalLogs : public QObject {
    Q_OBJECT

private slots:
    void splitStringCases_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxSplits");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("no limit") << "a-b-c" << -1 << QStringList{"a", "b", "c"};
        QTest::newRow("one split") << "a-b-c" << 1 << QStringList{"a", "b-c"};
        QTest::newRow("no split") << "a-b-c" << 0 << QStringList{"a-b-c"};
        QTest::newRow("trailing") << "a-" << -1 << QStringList{"a", ""};
        QTest::newRow("empty") << "" << -1 << QStringList{""};
        QTest::newRow("leading") << "-a" << -1 << QStringList{"", "a"};
    }
    void splitStringCases()
    {
        QFETCH(QString, text);
        QFETCH(int, maxSplits);
        QFETCH(QStringList, pieces);
        QStringList split;
        for (const std::string& piece : vemo::qt::SplitString(text.toStdString(), '-', maxSplits))
            split << QString::fromStdString(piece);
        QCOMPARE(split, pieces);
    }

    void theModelsRolesAndTexts()
    {
        ChangelogListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.addUnique(Version(1, 2, 0));
        QCOMPARE(model.roleNames(), (QHash<int, QByteArray>{{257, "version"}, {258, "modified"}}));
        QCOMPARE(model.data(model.index(0), 257).toString(), QString("1.2"));
        QCOMPARE(model.data(model.index(0), 258).toString(), QString("Jan 01 1970 12:00 AM"));
        QVERIFY(!model.data(model.index(0), Qt::DisplayRole).isValid());
        model.addUnique(Version(1, 3, 1735732800));
        QCOMPARE(model.modifiedText(1), QString("Jan 01 2025 12:00 PM"));
    }

    void equalVersionsAreAddedOnceAndClearingRemovesRowZero()
    {
        ChangelogListModel model;
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        model.addUnique(Version(2, 0));
        model.addUnique(Version(1, 0));
        model.addUnique(Version(1, 10));
        model.addUnique(Version(2, 0, 99));
        QCOMPARE(inserted.count(), 3);
        model.sortByVersion();
        QCOMPARE(Versions(model), (QStringList{"1.0", "1.10", "2.0"}));
        model.clear();
        QCOMPARE(removed.count(), 3);
        for (const auto& removal : removed)
            QCOMPARE(removal.at(1).toInt(), 0);
    }

    void notifyingAnEmptyModelEmitsNothing()
    {
        ChangelogListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.notifyAllRowsChanged();
        QCOMPARE(changed.count(), 0);
        model.addUnique(Version(1, 0));
        model.addUnique(Version(1, 1));
        model.notifyAllRowsChanged();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(1).value<QModelIndex>().row(), 1);
    }

    void listingSkipsUnreadableLogsAndSorts()
    {
        const auto folder = FreshFolder();
        ServiceFixture::WriteBytes(folder / "show.record", R"({"id": "fixture"})");
        WriteLog(folder / "Show-2.0.logdata", 2, 0);
        ServiceFixture::WriteBytes(folder / "Broken-3.0.logdata", "{ broken");
        ServiceFixture::WriteBytes(folder / "Foreign-4.0.logdata", LogText(4, 0, "another"));
        WriteLog(folder / "Show-1.0.logdata", 1, 0);
        WriteLog(folder / "Show-5.0.LOGDATA", 5, 0);
        std::filesystem::create_directory(folder / "Dir-6.0.logdata");
        ChangelogListModel model;
        CapturedStream errors(std::cerr);
        vemo::qt::ListLocalLogs(model, folder, folder / "show.record");
        QCOMPARE(Versions(model), (QStringList{"1.0", "2.0"}));
        for (const char* skipped : {"Broken-3.0.logdata", "Foreign-4.0.logdata", "Dir-6.0.logdata"})
            QVERIFY2(errors.text().find("Skipped event log " + (folder / skipped).string() + ": ") != std::string::npos,
                     skipped);
    }

    void cleanupKeepsTheNewestFileOfEachVersion()
    {
        const auto folder = FreshFolder();
        WriteLog(folder / "A-1.2.logdata", 1, 2, 1000);
        WriteLog(folder / "B-1.2.logdata", 1, 2, 2000);
        WriteLog(folder / "C-1.3.logdata", 1, 3, 500);
        WriteLog(folder / "nodash.logdata", 1, 3, 100);
        WriteLog(folder / "D-1.3.LOGDATA", 1, 3, 9000);
        vemo::qt::RemoveDuplicateLogFiles(folder);
        QCOMPARE(Names(folder), (std::vector<std::string>{"B-1.2.logdata", "C-1.3.logdata", "D-1.3.LOGDATA",
                                                          "nodash.logdata"}));
    }

    void cleanupKeepsTheFirstOfTwoWrittenInTheSameSecond()
    {
        const auto folder = FreshFolder();
        WriteLog(folder / "A-2.0.logdata", 2, 0, 3000);
        WriteLog(folder / "B-2.0.logdata", 2, 0, 3000);
        std::string first;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (first.empty())
                first = entry.path().filename().string();
        vemo::qt::RemoveDuplicateLogFiles(folder);
        QCOMPARE(Names(folder), std::vector<std::string>{first});
    }

    void theLocalChoiceFindsExactlyItsVersion()
    {
        for (const bool longFirst : {true, false}) {
            const auto folder = FreshFolder();
            const auto makeLong = [&] { WriteLog(folder / "Show-11.2.logdata", 11, 2); };
            if (longFirst)
                makeLong();
            std::filesystem::create_directory(folder / "X-1.2.logdata");
            WriteLog(folder / "Show-1.2.LOGDATA", 1, 2);
            WriteLog(folder / "Show-1.2.logdata", 1, 2);
            if (!longFirst)
                makeLong();
            QCOMPARE(vemo::qt::FindLocalLogFile(folder, "1.2"), std::optional(folder / "Show-1.2.logdata"));
            QCOMPARE(vemo::qt::FindLocalLogFile(folder, "11.2"), std::optional(folder / "Show-11.2.logdata"));
            QCOMPARE(vemo::qt::FindLocalLogFile(folder, "3.0"), std::nullopt);
        }
        QCOMPARE(vemo::qt::FindLocalLogFile(vemo::testing::TestRoot() / "missing", "1.2"), std::nullopt);
    }

    void serviceLogNamesStayInsideTheShowFolder_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("good") << QByteArray("Show-2.0.logdata") << true;
        QTest::newRow("absolute") << QByteArray("/tmp/Show-2.0.logdata") << false;
        QTest::newRow("climbs") << QByteArray("../Show-2.0.logdata") << false;
        QTest::newRow("dot dot") << QByteArray("..") << false;
        QTest::newRow("subfolder") << QByteArray("sub/Show-2.0.logdata") << false;
        QTest::newRow("backslash") << QByteArray("a\\Show-2.0.logdata") << false;
        QTest::newRow("colon") << QByteArray("c:Show-2.0.logdata") << false;
        QTest::newRow("newline") << QByteArray("Show\n-2.0.logdata") << false;
        QTest::newRow("escape") << QByteArray("Show\x1b-2.0.logdata") << false;
        QTest::newRow("hidden") << QByteArray(".Show-2.0.logdata") << false;
        QTest::newRow("too long") << QByteArray(std::string(250, 'x').append("-2.0.logdata").c_str()) << false;
        QTest::newRow("not a log") << QByteArray("Show-2.0.txt") << false;
        QTest::newRow("other version") << QByteArray("Show-1.0.logdata") << false;
        QTest::newRow("longer version") << QByteArray("Show-12.0.logdata") << false;
        QTest::newRow("no dash") << QByteArray("Show2.0.logdata") << false;
    }
    void serviceLogNamesStayInsideTheShowFolder()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, accepted);
        const auto folder = FreshFolder();
        const auto target = vemo::qt::CheckServiceLogName(name.toStdString(), "2.0", folder);
        QCOMPARE(target.has_value(), accepted);
        if (accepted)
            QCOMPARE(*target, folder / name.toStdString());
        QVERIFY(!vemo::qt::CheckServiceLogName("Show-2.0.logdata", "2.0", folder / "missing"));
    }
};

QTEST_GUILESS_MAIN(TestLocalLogs)
#include "test_local_logs.moc"
