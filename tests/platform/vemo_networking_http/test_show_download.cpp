#include <vemo_networking_http/network_api.h>
#include <vemo_networking_http/show_download.h>
#include <vemo_test/pipe_watch.h>
#include <vemo_test/service_fixture.h>
#include <vemo_test/stream_capture.h>
#include <vemo_test/test_environment.h>

#include <QtTest>

#include <sys/stat.h>

#include <chrono>
#include <future>
#include <thread>

using namespace vemo::networking;
using vemo::testing::CapturedStream;
using vemo::testing::ServiceFixture;

namespace {

const std::string kLog20 = R"({"format": "2.0", "show": "fixture", "version": {"major": 2, "minor": 0}, "songs": {}})";
const std::string kLog10 = R"({"format": "2.0", "show": "fixture", "version": {"major": 1, "minor": 0}, "songs": {}})";
const std::string kRecord = R"({"id": "fixture", "keyMaterial1": "", "keyMaterial2": ""})";

std::filesystem::path FreshFolder(const std::string& name)
{
    static int counter = 0;
    const auto folder = vemo::testing::TestRoot() / (name + std::to_string(counter++));
    std::filesystem::create_directories(folder);
    return folder;
}

// What the callbacks of one download saw, in order.
struct Seen {
    std::vector<std::string> events;
    int32_t expected = -1;
    std::vector<std::pair<uint64_t, uint64_t>> progress;

    std::shared_ptr<DownloadCallbacks> Callbacks(std::function<void()> onProgress = {})
    {
        auto callbacks = std::make_shared<DownloadCallbacks>();
        callbacks->status = [this](std::string text) { events.push_back("status " + text); };
        callbacks->fileStatus = [this](std::string text) { events.push_back("file " + text); };
        callbacks->fileProgress = [this, onProgress](std::string, uint64_t received, uint64_t size) {
            progress.emplace_back(received, size);
            if (onProgress)
                onProgress();
        };
        callbacks->expectedTotal = [this](int32_t total) { expected = total; };
        callbacks->error = [this](std::string text) { events.push_back("error " + text); };
        return callbacks;
    }
};

// A service with a show record, a 2.0 log and a 200 kB score, and a fresh show folder holding log 1.0.
struct Fixture {
    ServiceFixture service;
    std::filesystem::path show = FreshFolder("show");
    std::string score = std::string(200 * 1024, 's');

    Fixture()
    {
        service.UseAsDefault();
        service.AddFile({.type = "RECORD", .name = "show.record", .bytes = kRecord});
        service.AddFile({.type = "SCORE", .name = "Show.score", .bytes = score});
        service.AddFile({.type = "LOG", .name = "Show-2.0.logdata", .bytes = kLog20, .majorVersion = 2, .minorVersion = 0});
        ServiceFixture::WriteBytes(show / "Show-1.0.logdata", kLog10);
    }

    std::unique_ptr<DownloadPlan> Plan()
    {
        NetworkApiInterface client(service.Address());
        client.SetCredentials(service.credential(), 1);
        auto plan = client.GetDownloadPlan(client.GetAllShowFiles().data.value());
        return client.ValidateDownloadPlan(std::move(plan), show);
    }

    bool NoPartFiles() const
    {
        for (const auto& entry : std::filesystem::directory_iterator(show)) {
            if (entry.path().extension() == ".part")
                return false;
        }
        return true;
    }
};

std::vector<std::string> PlannedNames(const DownloadPlan& plan)
{
    std::vector<std::string> names;
    for (const auto& entry : plan.entries)
        names.push_back(entry.type + " " + entry.fileName);
    return names;
}

} // namespace

class TestShowDownload : public QObject {
    Q_OBJECT

private slots:
    void aPlanDownloadsInOrderAndThenIsEmpty()
    {
        Fixture fixture;
        auto plan = fixture.Plan();
        QCOMPARE(plan->targetFolder, fixture.show);
        QCOMPARE(plan->entries.size(), std::size_t(3));
        Seen seen;
        const ShowRecord record =
            vemo_download::PerformShowDownload(fixture.service.credential(), seen.Callbacks(), nullptr, "", 1, plan.get());
        QCOMPARE(record.id, std::string("fixture"));
        const std::vector<std::string> events = {"status Preparing download", "file Downloading show.record (1/3)",
                                                 "file Downloading Show.score (2/3)",
                                                 "file Downloading Show-2.0.logdata (3/3)", "status Download complete"};
        QCOMPARE(seen.events, events);
        QCOMPARE(seen.expected, int32_t(kRecord.size() + fixture.score.size() + kLog20.size()));
        QCOMPARE(seen.progress.at(1), (std::pair<uint64_t, uint64_t>(64 * 1024, fixture.score.size())));
        QCOMPARE(seen.progress.at(4), (std::pair<uint64_t, uint64_t>(fixture.score.size(), fixture.score.size())));
        QCOMPARE(ServiceFixture::ReadBytes(fixture.show / "Show.score"), fixture.score);
        QVERIFY(fixture.Plan()->empty());
    }

    void aFailingFileIsReportedAndTheNextOneFollows()
    {
        Fixture fixture;
        fixture.service.SetFaults(QJsonObject{{"failFiles", QJsonArray{"Show.score"}}});
        ServiceFixture::WriteBytes(fixture.show / "Show.score", "old score");
        auto plan = fixture.Plan();
        Seen seen;
        const ShowRecord record =
            vemo_download::PerformShowDownload(fixture.service.credential(), seen.Callbacks(), nullptr, "", 1, plan.get());
        QCOMPARE(record.id, std::string("fixture"));
        QCOMPARE(seen.events.at(3), std::string("error Could not download Show.score: the transfer broke off"));
        QCOMPARE(ServiceFixture::ReadBytes(fixture.show / "Show.score"), std::string("old score"));
        QCOMPARE(ServiceFixture::ReadBytes(fixture.show / "Show-2.0.logdata"), kLog20);
        QVERIFY(fixture.NoPartFiles());
    }

    void filesThatDoNotMatchTheirEntryAreRefused_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("other sha256") << "sha";
        QTest::newRow("larger") << "larger";
        QTest::newRow("smaller") << "smaller";
        QTest::newRow("missing") << "missing";
        QTest::newRow("directory") << "directory";
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("outward link") << "link";
    }
    void filesThatDoNotMatchTheirEntryAreRefused()
    {
        QFETCH(QString, change);
        Fixture fixture;
        auto plan = fixture.Plan();
        const auto source = fixture.service.showFolder() / "files" / "Show.score";
        const auto canary = FreshFolder("canary") / "secret";
        ServiceFixture::WriteBytes(canary, fixture.score);
        if (change == "sha")
            ServiceFixture::WriteBytes(source, std::string(fixture.score.size(), 't'));
        else if (change == "larger")
            ServiceFixture::WriteBytes(source, fixture.score + "x");
        else if (change == "smaller")
            ServiceFixture::WriteBytes(source, fixture.score.substr(1));
        else
            std::filesystem::remove(source);
        if (change == "directory")
            std::filesystem::create_directory(source);
        else if (change == "fifo")
            QCOMPARE(::mkfifo(source.c_str(), 0600), 0);
        else if (change == "link")
            std::filesystem::create_symlink(canary, source);
        Seen seen;
        const auto outcome = vemo::testing::RunWatchingPipes(
            [&] { vemo_download::PerformShowDownload(fixture.service.credential(), seen.Callbacks(), nullptr, "", 1, plan.get()); },
            fixture.service.showFolder() / "files");
        QVERIFY(!outcome.openedPipe);
        QCOMPARE(seen.events.at(3).rfind("error Could not download Show.score: ", 0), std::size_t(0));
        QVERIFY(!std::filesystem::exists(fixture.show / "Show.score"));
        QCOMPARE(ServiceFixture::ReadBytes(fixture.show / "Show-2.0.logdata"), kLog20);
        QVERIFY(fixture.NoPartFiles());
    }

    void hostileNamesInAPlanWriteNothing()
    {
        Fixture fixture;
        const auto canaryFolder = fixture.show.parent_path() / "canary";
        std::filesystem::create_directories(canaryFolder);
        ServiceFixture::WriteBytes(canaryFolder / "keep", "keep");
        DownloadPlan plan;
        plan.targetFolder = fixture.show;
        for (const std::string name : {"../canary/keep", "/tmp/x", "..", ".hidden", "a:b", "new\nline", "Show-2.0.txt"}) {
            const std::string source = "file://" + (fixture.service.showFolder() / "files" / "show.record").string();
            plan.entries.push_back({"LOG", name, kRecord.size(), ServiceFixture::Sha256(kRecord), 2, 0, source});
        }
        Seen seen;
        CapturedStream errors(std::cerr);
        vemo_download::PerformShowDownload(fixture.service.credential(), seen.Callbacks(), nullptr, "", 1, &plan);
        QCOMPARE(std::count_if(seen.events.begin(), seen.events.end(),
                               [](const std::string& event) { return event.rfind("error ", 0) == 0; }),
                 long(plan.entries.size()));
        QVERIFY(seen.events.at(12).find("new\\x0aline") != std::string::npos);
        QCOMPARE(ServiceFixture::ReadBytes(canaryFolder / "keep"), std::string("keep"));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(canaryFolder), {}), 1);
        QCOMPARE(std::distance(std::filesystem::directory_iterator(fixture.show), {}), 1);
    }

    void aCancelMidFileRemovesThePart()
    {
        Fixture fixture;
        auto plan = fixture.Plan();
        std::atomic<bool> cancel{false};
        Seen seen;
        const ShowRecord record = vemo_download::PerformShowDownload(
            fixture.service.credential(), seen.Callbacks([&] { cancel = true; }), &cancel, "", 1, plan.get());
        QCOMPARE(record.id, std::string());
        QCOMPARE(seen.events.back(), std::string("status Download cancelled"));
        QVERIFY(fixture.NoPartFiles());
        QVERIFY(!std::filesystem::exists(fixture.show / "show.record"));
    }

    void aCancelIsSeenWhileThrottledToOneBytePerSecond()
    {
        Fixture fixture;
        fixture.service.SetFaults(QJsonObject{{"throttleBytesPerSecond", 1}});
        auto plan = fixture.Plan();
        std::atomic<bool> cancel{false};
        auto download = std::async(std::launch::async, [&] {
            return vemo_download::PerformShowDownload(fixture.service.credential(), nullptr, &cancel, "", 1, plan.get());
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        QVERIFY(download.wait_for(std::chrono::milliseconds(0)) == std::future_status::timeout);
        cancel = true;
        QVERIFY(download.wait_for(std::chrono::seconds(10)) == std::future_status::ready);
        QCOMPARE(download.get().id, std::string());
        QVERIFY(fixture.NoPartFiles());
    }

    void scriptedFailAndThrow()
    {
        Fixture fixture;
        fixture.service.SetFaults(QJsonObject{{"PerformShowDownload", QJsonObject{{"fail", true}}}});
        auto plan = fixture.Plan();
        Seen seen;
        QCOMPARE(vemo_download::PerformShowDownload(fixture.service.credential(), seen.Callbacks(), nullptr, "", 1, plan.get()).id,
                 std::string());
        QVERIFY(seen.events.empty());
        QVERIFY(!std::filesystem::exists(fixture.show / "show.record"));

        fixture.service.SetFaults(QJsonObject{{"PerformShowDownload", QJsonObject{{"throw", "Server gone"}}}});
        QVERIFY_THROWS_EXCEPTION(vemo_download::DownloadException,
                                 vemo_download::PerformShowDownload(fixture.service.credential(), seen.Callbacks(),
                                                                    nullptr, "", 1, plan.get()));
        QVERIFY(std::filesystem::exists(fixture.show / "show.record"));
    }

    void downloadsThatCannotStartThrow()
    {
        Fixture fixture;
        auto plan = fixture.Plan();
        const auto message = [&](const std::string& credential, DownloadPlan* planned) {
            try {
                vemo_download::PerformShowDownload(credential, nullptr, nullptr, "", 1, planned);
            } catch (const vemo_download::DownloadException& error) {
                return std::string(error.what());
            }
            return std::string("no exception");
        };
        QCOMPARE(message(fixture.service.credential(), nullptr), std::string("No download plan"));
        QCOMPARE(message("unknown", plan.get()), std::string("The web service refused the show credential"));
        ServiceFixture::WriteBytes(fixture.show.parent_path() / "afile", "");
        plan->targetFolder = fixture.show.parent_path() / "afile" / "show";
        QCOMPARE(message(fixture.service.credential(), plan.get()).rfind("Cannot create show folder ", 0), std::size_t(0));
        qputenv("VEMO_WEB_BASE", "https://example.invalid");
        QCOMPARE(message(fixture.service.credential(), plan.get()),
                 std::string("This build reaches the web service only through file:// addresses"));
    }

    void theExpectedTotalIsClampedTo32Bits()
    {
        Fixture fixture;
        DownloadPlan plan;
        plan.targetFolder = fixture.show;
        plan.entries.push_back({"ART", "a.jpg", 3ull << 30, "", 0, 0, ""});
        plan.entries.push_back({"ART", "b.jpg", 3ull << 30, "", 0, 0, ""});
        Seen seen;
        vemo_download::PerformShowDownload(fixture.service.credential(), seen.Callbacks(), nullptr, "", 1, &plan);
        QCOMPARE(seen.expected, std::numeric_limits<int32_t>::max());
    }

    void validationSkipsUnreadableLogsWithoutThrowing()
    {
        Fixture fixture;
        ServiceFixture::WriteBytes(fixture.show / "x-9.9.logdata", "{ not json");
        ServiceFixture::WriteBytes(fixture.show / "Other-9.9.logdata",
                                   R"({"format": "2.0", "show": "another", "version": {"major": 9, "minor": 9}, "songs": {}})");
        ServiceFixture::WriteBytes(fixture.show / "show.record", kRecord);
        std::filesystem::create_directory(fixture.show / "Dir-9.9.logdata");
        CapturedStream errors(std::cerr);
        auto plan = fixture.Plan();
        QCOMPARE(PlannedNames(*plan), (std::vector<std::string>{"SCORE Show.score", "LOG Show-2.0.logdata"}));
        QVERIFY(errors.text().find("Skipped event log " + (fixture.show / "x-9.9.logdata").string() + ": ")
                != std::string::npos);
        QVERIFY(errors.text().find("Skipped event log " + (fixture.show / "Other-9.9.logdata").string() + ": ")
                != std::string::npos);
    }

    void validationPlansFifosWithoutWaiting()
    {
        Fixture fixture;
        fixture.service.AddFile({.type = "SHOW", .name = "show.json", .bytes = "{}"});
        QCOMPARE(::mkfifo((fixture.show / "show.json").c_str(), 0600), 0);
        QCOMPARE(::mkfifo((fixture.show / "show.record").c_str(), 0600), 0);
        QCOMPARE(::mkfifo((fixture.show / "y-3.0.logdata").c_str(), 0600), 0);
        std::unique_ptr<DownloadPlan> plan;
        CapturedStream errors(std::cerr);
        const auto outcome = vemo::testing::RunWatchingPipes([&] { plan = fixture.Plan(); }, fixture.show);
        QVERIFY(!outcome.openedPipe);
        QCOMPARE(outcome.error, std::string());
        QCOMPARE(PlannedNames(*plan), (std::vector<std::string>{"RECORD show.record", "SCORE Show.score",
                                                                "LOG Show-2.0.logdata", "SHOW show.json"}));
    }
};

QTEST_GUILESS_MAIN(TestShowDownload)
#include "test_show_download.moc"
