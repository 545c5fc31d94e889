// The program's start-up through its real launcher, in this process: the engine is set up as the
// application object sets up its own, on a fresh data folder with the demo show installed by the
// launcher, and the windows are driven through their signals.
#include "launcher_rig.h"

#include <vemo_test/qml_engine.h>
#include <vemo_test/service_fixture.h>
#include <vemo_test/stream_capture.h>
#include <vemo_test/test_environment.h>

#include <vemo_networking_http/types.h>

#include <QFile>
#include <QGuiApplication>
#include <QJsonObject>
#include <QPointer>
#include <QQuickWindow>
#include <QtTest>

#include <filesystem>
#include <memory>

using vemo::qt::Launcher;
using vemo::testing::kCredential;
using vemo::testing::kMainTitle;
using vemo::testing::kShowId;
using vemo::testing::ServiceFixture;
using vemo::testing::VisibleWindow;
using vemo::testing::WindowsTitled;

namespace {

const QString kDownloadTitle = "Downloading Show";
// A change log whose format this program cannot read.
const char* const kNewerLog = R"({"format": "3.0"})";
const char* const kNewerLogName = "TheLanternKeeper-3.0.logdata";

// The demo's event log 2.0 as its web service hands it out.
qint64 DemoLogSize()
{
    return QFile(":/vemo_demo/TheLanternKeeper-2.0.logdata").size();
}

} // namespace

class TestLauncher : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<vemo::testing::LauncherRig> rig;

    std::filesystem::path ShowFolder() const { return rig->ShowFolder(); }
    void Start() { rig->Start(); }
    void Stop() { rig->Stop(); }

    // The exit code of an event loop run in which `window` is closed as a user would.
    static int ExitCodeAfterClosing(QQuickWindow* window)
    {
        return vemo::testing::RunLoop([window] { window->close(); }, 10000);
    }

    // The download window once it shows a status that contains `text`; null when it never does.
    static QQuickWindow* DownloadWindowAt(const QString& text)
    {
        const auto shows = [&text] {
            QQuickWindow* window = VisibleWindow(kDownloadTitle);
            return window != nullptr && window->property("downloadStatus").toString().contains(text);
        };
        return QTest::qWaitFor(shows, 20000) ? VisibleWindow(kDownloadTitle) : nullptr;
    }

    // Lets whatever is still queued arrive, then checks that `mainWindow` is the only main window.
    static void ExpectOnlyMainWindow(const QPointer<QQuickWindow>& mainWindow)
    {
        QTest::qWait(300);
        vemo::testing::DeliverDeferredDeletes();
        QVERIFY(!mainWindow.isNull());
        QCOMPARE(WindowsTitled(kMainTitle), 1);
    }

private slots:
    void initTestCase()
    {
        QGuiApplication::setQuitOnLastWindowClosed(false);
    }

    void init()
    {
        qunsetenv("VEMO_WEB_BASE");
        qunsetenv("VEMO_WEB_THROTTLE_BPS");
        rig = std::make_unique<vemo::testing::LauncherRig>();
    }

    void cleanup()
    {
        rig.reset();
    }

    void updateMessageNamesWhatIsFetched_data()
    {
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<QString>("message");
        QTest::newRow("log and files") << QStringList{"SHOW", "LOG", "ART"}
                                       << "The event log has been updated to version 3.1 and the show files have "
                                          "been repaired or updated to the latest version.";
        QTest::newRow("log only") << QStringList{"LOG"} << "The event log has been updated to version 3.1.";
        QTest::newRow("files only") << QStringList{"SHOW", "log"}
                                    << "The show files have been repaired or updated to the latest version.";
        QTest::newRow("nothing") << QStringList{} << QString();
    }

    void updateMessageNamesWhatIsFetched()
    {
        QFETCH(QStringList, types);
        QFETCH(QString, message);
        vemo::networking::DownloadPlan plan;
        for (const QString& type : types) {
            vemo::networking::DownloadPlanEntry entry;
            entry.type = type.toStdString();
            entry.majorVersion = 3;
            entry.minorVersion = 1;
            plan.entries.push_back(entry);
        }
        QCOMPARE(Launcher::BuildUpdateMessage(plan), message);
    }

    void firstStartDownloadsSecondStartOpensAtOnceCloseEndsTheRun()
    {
        qputenv("VEMO_WEB_THROTTLE_BPS", QByteArray::number(DemoLogSize()));
        Start();
        QVERIFY(VisibleWindow(kMainTitle) == nullptr);
        QTRY_VERIFY(VisibleWindow(kDownloadTitle) != nullptr);
        QVERIFY(VisibleWindow(kMainTitle) == nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(VisibleWindow(kMainTitle) != nullptr, 20000);
        QTRY_VERIFY(VisibleWindow("Files Were Updated") != nullptr);
        QCOMPARE(VisibleWindow("Files Were Updated")->property("text").toString(),
                 "The event log has been updated to version 2.0.");
        QVERIFY(VisibleWindow(kDownloadTitle) == nullptr);
        QVERIFY(std::filesystem::is_regular_file(ShowFolder() / "TheLanternKeeper-2.0.logdata"));
        Stop();

        Start();
        QVERIFY(VisibleWindow(kMainTitle) != nullptr);
        QTest::qWait(200);
        QCOMPARE(WindowsTitled(kDownloadTitle), 0);
        QVERIFY(VisibleWindow("Files Were Updated") == nullptr);

        QCOMPARE(ExitCodeAfterClosing(VisibleWindow(kMainTitle)), 0);
    }

    void failingFileListOpensTheMainWindowAtOnce_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("message");
        QTest::newRow("folder that cannot exist") << "missing" << "Getting file list failed: Web service folder not found: ";
        QTest::newRow("not a file address") << "http://localhost/"
                                            << "Getting file list failed: This build reaches the web service only "
                                               "through file:// addresses";
        QTest::newRow("service refuses") << "" << "Getting file list failed: Service unavailable";
    }

    void failingFileListOpensTheMainWindowAtOnce()
    {
        QFETCH(QString, address);
        QFETCH(QString, message);
        ServiceFixture service(kShowId, kCredential);
        service.SetFaults(QJsonObject{{"GetAllShowFiles", QJsonObject{{"status", 503}, {"message", "Service unavailable"}}}});
        if (address.isEmpty()) {
            service.UseAsDefault();
        } else if (address == "missing") {
            // Below a regular file, so that not even the demo's service can be put there.
            ServiceFixture::WriteBytes(rig->dataHome / "file", "");
            qputenv("VEMO_WEB_BASE", QByteArray::fromStdString("file://" + (rig->dataHome / "file" / "service").string()));
        } else {
            qputenv("VEMO_WEB_BASE", address.toUtf8());
        }
        vemo::testing::CapturedStream errors(std::cerr);
        Start();
        QVERIFY(VisibleWindow(kMainTitle) != nullptr);
        QVERIFY2(QString::fromStdString(errors.text()).contains(message), errors.text().c_str());
        QTest::qWait(100);
        QCOMPARE(WindowsTitled(kDownloadTitle), 0);
    }

    void newerEventLogFormatIsReported_data()
    {
        QTest::addColumn<bool>("downloaded");
        QTest::newRow("found at start") << false;
        QTest::newRow("after a download") << true;
    }

    void newerEventLogFormatIsReported()
    {
        QFETCH(bool, downloaded);
        ServiceFixture service(kShowId, kCredential);
        service.AddFile({.type = "LOG", .name = kNewerLogName, .bytes = kNewerLog, .majorVersion = 3, .minorVersion = 0});
        service.UseAsDefault();
        if (!downloaded) {
            std::filesystem::create_directories(ShowFolder());
            ServiceFixture::WriteBytes(ShowFolder() / kNewerLogName, kNewerLog);
        }
        Start();
        if (downloaded)
            QTRY_VERIFY(VisibleWindow(kDownloadTitle) != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(VisibleWindow("Loading Edits Failed") != nullptr, 20000);
        QCOMPARE(VisibleWindow("Loading Edits Failed")->property("text").toString(),
                 QString("Loading show edits failed with the following error: The change log %1 uses format 3.0; "
                         "this program reads format 2. \n\nBecause the error is related to log versioning, you may "
                         "be able to fix this issue by downloading the latest version of the application from the "
                         "VEMO website.")
                     .arg(kNewerLogName));
        QTest::qWait(100);
        QCOMPARE(WindowsTitled(kMainTitle), 0);
    }

    void cancelledDownloadOpensTheMainWindowWithoutNotice()
    {
        qputenv("VEMO_WEB_THROTTLE_BPS", "300");
        Start();
        QQuickWindow* download = DownloadWindowAt("(1/1)");
        QVERIFY(download != nullptr);
        QMetaObject::invokeMethod(download, "cancel");
        QTRY_VERIFY(VisibleWindow(kMainTitle) != nullptr);
        QTest::qWait(300);
        QCOMPARE(WindowsTitled("Files Were Updated"), 0);
        QVERIFY(!std::filesystem::exists(ShowFolder() / "TheLanternKeeper-2.0.logdata.part"));
    }

    void closingTheDownloadWindowDuringTheLastFileOpensOneMainWindow()
    {
        qputenv("VEMO_WEB_THROTTLE_BPS", "300");
        Start();
        QQuickWindow* download = DownloadWindowAt("(1/1)");
        QVERIFY(download != nullptr);
        download->close();
        const QPointer<QQuickWindow> mainWindow = VisibleWindow(kMainTitle);
        QVERIFY(!mainWindow.isNull());
        ExpectOnlyMainWindow(mainWindow);
    }

    void completionAndCancelQueuedTogetherOpenOneMainWindow()
    {
        qputenv("VEMO_WEB_THROTTLE_BPS", "300");
        Start();
        QQuickWindow* download = DownloadWindowAt("(1/1)");
        QVERIFY(download != nullptr);
        QMetaObject::invokeMethod(download, "cancel");
        QMetaObject::invokeMethod(download, "downloadErrorAcknowledged");
        QTRY_VERIFY(VisibleWindow(kMainTitle) != nullptr);
        const QPointer<QQuickWindow> mainWindow = VisibleWindow(kMainTitle);
        ExpectOnlyMainWindow(mainWindow);
    }
};

QTEST_MAIN(TestLauncher)
#include "test_launcher.moc"
