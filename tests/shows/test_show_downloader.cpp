#include "shows/show_downloader_controller.h"

#include <vemo_test/qml_engine.h>
#include <vemo_test/service_fixture.h>
#include <vemo_test/test_environment.h>

#include <vemo_networking_http/network_api.h>

#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <iostream>

using vemo::qt::DownloadProgress;
using vemo::qt::ShowDownloaderController;
using vemo::testing::ServiceFixture;

static_assert(std::chrono::steady_clock::is_steady);

namespace {

constexpr int64_t kMs = 10'000; // 100 ns ticks per millisecond

// Ends the process when a step takes longer than ten seconds, so that a deadlock fails the test at
// once instead of hanging it.
class Watchdog {
public:
    Watchdog()
        : thread_([this] {
            std::unique_lock lock(mutex_);
            if (!done_.wait_for(lock, std::chrono::seconds(10), [this] { return finished_; })) {
                std::cerr << "Watchdog: the step did not end within 10 s" << std::endl;
                std::abort();
            }
        })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

std::filesystem::path FreshFolder()
{
    static int counter = 0;
    const auto folder = vemo::testing::TestRoot() / ("show" + std::to_string(counter++));
    std::filesystem::create_directories(folder);
    return folder;
}

ShowRecord RecordOf(const ServiceFixture& service)
{
    ShowRecord record;
    record.id = "fixture";
    record.credential = service.credential();
    return record;
}

std::unique_ptr<vemo::networking::DownloadPlan> PlanOf(const ServiceFixture& service, const std::filesystem::path& show)
{
    vemo::networking::NetworkApiInterface client(service.Address());
    client.SetCredentials(service.credential(), 1);
    return client.ValidateDownloadPlan(client.GetDownloadPlan(client.GetAllShowFiles().data.value()), show);
}

// A service with the named files (each of its size in bytes) and a fresh show folder.
struct Fixture {
    ServiceFixture service;
    std::filesystem::path show = FreshFolder();

    explicit Fixture(std::vector<std::pair<std::string, std::size_t>> files, QJsonObject faults = {})
    {
        service.UseAsDefault();
        for (const auto& [name, size] : files)
            service.AddFile({.type = "ART", .name = name, .bytes = std::string(size, 'b')});
        service.AddFile({.type = "RECORD", .name = "show.record", .bytes = R"({"id": "fixture"})"});
        service.SetFaults(faults);
    }
};

QObject* ErrorDialog(ShowDownloaderController& controller)
{
    return vemo::testing::Child(controller.QmlObject(), "errorDialog");
}

} // namespace

class TestShowDownloader : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QQmlEngine> engine_ = vemo::testing::MakeQmlEngine();
    int64_t now_ = 0;
    DownloadProgress::Clock clock_ = [this] { return now_; };

    std::unique_ptr<ShowDownloaderController> Controller()
    {
        return std::make_unique<ShowDownloaderController>(engine_.get(), nullptr, 1, clock_);
    }

private slots:
    void init() { now_ = 1'000'000'000; }
    void cleanup() { vemo::testing::DeliverDeferredDeletes(); }

    void reportsComeAtMostEvery100Milliseconds()
    {
        auto controller = Controller();
        QSignalSpy file(controller.get(), &ShowDownloaderController::progressChanged);
        QSignalSpy total(controller.get(), &ShowDownloaderController::totalProgressChanged);
        auto callbacks = controller->Callbacks();
        callbacks->expectedTotal(1000);
        now_ += 100 * kMs;
        callbacks->fileProgress("a", 10, 0);
        QCOMPARE(file.count(), 0);
        callbacks->fileProgress("a", 10, 100);
        now_ += 99 * kMs;
        callbacks->fileProgress("a", 20, 100);
        now_ += kMs;
        callbacks->fileProgress("a", 30, 100);
        QCOMPARE(file.count(), 2);
        QCOMPARE(total.count(), 2);
        QCOMPARE(total.at(0), (QList<QVariant>{10.0, 1000.0}));
        QCOMPARE(total.at(1), (QList<QVariant>{30.0, 1000.0}));
    }

    void unannouncedTotalsReportFilesOnlyAndKeepTheTime()
    {
        auto controller = Controller();
        QSignalSpy file(controller.get(), &ShowDownloaderController::progressChanged);
        QSignalSpy total(controller.get(), &ShowDownloaderController::totalProgressChanged);
        auto callbacks = controller->Callbacks();
        now_ += 50 * kMs;
        callbacks->fileProgress("a", 1, 10);
        now_ += 50 * kMs;
        callbacks->fileProgress("a", 2, 10);
        callbacks->fileProgress("a", 3, 10);
        QCOMPARE(file.count(), 2);
        QCOMPARE(total.count(), 0);
    }

    void countsBeyond32BitsAndFallingCounts()
    {
        auto controller = Controller();
        QSignalSpy total(controller.get(), &ShowDownloaderController::totalProgressChanged);
        auto callbacks = controller->Callbacks();
        callbacks->expectedTotal(std::numeric_limits<int32_t>::max());
        now_ += 100 * kMs;
        callbacks->fileProgress("big", 3ull << 30, 3ull << 30);
        QCOMPARE(total.takeFirst(), (QList<QVariant>{double(3ull << 30), 2147483647.0}));
        now_ += 100 * kMs;
        callbacks->fileProgress("small", 30, 40);
        now_ += 100 * kMs;
        callbacks->fileProgress("small", 10, 40);
        QCOMPARE(total.takeLast().at(0).toDouble(), double(3ull << 30) + 10);
    }

    void aCompleteDownloadFinishesOnce()
    {
        Fixture fixture({{"a.jpg", 1000}});
        auto controller = Controller();
        QSignalSpy finished(controller.get(), &ShowDownloaderController::DownloadFinishedSignal);
        QSignalSpy cancelled(controller.get(), &ShowDownloaderController::Cancelled);
        controller->Download(RecordOf(fixture.service), PlanOf(fixture.service, fixture.show));
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).value<ShowRecord>().id, std::string("fixture"));
        QCOMPARE(cancelled.count(), 0);
        QTRY_COMPARE(controller->QmlObject()->property("downloadStatus").toString(), QString("Download complete"));
    }

    void aSecondDownloadWaitsForTheFirst()
    {
        Fixture fixture({{"a.jpg", 2000}}, QJsonObject{{"throttleBytesPerSecond", 10'000}});
        const auto second = FreshFolder();
        auto controller = Controller();
        QSignalSpy finished(controller.get(), &ShowDownloaderController::DownloadFinishedSignal);
        controller->Download(RecordOf(fixture.service), PlanOf(fixture.service, fixture.show));
        controller->Download(RecordOf(fixture.service), PlanOf(fixture.service, second));
        QVERIFY(std::filesystem::exists(fixture.show / "a.jpg"));
        QTRY_COMPARE(finished.count(), 2);
        QVERIFY(std::filesystem::exists(second / "a.jpg"));
    }

    void anEmptyRecordCountsAsCancelled()
    {
        Fixture fixture({{"a.jpg", 10}}, QJsonObject{{"PerformShowDownload", QJsonObject{{"fail", true}}}});
        auto controller = Controller();
        QSignalSpy finished(controller.get(), &ShowDownloaderController::DownloadFinishedSignal);
        QSignalSpy cancelled(controller.get(), &ShowDownloaderController::Cancelled);
        controller->Download(RecordOf(fixture.service), PlanOf(fixture.service, fixture.show));
        QTRY_COMPARE(cancelled.count(), 1);
        QTRY_VERIFY(!controller->QmlObject()->property("visible").toBool());
        QTest::qWait(50);
        QCOMPARE(finished.count(), 0);
    }

    void aCancelAfterTheLastFileStillFinishes()
    {
        Fixture fixture({{"a.jpg", 10}});
        auto controller = Controller();
        QSignalSpy finished(controller.get(), &ShowDownloaderController::DownloadFinishedSignal);
        QSignalSpy cancelled(controller.get(), &ShowDownloaderController::Cancelled);
        ShowDownloaderController* raw = controller.get();
        connect(raw, &ShowDownloaderController::statusChanged, raw, [raw](const QString& status) {
            if (status == "Download complete")
                raw->Cancel_();
        }, Qt::DirectConnection);
        controller->Download(RecordOf(fixture.service), PlanOf(fixture.service, fixture.show));
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(cancelled.count(), 1);
    }

    void aDownloadExceptionWaitsForTheUsersOk()
    {
        Fixture fixture({{"a.jpg", 10}}, QJsonObject{{"PerformShowDownload", QJsonObject{{"throw", "Server gone"}}}});
        auto controller = Controller();
        QSignalSpy finished(controller.get(), &ShowDownloaderController::DownloadFinishedSignal);
        controller->Download(RecordOf(fixture.service), PlanOf(fixture.service, fixture.show));
        QObject* dialog = ErrorDialog(*controller);
        QTRY_VERIFY(dialog->property("visible").toBool());
        QCOMPARE(dialog->property("text").toString(), QString("Server gone"));
        QTRY_VERIFY(!controller->QmlObject()->property("visible").toBool());
        QTest::qWait(50);
        QCOMPARE(finished.count(), 0);
        QMetaObject::invokeMethod(dialog, "accept");
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).value<ShowRecord>().id, std::string());
    }

    void deletingTheControllerMidDownloadReturns()
    {
        Fixture fixture({{"a.jpg", 100'000}},
                        QJsonObject{{"throttleBytesPerSecond", 1000}, {"PerformShowDownload", QJsonObject{{"throw", "x"}}}});
        auto controller = Controller();
        controller->Download(RecordOf(fixture.service), PlanOf(fixture.service, fixture.show));
        QTRY_VERIFY(std::filesystem::exists(fixture.show / "a.jpg.part"));
        {
            Watchdog watchdog;
            controller.reset();
        }
        QVERIFY(!std::filesystem::exists(fixture.show / "a.jpg.part"));
    }

    void errorsNeverWaitForTheWindow()
    {
        Fixture fixture({{"a.jpg", 1000}, {"b.jpg", 1000}}, QJsonObject{{"failFiles", QJsonArray{"a.jpg"}}});
        auto controller = Controller();
        controller->Download(RecordOf(fixture.service), PlanOf(fixture.service, fixture.show));
        // The GUI thread takes no events meanwhile: a worker waiting for the window would stop at a.jpg.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!std::filesystem::exists(fixture.show / "b.jpg") && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const bool passedTheError = std::filesystem::exists(fixture.show / "b.jpg");
        QTest::qWait(50);
        QVERIFY(passedTheError);
    }

    void aSecondErrorAfterOkOpensNoDialog()
    {
        Fixture fixture({{"a.jpg", 1000}, {"b.jpg", 20'000}, {"c.jpg", 100'000}},
                        QJsonObject{{"throttleBytesPerSecond", 10'000}, {"failFiles", QJsonArray{"a.jpg", "b.jpg"}}});
        auto controller = Controller();
        QSignalSpy finished(controller.get(), &ShowDownloaderController::DownloadFinishedSignal);
        QSignalSpy shownErrors(controller->QmlObject(), SIGNAL(downloadError(QString)));
        controller->Download(RecordOf(fixture.service), PlanOf(fixture.service, fixture.show));
        QObject* dialog = ErrorDialog(*controller);
        QTRY_VERIFY(dialog->property("visible").toBool());
        QMetaObject::invokeMethod(dialog, "accept");
        QCOMPARE(finished.count(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(
            controller->QmlObject()->property("downloadStatus").toString().startsWith("Downloading c.jpg"), 8000);
        QCOMPARE(shownErrors.count(), 1);
        QCOMPARE(dialog->property("text").toString(), QString("Could not download a.jpg: the transfer broke off"));
        QVERIFY(!dialog->property("visible").toBool());
        {
            Watchdog watchdog;
            controller.reset();
        }
        QCOMPARE(finished.count(), 1);
    }
};

QTEST_MAIN(TestShowDownloader)
#include "test_show_downloader.moc"
