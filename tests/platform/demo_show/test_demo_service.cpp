#include <vemo_demo_show/install.h>

#include <vemo_core/editor.h>
#include <vemo_core/show_record.h>
#include <vemo_networking_http/network_api.h>
#include <vemo_networking_http/show_download.h>
#include <vemo_player_core/audio_interface.h>
#include <vemo_test/test_environment.h>

#include <QtTest>

#include <fstream>

using namespace vemo::networking;

namespace {

// A fresh data folder with the demo installed, its web service in a fresh folder.
struct InstalledDemo {
    std::filesystem::path data;
    std::filesystem::path service;

    InstalledDemo()
    {
        static int counter = 0;
        data = vemo::testing::TestRoot() / ("data" + std::to_string(counter));
        service = vemo::testing::TestRoot() / ("service" + std::to_string(counter++));
        qputenv("VEMO_WEB_BASE", QByteArray::fromStdString("file://" + service.string()));
        qunsetenv("VEMO_NO_DEMO");
        installed = vemo::demo::InstallIfNoCurrentShow(data);
        qputenv("VEMO_NO_DEMO", "1");
    }

    std::filesystem::path ShowFolder() const { return ShowRecordStore(data).CurrentShowFolder(); }

    std::unique_ptr<DownloadPlan> Plan() const
    {
        NetworkApiInterface client(DefaultApiBaseAddress());
        client.SetCredentials("demo-lantern-keeper", 1);
        const auto files = client.GetAllShowFiles();
        if (files.status != API_SUCCESS)
            return nullptr;
        return client.ValidateDownloadPlan(client.GetDownloadPlan(*files.data), ShowFolder());
    }

    bool installed = false;
};

std::vector<std::string> Entries(const DownloadPlan& plan)
{
    std::vector<std::string> entries;
    for (const auto& entry : plan.entries)
        entries.push_back(entry.type + " " + entry.fileName);
    return entries;
}

} // namespace

class TestDemoService : public QObject {
    Q_OBJECT

private slots:
    void theServiceListsTheShowDataOnly()
    {
        InstalledDemo demo;
        QVERIFY(demo.installed);
        NetworkApiInterface client(DefaultApiBaseAddress());
        client.SetCredentials("demo-lantern-keeper", 1);
        const auto files = client.GetAllShowFiles();
        QCOMPARE(files.status, API_SUCCESS);
        std::vector<std::string> listed;
        for (const ShowFileInfo& file : *files.data)
            listed.push_back(file.type + " " + file.fileName);
        const std::vector<std::string> expected = {"SHOW show.json", "RECORD show.record", "ART AlbumArtwork.jpg",
                                                   "SCORE TheLanternKeeper.score", "LOG TheLanternKeeper-2.0.logdata"};
        QCOMPARE(listed, expected);
        const auto logs = client.GetAvailableLogs();
        QCOMPARE(logs.data->size(), std::size_t(2));
        QCOMPARE(int(client.GetLatestLog().data->majorVersion), 2);
    }

    void aFreshInstallFetchesLog2_0AndThenNothing()
    {
        InstalledDemo demo;
        auto plan = demo.Plan();
        QVERIFY(plan);
        QCOMPARE(Entries(*plan), std::vector<std::string>{"LOG TheLanternKeeper-2.0.logdata"});
        const ShowRecord record =
            vemo_download::PerformShowDownload("demo-lantern-keeper", nullptr, nullptr, "", 1, plan.get());
        QCOMPARE(record.id, std::string("the-lantern-keeper"));
        QCOMPARE(record.keyMaterial1.size(), std::size_t(32));
        QVERIFY(demo.Plan()->empty());

        vemo::AudioInterface::Options options;
        options.clock = vemo::AudioInterface::Options::Clock::Manual;
        vemo::AudioInterface engine(demo.ShowFolder().string(), demo.data.string(), true, nullptr, options);
        engine.ThrowIfThreadExceptions();
        QCOMPARE(engine.GetChangeLogEditor()->GetVersion().GetAsString(), std::string("2.0"));
        QCOMPARE(std::filesystem::path(engine.GetChangelogFilename()).filename().string(),
                 std::string("TheLanternKeeper-2.0.logdata"));
    }

    void anExistingServiceIsKept()
    {
        const auto service = vemo::testing::TestRoot() / "kept_service";
        std::filesystem::create_directories(service);
        std::ofstream(service / "credentials.json") << R"({"tokens": {}})";
        qputenv("VEMO_WEB_BASE", QByteArray::fromStdString("file://" + service.string()));
        qunsetenv("VEMO_NO_DEMO");
        QVERIFY(vemo::demo::InstallIfNoCurrentShow(vemo::testing::TestRoot() / "kept_data"));
        qputenv("VEMO_NO_DEMO", "1");
        QVERIFY(!std::filesystem::exists(service / "shows"));
    }
};

QTEST_GUILESS_MAIN(TestDemoService)
#include "test_demo_service.moc"
