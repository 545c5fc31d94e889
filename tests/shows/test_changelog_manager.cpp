#include "shows/changelog_manager_controller.h"

#include <vemo_demo_show/install.h>
#include <vemo_networking_http/file_names.h>
#include <vemo_test/qml_engine.h>
#include <vemo_test/service_fixture.h>
#include <vemo_test/stream_capture.h>
#include <vemo_test/test_environment.h>

#include <QAbstractItemModelTester>
#include <QFile>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

using vemo::qt::ChangelogManagerController;
using vemo::testing::CapturedStream;
using vemo::testing::ServiceFixture;
using vemo::testing::ServiceLog;

namespace {

std::string LogText(int majorVersion, int minorVersion)
{
    return R"({"format": "2.0", "show": "fixture", "version": {"major": )" + std::to_string(majorVersion)
           + R"(, "minor": )" + std::to_string(minorVersion) + R"(}, "songs": {}})";
}

std::filesystem::path FreshDataDirectory()
{
    static int counter = 0;
    return vemo::testing::TestRoot() / ("data" + std::to_string(counter++));
}

// A data folder whose current show "fixture" holds logs 1.0 and 1.1, and a service for it.
struct Fixture {
    std::filesystem::path data = FreshDataDirectory();
    std::shared_ptr<ShowRecordStore> store;
    ServiceFixture service;

    Fixture()
    {
        const auto folder = data / "shows" / "fixture";
        std::filesystem::create_directories(folder);
        ShowRecordStore writer(data);
        ShowRecord record;
        record.id = "fixture";
        record.directory = "shows/fixture";
        record.credential = service.credential();
        writer.Put(record);
        writer.SetCurrent("fixture");
        writer.Save();
        ServiceFixture::WriteBytes(folder / "show.record", R"({"id": "fixture", "keyMaterial1": ")" + std::string(64, '0')
                                                               + R"(", "keyMaterial2": ")" + std::string(32, '1') + "\"}");
        ServiceFixture::WriteBytes(folder / "Fixture-1.0.logdata", LogText(1, 0));
        ServiceFixture::WriteBytes(folder / "Fixture-1.1.logdata", LogText(1, 1));
        store = std::make_shared<ShowRecordStore>(data);
        service.UseAsDefault();
    }

    std::filesystem::path folder() const { return data / "shows" / "fixture"; }

    void Share(int majorVersion, int minorVersion, int32_t modified = 0)
    {
        const std::string name = "Fixture-" + std::to_string(majorVersion) + "." + std::to_string(minorVersion) + ".logdata";
        service.AddLog({.majorVersion = majorVersion, .minorVersion = minorVersion, .fileName = name,
                        .bytes = LogText(majorVersion, minorVersion), .modified = modified});
    }

    // Every file of the data and service folders with its bytes.
    std::map<std::string, std::string> Snapshot() const
    {
        std::map<std::string, std::string> files;
        for (const auto& root : {data, service.folder()}) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
                if (entry.is_regular_file() && entry.path().filename() != "_journal.log")
                    files[entry.path().string()] = ServiceFixture::ReadBytes(entry.path());
            }
        }
        return files;
    }
};

QStringList Versions(vemo::qt::ChangelogListModel& model)
{
    QStringList versions;
    for (int row = 0; row < model.rowCount(); ++row)
        versions << model.versionText(row);
    return versions;
}

// The delegates of one list of the window, in row order.
std::vector<QQuickItem*> Rows(QObject* window, const QString& list)
{
    auto* view = qobject_cast<QQuickItem*>(vemo::testing::Child(vemo::testing::Child(window, list), "listView"));
    std::vector<QQuickItem*> rows;
    for (QQuickItem* item : view->property("contentItem").value<QQuickItem*>()->childItems()) {
        if (item->property("version").isValid())
            rows.push_back(item);
    }
    std::sort(rows.begin(), rows.end(), [](QQuickItem* a, QQuickItem* b) {
        return a->property("index").toInt() < b->property("index").toInt();
    });
    return rows;
}

} // namespace

class TestChangelogManager : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QQmlEngine> engine_ = vemo::testing::MakeQmlEngine();

private slots:
    void cleanup() { vemo::testing::DeliverDeferredDeletes(); }

    void theDemoListsItsLocalAndSharedVersionsAndFetches2_0()
    {
        const auto data = FreshDataDirectory();
        const auto service = vemo::testing::TestRoot() / "demo_service";
        qputenv("VEMO_WEB_BASE", QByteArray::fromStdString("file://" + service.string()));
        qunsetenv("VEMO_NO_DEMO");
        QVERIFY(vemo::demo::InstallIfNoCurrentShow(data));
        qputenv("VEMO_NO_DEMO", "1");
        auto store = std::make_shared<ShowRecordStore>(data);
        ChangelogManagerController manager(engine_.get(), store, nullptr);
        manager.Show();
        QCOMPARE(Versions(manager.localModel()), (QStringList{"1.0", "1.1"}));
        QCOMPARE(Versions(manager.serverModel()), (QStringList{"1.0", "2.0"}));
        CapturedStream output(std::cout);
        QCOMPARE(manager.DownloadLogByVersion("2.0"), std::string("TheLanternKeeper-2.0.logdata"));
        QFile resource(":/vemo_demo/TheLanternKeeper-2.0.logdata");
        QVERIFY(resource.open(QIODevice::ReadOnly));
        QCOMPARE(ServiceFixture::ReadBytes(store->CurrentShowFolder() / "TheLanternKeeper-2.0.logdata"),
                 resource.readAll().toStdString());
        manager.RefreshLocalAndNotify();
        QCOMPARE(Versions(manager.localModel()), (QStringList{"1.0", "1.1", "2.0"}));
    }

    void theServerListIsSortedAndUnique()
    {
        Fixture fixture;
        fixture.Share(3, 0);
        fixture.Share(1, 0);
        fixture.Share(2, 0);
        fixture.service.AddLog({.majorVersion = 2, .minorVersion = 0, .fileName = "Again-2.0.logdata", .bytes = LogText(2, 0)});
        ChangelogManagerController manager(engine_.get(), fixture.store, nullptr);
        manager.RefreshServer();
        QCOMPARE(Versions(manager.serverModel()), (QStringList{"1.0", "2.0", "3.0"}));
    }

    void failedListingsLeaveTheServerListEmpty_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        QTest::newRow("unauthorized") << 401 << "Networking Issue: API_UNAUTHORIZED\n";
        QTest::newRow("bad request") << 400 << "Networking Issue: API_BAD_REQUEST\n";
        QTest::newRow("server error") << 500 << "Networking Issue: ";
    }
    void failedListingsLeaveTheServerListEmpty()
    {
        QFETCH(int, status);
        QFETCH(QString, output);
        Fixture fixture;
        fixture.Share(2, 0);
        fixture.service.SetFaults(QJsonObject{{"GetAvailableLogs", QJsonObject{{"status", status}}}});
        ChangelogManagerController manager(engine_.get(), fixture.store, nullptr);
        CapturedStream captured(std::cout);
        manager.Show();
        QCOMPARE(QString::fromStdString(captured.text()), output);
        QCOMPARE(manager.serverModel().rowCount(), 0);
        QCOMPARE(Versions(manager.localModel()), (QStringList{"1.0", "1.1"}));
    }

    void aFailingLocalListStillAsksTheServer()
    {
        Fixture fixture;
        fixture.Share(2, 0);
        ChangelogManagerController manager(engine_.get(), fixture.store, nullptr);
        std::filesystem::remove_all(fixture.folder());
        CapturedStream errors(std::cerr);
        manager.Show();
        QVERIFY(errors.text().rfind("Event log manager: ", 0) == 0);
        QCOMPARE(Versions(manager.serverModel()), QStringList{"2.0"});
        QVERIFY(manager.QmlObject()->property("visible").toBool());
    }

    void aFolderWithOnlyACorruptLogKeepsTheModelContract()
    {
        Fixture fixture;
        std::filesystem::remove(fixture.folder() / "Fixture-1.0.logdata");
        ServiceFixture::WriteBytes(fixture.folder() / "Fixture-1.1.logdata", "{ corrupt");
        ChangelogManagerController manager(engine_.get(), fixture.store, nullptr);
        QAbstractItemModelTester tester(&manager.localModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changed(&manager.localModel(), &QAbstractItemModel::dataChanged);
        CapturedStream errors(std::cerr);
        manager.RefreshLocalAndNotify();
        QCOMPARE(manager.localModel().rowCount(), 0);
        QCOMPARE(changed.count(), 0);
    }

    void choosingARowReportsIt()
    {
        Fixture fixture;
        ChangelogManagerController manager(engine_.get(), fixture.store, nullptr);
        QSignalSpy local(&manager, &ChangelogManagerController::ChangelogLocalSelected);
        QSignalSpy server(&manager, &ChangelogManagerController::ChangelogServerSelected);
        CapturedStream output(std::cout);
        manager.LoadSelectedLocal_(2);
        manager.LoadSelectedServer_(1);
        QCOMPARE(output.text(), std::string("LoadSelectedLocal_(), index = 2\nLoadSelectedServer_(), index = 1\n"));
        QCOMPARE(local.takeFirst().at(0).toInt(), 2);
        QCOMPARE(server.takeFirst().at(0).toInt(), 1);
    }

    void aVersionWithoutALinkStoresNothing()
    {
        Fixture fixture;
        fixture.Share(2, 0);
        ChangelogManagerController manager(engine_.get(), fixture.store, nullptr);
        const auto before = fixture.Snapshot();
        CapturedStream output(std::cout);
        QCOMPARE(manager.DownloadLogByVersion("4.0"), std::string());
        QCOMPARE(output.text(), std::string("Link was not successfully received.\n"));
        QCOMPARE(fixture.Snapshot(), before);
    }

    void failedDownloadsReturnNothingAndKeepTheOldFile_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("checksum mismatch") << "mismatch";
        QTest::newRow("missing source") << "missing";
        QTest::newRow("scripted failure") << "scripted";
        QTest::newRow("no access data") << "access";
    }
    void failedDownloadsReturnNothingAndKeepTheOldFile()
    {
        QFETCH(QString, failure);
        Fixture fixture;
        const std::string name = "Fixture-2.0.logdata";
        fixture.service.AddLog({.majorVersion = 2, .minorVersion = 0, .fileName = name, .bytes = LogText(2, 0),
                                .text = failure == "mismatch" ? std::string(64, 'f') : std::optional<std::string>()});
        ServiceFixture::WriteBytes(fixture.folder() / name, "old 2.0");
        if (failure == "missing")
            std::filesystem::remove(fixture.service.showFolder() / "logs" / name);
        else if (failure == "scripted")
            fixture.service.SetFaults(QJsonObject{{"Download", QJsonObject{{"fail", true}}}});
        ChangelogManagerController manager(engine_.get(), fixture.store, nullptr);
        if (failure == "access")
            std::filesystem::remove(fixture.folder() / "show.record");
        CapturedStream output(std::cout);
        CapturedStream errors(std::cerr);
        QCOMPARE(manager.DownloadLogByVersion("2.0"), std::string());
        QCOMPARE(ServiceFixture::ReadBytes(fixture.folder() / name), std::string("old 2.0"));
        QVERIFY(!std::filesystem::exists(fixture.folder() / (name + ".part")));
        if (failure == "access")
            QVERIFY(errors.text().rfind("Event log manager: Cannot read show access data: ", 0) == 0);
    }

    void hostileServiceNamesAreRejected_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("absolute") << QByteArray("/tmp/canary-2.0.logdata");
        QTest::newRow("climbs") << QByteArray("../canary/x-2.0.logdata");
        QTest::newRow("climbs to data") << QByteArray("../../x-2.0.logdata");
        QTest::newRow("other version") << QByteArray("Fixture-1.0.logdata");
        QTest::newRow("not a log") << QByteArray("Fixture-2.0.txt");
        QTest::newRow("newline") << QByteArray("a\nb-2.0.logdata");
        QTest::newRow("hidden") << QByteArray(".x-2.0.logdata");
    }
    void hostileServiceNamesAreRejected()
    {
        QFETCH(QByteArray, name);
        Fixture fixture;
        fixture.service.SetFaults(QJsonObject{{"uncheckedNames", true}, {"journal", true}});
        fixture.service.AddLog({.majorVersion = 2, .minorVersion = 0, .fileName = name.toStdString(),
                                .bytes = LogText(2, 0), .stored = false});
        ServiceFixture::WriteBytes(fixture.service.showFolder() / "logs" / "x-2.0.logdata", LogText(2, 0));
        ChangelogManagerController manager(engine_.get(), fixture.store, nullptr);
        const auto before = fixture.Snapshot();
        CapturedStream output(std::cout);
        CapturedStream errors(std::cerr);
        QCOMPARE(manager.DownloadLogByVersion("2.0"), std::string());
        QCOMPARE(errors.text(), "Rejected unsafe file name from the web service: "
                                    + vemo::networking::EscapeFileName(name.toStdString()) + "\n");
        QCOMPARE(fixture.Snapshot(), before);
        for (const std::string& line : fixture.service.JournalLines())
            QVERIFY2(line.rfind("Download ", 0) != 0, line.c_str());
    }

    void destroyingTheManagerClosesTheWindowQuietly()
    {
        Fixture fixture;
        auto manager = std::make_unique<ChangelogManagerController>(engine_.get(), fixture.store, nullptr);
        manager->Show();
        auto* window = qobject_cast<QQuickWindow*>(manager->QmlObject());
        QVERIFY(vemo::testing::Settle(window));
        QPointer<QQuickWindow> guard(window);
        QSignalSpy closing(manager.get(), &ChangelogManagerController::Closing);
        manager.reset();
        QVERIFY(!guard || !guard->isVisible());
        QCOMPARE(closing.count(), 0);
    }

    void closingTheWindowReportsClosing()
    {
        Fixture fixture;
        ChangelogManagerController manager(engine_.get(), fixture.store, nullptr);
        manager.Show();
        auto* window = qobject_cast<QQuickWindow*>(manager.QmlObject());
        QVERIFY(vemo::testing::Settle(window));
        QSignalSpy closing(&manager, &ChangelogManagerController::Closing);
        window->close();
        QCOMPARE(closing.count(), 1);
    }

    void theWindowShowsTheSortedServerListAndSendsTheChosenRow()
    {
        Fixture fixture;
        fixture.Share(3, 0, 300);
        fixture.Share(1, 0, 100);
        fixture.Share(2, 0, 200);
        ChangelogManagerController manager(engine_.get(), fixture.store, nullptr);
        manager.Show();
        auto* window = qobject_cast<QQuickWindow*>(manager.QmlObject());
        QVERIFY(vemo::testing::Settle(window));
        const auto rows = Rows(window, "serverList");
        QCOMPARE(rows.size(), std::size_t(3));
        for (std::size_t row = 0; row < rows.size(); ++row)
            QCOMPARE(rows[row]->property("version").toString(), manager.serverModel().versionText(int(row)));
        QCOMPARE(rows[0]->property("modified").toString(), QString("Jan 01 1970 12:01 AM"));
        QSignalSpy server(&manager, &ChangelogManagerController::ChangelogServerSelected);
        const QPointF first = rows[0]->mapToScene(QPointF(rows[0]->width() / 2, rows[0]->height() / 2));
        QTest::mouseClick(window, Qt::LeftButton, {}, first.toPoint());
        auto* button = qobject_cast<QQuickItem*>(vemo::testing::Child(window, "loadButton"));
        QTRY_VERIFY(button->isEnabled());
        const QPointF centre = button->mapToScene(QPointF(button->width() / 2, button->height() / 2));
        CapturedStream output(std::cout);
        QTest::mouseClick(window, Qt::LeftButton, {}, centre.toPoint());
        QCOMPARE(server.count(), 1);
        QCOMPARE(server.takeFirst().at(0).toInt(), 0);
    }
};

QTEST_MAIN(TestChangelogManager)
#include "test_changelog_manager.moc"
