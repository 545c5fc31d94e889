#include "osc/osc_settings.h"
#include "osc_test_support.h"

#include <vemo_test/test_environment.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <csignal>
#include <iostream>
#include <stdexcept>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using vemo::osc::OscSettings;

namespace {

const QByteArray kDefaultFile = "{\n    \"oscEnabled\": true,\n    \"oscListenPort\": 55037,\n    \"version\": \"1.0\"\n}\n";

QString TestFolder(const QString& name)
{
    const QString folder = QString::fromStdString(vemo::testing::TestRoot().string()) + "/settings/" + name;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return folder;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestOscSettings : public QObject {
    Q_OBJECT

private slots:
    void load_data();
    void load();
    void loadOfMissingFileWarnsAndKeepsValues();
    void saveOfDefaultsIsByteExact();
    void saveCreatesMissingFolders();
    void saveThenLoadRoundTrips();
    void saveBelowRegularFileThrowsAndWritesNothing();
    void saveCutByFileSizeLimitThrowsAndKeepsOldFile();
};

void TestOscSettings::load_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("startPort");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("warnedValue");

    QTest::newRow("version 1.0") << QByteArray(R"({"version": "1.0", "oscEnabled": false, "oscListenPort": 9000})") << 55037
                                 << false << 9000 << "";
    QTest::newRow("defaults as saved") << kDefaultFile << 1 << true << 55037 << "";
    QTest::newRow("no port gives 0") << QByteArray(R"({"version": "1.0", "oscEnabled": true})") << 55037 << true << 0 << "";
    QTest::newRow("port not a number gives 0")
        << QByteArray(R"({"version": "1.0", "oscEnabled": true, "oscListenPort": "9000"})") << 55037 << true << 0 << "";
    QTest::newRow("no enabled gives false") << QByteArray(R"({"version": "1.0", "oscListenPort": 9000})") << 55037 << false << 9000 << "";
    QTest::newRow("enabled not a boolean gives false")
        << QByteArray(R"({"version": "1.0", "oscEnabled": "true", "oscListenPort": 9000})") << 55037 << false << 9000 << "";
    QTest::newRow("port 0") << QByteArray(R"({"version": "1.0", "oscEnabled": true, "oscListenPort": 0})") << 55037 << true << 0 << "";
    QTest::newRow("port 65535") << QByteArray(R"({"version": "1.0", "oscEnabled": true, "oscListenPort": 65535})") << 55037
                                << true << 65535 << "";
    QTest::newRow("another version") << QByteArray(R"({"version": "2.0", "oscEnabled": false, "oscListenPort": 9000})") << 55037
                                     << true << 55037 << "";
    QTest::newRow("version as a number") << QByteArray(R"({"version": 1.0, "oscEnabled": false, "oscListenPort": 9000})") << 55037
                                         << true << 55037 << "";
    QTest::newRow("no version") << QByteArray(R"({"oscEnabled": false, "oscListenPort": 9000})") << 55037 << true << 55037 << "";
    QTest::newRow("invalid JSON") << QByteArray(R"({"version": "1.0", "oscEnabled": false,)") << 55037 << true << 55037 << "";
    QTest::newRow("not an object") << QByteArray(R"(["1.0", false, 9000])") << 55037 << true << 55037 << "";
    QTest::newRow("empty file") << QByteArray() << 55037 << true << 55037 << "";
    QTest::newRow("port 70000 kept")
        << QByteArray(R"({"version": "1.0", "oscEnabled": false, "oscListenPort": 70000})") << 55037 << false << 55037 << "70000";
    QTest::newRow("port -1 kept") << QByteArray(R"({"version": "1.0", "oscEnabled": true, "oscListenPort": -1})") << 55037 << true
                                  << 55037 << "-1";
    QTest::newRow("port 1e10 kept") << QByteArray(R"({"version": "1.0", "oscEnabled": true, "oscListenPort": 1e10})") << 55037
                                    << true << 55037 << "10000000000";
    QTest::newRow("port 55037.5 kept") << QByteArray(R"({"version": "1.0", "oscEnabled": true, "oscListenPort": 55037.5})")
                                       << 55037 << true << 55037 << "55037.5";
    QTest::newRow("port kept as it was") << QByteArray(R"({"version": "1.0", "oscEnabled": true, "oscListenPort": 65536})") << 9000
                                         << true << 9000 << "65536";
}

void TestOscSettings::load()
{
    QFETCH(QByteArray, content);
    QFETCH(int, startPort);
    QFETCH(bool, enabled);
    QFETCH(int, port);
    QFETCH(QString, warnedValue);

    const QString path = TestFolder(QTest::currentDataTag()) + "/osc_settings.vemo";
    Write(path, content);
    if (!warnedValue.isEmpty()) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("OSC listen port " + QRegularExpression::escape(warnedValue) + " "));
    }
    OscSettings settings(true, startPort);
    settings.Load(path.toStdString());
    QCOMPARE(settings.oscEnabled, enabled);
    QCOMPARE(settings.oscListenPort, port);
    QCOMPARE(ReadAll(path), content);
}

void TestOscSettings::loadOfMissingFileWarnsAndKeepsValues()
{
    const QString path = TestFolder("missing") + "/osc_settings.vemo";
    QTest::ignoreMessage(QtWarningMsg, "Failed to open osc settings file.");
    OscSettings settings(false, 1234);
    settings.Load(path.toStdString());
    QCOMPARE(settings.oscEnabled, false);
    QCOMPARE(settings.oscListenPort, 1234);
    QVERIFY(!QFile::exists(path));
}

void TestOscSettings::saveOfDefaultsIsByteExact()
{
    const QString folder = TestFolder("defaults");
    const QString path = folder + "/osc_settings.vemo";
    Write(path, "old content that is longer than the new one, so that a partial rewrite would show");
    OscSettings().Save(path.toStdString());
    QCOMPARE(ReadAll(path), kDefaultFile);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"osc_settings.vemo"});
}

void TestOscSettings::saveCreatesMissingFolders()
{
    const QString path = TestFolder("folders") + "/a/b/c/osc_settings.vemo";
    OscSettings(false, 9000).Save(path.toStdString());
    QVERIFY(QFile::exists(path));
}

void TestOscSettings::saveThenLoadRoundTrips()
{
    const QString path = TestFolder("round_trip") + "/osc_settings.vemo";
    OscSettings(false, 65535).Save(path.toStdString());
    OscSettings loaded;
    loaded.Load(path.toStdString());
    QCOMPARE(loaded.oscEnabled, false);
    QCOMPARE(loaded.oscListenPort, 65535);
}

void TestOscSettings::saveBelowRegularFileThrowsAndWritesNothing()
{
    const QString folder = TestFolder("below_file");
    Write(folder + "/plain", "not a folder");
    const std::string path = (folder + "/plain/sub/osc_settings.vemo").toStdString();

    vemo::osc::testing::StreamCapture error(std::cerr);
    try {
        OscSettings().Save(path);
        QFAIL("saving should fail");
    } catch (const std::runtime_error& e) {
        const std::string message = e.what();
        const std::string prefix = "Failed to save osc settings to " + path + ": ";
        QVERIFY2(message.starts_with(prefix) && message.size() > prefix.size(), message.c_str());
    }
    QCOMPARE(error.text(), std::string("Failed to create path for saving osc settings.\n"));
    QCOMPARE(ReadAll(folder + "/plain"), QByteArray("not a folder"));
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{"plain"});
}

// A save whose data cannot all reach the disk (here: a file size limit below the file's length, as a
// full disk would do) must throw and leave the old file as it was. The limit is set in a child process
// so that it cannot touch the test's own files; the child's exit code says what the save did.
void TestOscSettings::saveCutByFileSizeLimitThrowsAndKeepsOldFile()
{
    const QString folder = TestFolder("size_limit");
    const QString path = folder + "/osc_settings.vemo";
    const QByteArray old = "{\n    \"oscEnabled\": false\n}\n";
    Write(path, old);
    const std::string target = path.toStdString();

    enum ChildResult { Threw = 0, Saved = 1, OtherError = 2 };
    std::cout.flush();
    std::cerr.flush();
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{10, 10};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            OscSettings(true, 12345).Save(target);
        } catch (const std::runtime_error& e) {
            const std::string prefix = "Failed to save osc settings to " + target + ": ";
            const std::string message = e.what();
            _exit(message.starts_with(prefix) && message.size() > prefix.size() ? Threw : OtherError);
        } catch (...) {
            _exit(OtherError);
        }
        _exit(Saved);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY2(WIFEXITED(status), "the saving process ended on a signal");
    QCOMPARE(WEXITSTATUS(status), int(Threw));
    QCOMPARE(ReadAll(path), old);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"osc_settings.vemo"});
}

QTEST_GUILESS_MAIN(TestOscSettings)
#include "test_osc_settings.moc"
