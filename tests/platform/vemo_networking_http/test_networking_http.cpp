#include <vemo_networking_http/downloader.h>
#include <vemo_networking_http/file_names.h>
#include <vemo_networking_http/network_api.h>
#include <vemo_test/service_fixture.h>
#include <vemo_test/stream_capture.h>
#include <vemo_test/test_environment.h>

#include <QtTest>

#include <sys/stat.h>

using namespace vemo::networking;
using vemo::testing::CapturedStream;
using vemo::testing::ServiceFile;
using vemo::testing::ServiceFixture;
using vemo::testing::ServiceLog;

namespace {

const std::string kLog = R"({"format": "2.0", "version": {"major": 2, "minor": 0}, "songs": {}})";

std::filesystem::path FreshFolder(const std::string& name)
{
    static int counter = 0;
    const auto folder = vemo::testing::TestRoot() / (name + std::to_string(counter++));
    std::filesystem::create_directories(folder);
    return folder;
}

NetworkApiInterface ClientOf(const ServiceFixture& service)
{
    NetworkApiInterface client(service.Address());
    client.SetCredentials(service.credential(), 0);
    return client;
}

// Every hostile name the service could send, as the list and the writers must refuse it.
const std::vector<std::string>& HostileNames()
{
    static const std::vector<std::string> names = {
        "/etc/passwd.logdata", "..", ".", "../escape-1.0.logdata", "a/b-1.0.logdata", "a\\b-1.0.logdata",
        "c:x-1.0.logdata", std::string("nul\0x-1.0.logdata", 17), "new\nline-1.0.logdata", "esc\x1b-1.0.logdata",
        ".hidden-1.0.logdata", std::string(250, 'x') + "-1.0.logdata", "",
    };
    return names;
}

} // namespace

class TestNetworkingHttp : public QObject {
    Q_OBJECT

private slots:
    void safeNamesFollowTheRule_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("safe");
        QTest::newRow("plain") << QByteArray("Show-1.0.logdata") << true;
        QTest::newRow("255 bytes") << QByteArray(std::string(255, 'a').c_str()) << true;
        QTest::newRow("inner dots") << QByteArray("a..b") << true;
        for (const std::string& name : HostileNames())
            QTest::newRow(("hostile " + EscapeFileName(name).substr(0, 20)).c_str())
                << QByteArray::fromStdString(name) << false;
        QTest::newRow("delete") << QByteArray("a\x7f") << false;
    }
    void safeNamesFollowTheRule()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, safe);
        QCOMPARE(IsSafeFileName(name.toStdString()), safe);
    }

    void escapedNamesShowControlsAndStopAt255Bytes()
    {
        QCOMPARE(EscapeFileName("a\nb\x1b"), std::string("a\\x0ab\\x1b"));
        QCOMPARE(EscapeFileName(std::string(300, 'z')).size(), std::size_t(255));
    }

    void unreachableServicesAnswerNetworkErrors()
    {
        NetworkApiInterface web("https://example.invalid/api");
        QCOMPARE(web.GetAvailableLogs().status, API_NETWORK_ERROR);
        QCOMPARE(web.GetDisplayMessage(), std::string("This build reaches the web service only through file:// addresses"));
        const auto missing = vemo::testing::TestRoot() / "no-such-service";
        NetworkApiInterface gone("file://" + missing.string());
        const auto result = gone.GetAllShowFiles();
        QCOMPARE(result.status, API_NETWORK_ERROR);
        QCOMPARE(result.message, "Web service folder not found: " + missing.string());
    }

    void anUnknownCredentialIsRefused()
    {
        ServiceFixture service;
        NetworkApiInterface client(service.Address());
        client.SetCredentials("someone-else", 1);
        const auto result = client.GetLatestLog();
        QCOMPARE(result.status, API_UNAUTHORIZED);
        QCOMPARE(result.message, std::string("The show credential was not accepted"));
    }

    void theFileListKeepsSafeEntriesOnly()
    {
        ServiceFixture service;
        service.AddFile({.type = "SHOW", .name = "show.json", .bytes = "{}"});
        service.AddFile({.type = "LOG", .name = "Show-2.0.logdata", .bytes = kLog, .majorVersion = 2, .minorVersion = 0});
        service.AddFile({.type = "LOG", .name = "Show-2.0.txt", .bytes = kLog, .majorVersion = 2, .minorVersion = 0});
        service.AddFile({.type = "LOG", .name = "Show-300.0.logdata", .bytes = kLog, .majorVersion = 300, .minorVersion = 0});
        service.AddFileEntry(QJsonObject{{"type", "LOG"}, {"name", "Show-1.5.logdata"}, {"major", 1.5}, {"minor", 0}});
        for (const std::string& name : HostileNames())
            service.AddFileEntry(QJsonObject{{"type", "ART"}, {"name", QString::fromStdString(name)}, {"size", 1}});
        CapturedStream errors(std::cerr);
        auto client = ClientOf(service);
        const auto result = client.GetAllShowFiles();
        QCOMPARE(result.status, API_SUCCESS);
        QCOMPARE(result.data->size(), std::size_t(2));
        QCOMPARE(result.data->at(0).fileName, std::string("show.json"));
        QCOMPARE(result.data->at(1).majorVersion, UInt8(2));
        QVERIFY(errors.text().find("Rejected unsafe file name from the web service: new\\x0aline-1.0.logdata")
                != std::string::npos);
        QVERIFY(errors.text().find("new\nline") == std::string::npos);
    }

    void malformedServiceFilesAnswerServerErrors()
    {
        ServiceFixture service;
        ServiceFixture::WriteBytes(service.showFolder() / "files.json", "{\"files\": [");
        ServiceFixture::WriteBytes(service.showFolder() / "logs" / "index.json", "[]");
        auto client = ClientOf(service);
        QCOMPARE(client.GetAllShowFiles().status, API_SERVER_ERROR);
        QCOMPARE(client.GetAvailableLogs().status, API_SERVER_ERROR);
        ServiceFixture::WriteBytes(service.folder() / "credentials.json", "not json");
        QCOMPARE(client.GetLatestLog().status, API_SERVER_ERROR);
    }

    void theLogIndexAnswersListLatestAndLinks()
    {
        ServiceFixture service;
        service.AddLog({.majorVersion = 3, .minorVersion = 0, .fileName = "Show-3.0.logdata", .bytes = kLog, .modified = 30});
        service.AddLog({.majorVersion = 1, .minorVersion = 0, .fileName = "Show-1.0.logdata", .bytes = kLog, .modified = 10});
        service.AddLog({.majorVersion = 1, .minorVersion = 1, .fileName = "../Show-1.1.logdata", .bytes = kLog});
        service.AddLog({.majorVersion = 1, .minorVersion = 2, .fileName = "Show-1.2.logdata",
                        .extraFields = QJsonObject{{"major", 256}}});
        CapturedStream errors(std::cerr);
        auto client = ClientOf(service);
        const auto list = client.GetAvailableLogs();
        QCOMPARE(list.status, API_SUCCESS);
        QCOMPARE(list.data->size(), std::size_t(2));
        QCOMPARE(int(list.data->at(0).majorVersion), 3);
        QCOMPARE(list.data->at(1).modified, 10);

        const auto latest = client.GetLatestLog();
        QCOMPARE(int(latest.data->majorVersion), 3);
        service.SetLatest(1, 0);
        QCOMPARE(int(client.GetLatestLog().data->majorVersion), 1);

        const auto link = client.GetChangelogLinkByVersion(1, 0);
        QCOMPARE(link.status, API_SUCCESS);
        QCOMPARE(link.data->fileName, std::string("Show-1.0.logdata"));
        QCOMPARE(link.data->text, ServiceFixture::Sha256(kLog));
        QCOMPARE(QUrl(QString::fromStdString(link.data->link)).toLocalFile().toStdString(),
                 (service.showFolder() / "logs" / "Show-1.0.logdata").string());
        const auto missing = client.GetChangelogLinkByVersion(4, 2);
        QCOMPARE(missing.status, API_NOT_FOUND);
        QCOMPARE(missing.message, std::string("Version 4.2 is not on the server"));
        QCOMPARE(client.GetDisplayMessage(), missing.message);
        QCOMPARE(client.GetChangelogLinkByVersion(1, 1).status, API_BAD_REQUEST);
    }

    void anEmptyIndexHasNoLatestLog()
    {
        ServiceFixture service;
        auto client = ClientOf(service);
        const auto latest = client.GetLatestLog();
        QCOMPARE(latest.status, API_NOT_FOUND);
        QCOMPARE(latest.message, std::string("No event log has been shared for this show"));
    }

    void uncheckedNamesPassTheListsButLinksStayUnsafe()
    {
        ServiceFixture service;
        service.AddLog({.majorVersion = 1, .minorVersion = 1, .fileName = "../Show-1.1.logdata", .bytes = kLog});
        auto client = ClientOf(service);
        CapturedStream errors(std::cerr);
        const auto refused = client.GetChangelogLinkByVersion(1, 1);
        QCOMPARE(refused.status, API_BAD_REQUEST);
        QCOMPARE(refused.message, std::string("The web service sent an unsafe file name"));
        QCOMPARE(client.GetAvailableLogs().data->size(), std::size_t(0));
        service.SetFaults(QJsonObject{{"uncheckedNames", true}});
        const auto passed = client.GetChangelogLinkByVersion(1, 1);
        QCOMPARE(passed.status, API_SUCCESS);
        QCOMPARE(passed.data->fileName, std::string("../Show-1.1.logdata"));
        QCOMPARE(client.GetAvailableLogs().data->size(), std::size_t(1));
    }

    void scriptedAnswersAndTheJournal()
    {
        ServiceFixture service;
        service.AddLog({.majorVersion = 1, .minorVersion = 0, .fileName = "Show-1.0.logdata", .bytes = kLog});
        service.SetFaults(QJsonObject{{"journal", true},
                                      {"GetAvailableLogs", QJsonObject{{"status", 401}, {"message", "Expired"}}},
                                      {"GetLatestLog", QJsonObject{{"fail", true}}}});
        auto client = ClientOf(service);
        const auto list = client.GetAvailableLogs();
        QCOMPARE(list.status, API_UNAUTHORIZED);
        QCOMPARE(list.GetDisplayMessage(), std::string("Expired"));
        QCOMPARE(client.GetLatestLog().status, API_SERVER_ERROR);
        QCOMPARE(client.GetChangelogLinkByVersion(1, 0).status, API_SUCCESS);
        QCOMPARE(client.GetDisplayMessage(), std::string());
        const std::vector<std::string> expected = {"GetAvailableLogs kind=0 -> 401", "GetLatestLog kind=0 -> 500",
                                                   "GetChangelogLinkByVersion 1.0 kind=0 -> 0"};
        QCOMPARE(service.JournalLines(), expected);
    }

    void thePlanNamesEachSourceInsideTheService()
    {
        ServiceFixture service;
        service.AddFile({.type = "SHOW", .name = "show.json", .bytes = "{}"});
        auto client = ClientOf(service);
        const auto plan = client.GetDownloadPlan(*client.GetAllShowFiles().data);
        QVERIFY(plan);
        QCOMPARE(plan->entries.size(), std::size_t(1));
        QCOMPARE(QUrl(QString::fromStdString(plan->entries[0].sourceUrl)).toLocalFile().toStdString(),
                 (service.showFolder() / "files" / "show.json").string());
        QVERIFY(ClientOf(service).GetDownloadPlan({}));
    }

    void theDownloaderStoresAVerifiedLog()
    {
        ServiceFixture service;
        service.UseAsDefault();
        service.SetFaults(QJsonObject{{"journal", true}});
        service.AddLog({.majorVersion = 2, .minorVersion = 0, .fileName = "Show-2.0.logdata", .bytes = kLog});
        const auto link = ClientOf(service).GetChangelogLinkByVersion(2, 0).data.value();
        const auto show = FreshFolder("show");
        const auto target = show / "Show-2.0.logdata";
        VEMODownloader downloader;
        QVERIFY(downloader.Download(link.link, target, link.text, {1, 2}, "KQTZ5", {3}, {4, 5, 6}));
        QCOMPARE(ServiceFixture::ReadBytes(target), kLog);
        QVERIFY(!std::filesystem::exists(show / "Show-2.0.logdata.part"));
        QCOMPARE(service.JournalLines().back(), std::string("Download Show-2.0.logdata code=KQTZ5 key=2 access=1,3 -> true"));
    }

    void theDownloaderLeavesTheTargetAloneOnEveryFailure_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("checksum mismatch") << "mismatch";
        QTest::newRow("missing source") << "missing";
        QTest::newRow("link outside the service") << "outside";
        QTest::newRow("outward link in the service") << "outward";
        QTest::newRow("source is a folder") << "folder";
        QTest::newRow("source is a FIFO") << "fifo";
        QTest::newRow("unsafe target name") << "target";
        QTest::newRow("scripted failure") << "scripted";
    }
    void theDownloaderLeavesTheTargetAloneOnEveryFailure()
    {
        QFETCH(QString, failure);
        ServiceFixture service;
        service.UseAsDefault();
        service.AddLog({.majorVersion = 2, .minorVersion = 0, .fileName = "Show-2.0.logdata", .bytes = kLog});
        auto link = ClientOf(service).GetChangelogLinkByVersion(2, 0).data.value();
        const auto logs = service.showFolder() / "logs";
        const auto outside = FreshFolder("outside") / "Other-2.0.logdata";
        ServiceFixture::WriteBytes(outside, kLog);
        if (failure == "mismatch")
            link.text = std::string(64, 'a');
        else if (failure == "missing")
            std::filesystem::remove(logs / "Show-2.0.logdata");
        else if (failure == "outside")
            link.link = QUrl::fromLocalFile(QString::fromStdString(outside.string())).toString().toStdString();
        else if (failure == "outward") {
            std::filesystem::remove(logs / "Show-2.0.logdata");
            std::filesystem::create_symlink(outside, logs / "Show-2.0.logdata");
        } else if (failure == "folder") {
            std::filesystem::remove(logs / "Show-2.0.logdata");
            std::filesystem::create_directory(logs / "Show-2.0.logdata");
        } else if (failure == "fifo") {
            std::filesystem::remove(logs / "Show-2.0.logdata");
            QCOMPARE(::mkfifo((logs / "Show-2.0.logdata").c_str(), 0600), 0);
        } else if (failure == "scripted")
            service.SetFaults(QJsonObject{{"Download", QJsonObject{{"fail", true}}}});
        const auto show = FreshFolder("show");
        const auto target = show / (failure == "target" ? ".Show-2.0.logdata" : "Show-2.0.logdata");
        ServiceFixture::WriteBytes(target, "old bytes");
        CapturedStream errors(std::cerr);
        QVERIFY(!VEMODownloader().Download(link.link, target, link.text, {}, "KQTZ5", {}, {}));
        QCOMPARE(ServiceFixture::ReadBytes(target), std::string("old bytes"));
        QVERIFY(!std::filesystem::exists(target.string() + ".part"));
    }

    void aLeftoverOrPlantedPartFileIsReplacedNotFollowed()
    {
        ServiceFixture service;
        service.UseAsDefault();
        service.AddLog({.majorVersion = 2, .minorVersion = 0, .fileName = "Show-2.0.logdata", .bytes = kLog});
        const auto link = ClientOf(service).GetChangelogLinkByVersion(2, 0).data.value();
        const auto show = FreshFolder("show");
        const auto canary = FreshFolder("canary") / "canary.txt";
        ServiceFixture::WriteBytes(canary, "canary");
        std::filesystem::create_symlink(canary, show / "Show-2.0.logdata.part");
        QVERIFY(VEMODownloader().Download(link.link, show / "Show-2.0.logdata", link.text, {}, "KQTZ5", {}, {}));
        QCOMPARE(ServiceFixture::ReadBytes(canary), std::string("canary"));
        ServiceFixture::WriteBytes(show / "Show-2.0.logdata.part", "leftover");
        QVERIFY(VEMODownloader().Download(link.link, show / "Show-2.0.logdata", link.text, {}, "KQTZ5", {}, {}));
        QCOMPARE(ServiceFixture::ReadBytes(show / "Show-2.0.logdata"), kLog);
        QVERIFY(!std::filesystem::exists(show / "Show-2.0.logdata.part"));
    }

    void anUploadSharesTheFileAsTheLatestLog()
    {
        ServiceFixture service;
        service.UseAsDefault();
        service.AddFile({.type = "LOG", .name = "Show-1.0.logdata", .bytes = kLog, .majorVersion = 1, .minorVersion = 0});
        service.AddFile({.type = "SHOW", .name = "show.json", .bytes = "{}"});
        const auto show = FreshFolder("show");
        ServiceFixture::WriteBytes(show / "Show-2.0.logdata", kLog);
        const vemo::core::DataVector authorization{1, 2, 3};
        QVERIFY(!UploadChangelog({}, "Show-2.0.logdata", 2, 0, service.credential(), show, 1));
        QVERIFY(!UploadChangelog(authorization, "../Show-2.0.logdata", 2, 0, service.credential(), show, 1));
        QVERIFY(!UploadChangelog(authorization, "Show-2.0.logdata", 2, 0, "unknown", show, 1));
        QVERIFY(!UploadChangelog(authorization, "Show-9.0.logdata", 9, 0, service.credential(), show, 1));
        QVERIFY(UploadChangelog(authorization, "Show-2.0.logdata", 2, 0, service.credential(), show, 1));
        auto client = ClientOf(service);
        QCOMPARE(int(client.GetLatestLog().data->majorVersion), 2);
        QCOMPARE(client.GetChangelogLinkByVersion(2, 0).data->text, ServiceFixture::Sha256(kLog));
        const auto files = client.GetAllShowFiles().data.value();
        QCOMPARE(files.size(), std::size_t(2));
        QCOMPARE(files.at(1).fileName, std::string("Show-2.0.logdata"));
        QCOMPARE(ServiceFixture::ReadBytes(service.showFolder() / "files" / "Show-2.0.logdata"), kLog);
        QVERIFY(ServiceFixture::ReadBytes(service.showFolder() / "uploads.jsonl").find("\"authorizationBytes\":3")
                != std::string::npos);
    }
};

QTEST_GUILESS_MAIN(TestNetworkingHttp)
#include "test_networking_http.moc"
