#include "network_path_fixture.h"
#include "osc_test_support.h"
#include "windows/osc_manager_controller.h"
#include "windows/qlab_patch_writer.h"

#include <vemo_player_core/audio_interface.h>
#include <vemo_test/fixture_show.h>
#include <vemo_test/qml_engine.h>
#include <vemo_test/test_environment.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonArray>
#include <QQuickWindow>
#include <QtTest>

#include <iostream>
#include <memory>

using vemo::AudioInterface;
using vemo::qt::OscManagerController;
using namespace vemo::testing;
using vemo::osc::testing::StreamCapture;

namespace {

struct Confirmed {
    bool emitted = false;
    vemo::osc::OscSettings settings;
    CL::NetworkPathVectorT networks;
};

const auto Path = vemo::osc::testing::MakeNetworkPath;

std::shared_ptr<AudioInterface> Engine(std::vector<Network> networks)
{
    FixtureShow show;
    show.songs = {{.number = "1", .bars = 4, .events = {std::make_shared<CL::Marker>(0, "Top", "MRK1")}},
                  {.number = "2", .bars = 4}};
    show.networks = std::move(networks);
    const std::filesystem::path folder = show.Write();
    AudioInterface::Options options;
    options.clock = AudioInterface::Options::Clock::Manual;
    return std::make_shared<AudioInterface>(folder.string(), (TestRoot() / "data").string(), false, nullptr, options);
}

const std::vector<Network> kNetworks{{.id = "NETWORK0", .name = "Lights", .ip = "10.0.0.5", .port = 9000},
                                     {.id = "NETWORK1", .name = "Sound", .ip = "10.0.0.6", .port = 70000, .transport = 1}};

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestOscManager : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        engine = MakeQmlEngine();
        player = Engine(kNetworks);
        Open(vemo::osc::OscSettings(false, 55037));
    }

    void cleanup()
    {
        controller.reset();
        DeliverDeferredDeletes();
        player.reset();
    }

    void opensWithTheSettingsAndDestinations()
    {
        QCOMPARE(window()->property("oscEnabled").toBool(), false);
        QCOMPARE(window()->property("oscListenPortString").toString(), QString("55037"));
        QCOMPARE(window()->isVisible(), false);
        QCOMPARE(controller->Model().dataStr(1, "second").toString(), QString("10.0.0.6:70000, TCP"));
        QCOMPARE(window()->title(), QString("OSC Manager"));
    }

    // OK hands back the destinations as stored, TCP included, and hides the window.
    void okReturnsTheDestinationsUnchanged()
    {
        controller->SetVisible(true);
        Press("okButton");
        QVERIFY(confirmed.emitted);
        QCOMPARE(confirmed.settings.oscEnabled, false);
        QCOMPARE(confirmed.settings.oscListenPort, 55037);
        const CL::NetworkPathVectorT expected{Path("NETWORK0", "Lights", "10.0.0.5", 9000, 0),
                                              Path("NETWORK1", "Sound", "10.0.0.6", 70000, 1)};
        QVERIFY(confirmed.networks == expected);
        QCOMPARE(window()->isVisible(), false);
    }

    void listenPortText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("port");
        QTest::newRow("not a number") << "abc" << 0;
        QTest::newRow("above 65535 is passed on") << "70000" << 70000;
        QTest::newRow("beyond 32 bits") << "3000000000" << 0;
        QTest::newRow("negative") << "-5" << -5;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("ordinary") << "55100" << 55100;
    }

    void listenPortText()
    {
        QFETCH(QString, text);
        QFETCH(int, port);
        window()->setProperty("oscListenPortString", text);
        window()->setProperty("oscEnabled", true);
        Press("okButton");
        QCOMPARE(confirmed.settings.oscListenPort, port);
        QCOMPARE(confirmed.settings.oscEnabled, true);
    }

    void createDeleteAndCreate()
    {
        player = Engine({});
        Open(vemo::osc::OscSettings());
        controller->onCreateNetwork_("10.1.1.1", 8000, "udp", "A");
        controller->onCreateNetwork_("10.1.1.2", 8001, "udp", "B");
        QCOMPARE(Ids(), (QStringList{"NETWORK0", "NETWORK1"}));
        Child(window(), "networkList")->setProperty("currentIndex", 1);
        Press("deleteButton");
        QCOMPARE(Ids(), QStringList{"NETWORK0"});
        controller->onCreateNetwork_("10.1.1.3", 8002, "udp", "C");
        QCOMPARE(Ids(), (QStringList{"NETWORK0", "NETWORK1"}));
        Press("okButton");
        QCOMPARE(confirmed.networks.size(), std::size_t(2));
        QVERIFY(confirmed.networks[1] == Path("NETWORK1", "C", "10.1.1.3", 8002, 0));
    }

    void okWithAnEmptyList()
    {
        player = Engine({});
        Open(vemo::osc::OscSettings());
        Press("okButton");
        QVERIFY(confirmed.emitted);
        QVERIFY(confirmed.networks.empty());
    }

    void deleteWithoutCurrentRowDeletesNothing()
    {
        Child(window(), "networkList")->setProperty("currentIndex", -1);
        QMetaObject::invokeMethod(window(), "deleteButton");
        QCOMPARE(controller->Model().rowCount(), 2);
    }

    // "New Network" opens the editor with fixed values; its OK creates the destination.
    void newNetworkThroughTheEditor()
    {
        controller->SetVisible(true);
        Press("newButton");
        QObject* editor = Child(window(), "networkEditor");
        QCOMPARE(editor->property("visible").toBool(), true);
        QCOMPARE(editor->property("networkName").toString(), QString("New Network Destination"));
        QCOMPARE(Child(editor, "portField")->property("text").toString(), QString("8000"));
        QMetaObject::invokeMethod(editor, "confirm");
        QCOMPARE(editor->property("visible").toBool(), false);
        QCOMPARE(controller->Model().dataStr(2, "second").toString(), QString("127.0.0.1:8000, UDP"));
        QCOMPARE(controller->Model().dataStr(2, "networkId").toString(), QString("NETWORK2"));
    }

    // Editing the TCP row keeps its transport.
    void editKeepsTheRowsMode()
    {
        controller->SetVisible(true);
        Child(window(), "networkList")->setProperty("currentIndex", 1);
        Press("editButton");
        QObject* editor = Child(window(), "networkEditor");
        QCOMPARE(editor->property("isEdit").toBool(), true);
        QCOMPARE(editor->property("ipAddress").toString(), QString("10.0.0.6"));
        QCOMPARE(editor->property("mode").toString(), QString("tcp"));
        editor->setProperty("networkName", "Sound desk");
        QMetaObject::invokeMethod(editor, "confirm");
        QCOMPARE(controller->Model().dataStr(1, "first").toString(), QString("Sound desk"));
        Press("okButton");
        QVERIFY(confirmed.networks.at(1) == Path("NETWORK1", "Sound desk", "10.0.0.6", 70000, 1));
    }

    void editOutsideTheListDoesNothing()
    {
        QSignalSpy changed(&controller->Model(), &QAbstractItemModel::dataChanged);
        controller->onEditNetwork_(2, "1.1.1.1", 1, "udp", "x", "X");
        controller->onEditNetwork_(-1, "1.1.1.1", 1, "udp", "x", "X");
        QCOMPARE(changed.count(), 0);
        QCOMPARE(controller->Model().rowCount(), 2);
    }

    // Cancel and Escape only hide; the next opening shows the change log's destinations again.
    void cancelSendsNothing()
    {
        controller->SetVisible(true);
        controller->onCreateNetwork_("10.1.1.1", 8000, "udp", "A");
        Press("cancelButton");
        QCOMPARE(window()->isVisible(), false);
        QVERIFY(!confirmed.emitted);
        Open(vemo::osc::OscSettings());
        QCOMPARE(controller->Model().rowCount(), 2);
    }

    void keysReachTheColumn_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("confirms");
        QTest::newRow("Return") << int(Qt::Key_Return) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    }

    void keysReachTheColumn()
    {
        QFETCH(int, key);
        QFETCH(bool, confirms);
        controller->SetVisible(true);
        QVERIFY(Activate(window()));
        QMetaObject::invokeMethod(Child(window(), "portField"), "forceActiveFocus");
        QTest::keyClick(window(), Qt::Key(key));
        QCOMPARE(confirmed.emitted, confirms);
        QCOMPARE(window()->isVisible(), false);
    }

    // Exporting twice overwrites the patch; its port stays 55036 whatever the listen port.
    void exportWritesThePatch()
    {
        Open(vemo::osc::OscSettings(true, 55100));
        const QString folder = QString::fromStdString((TestRoot() / "export").string());
        QDir().mkpath(folder);
        const QString path = folder + "/qlab_network_patch_definition.qlabnetwork";
        QFile stale(path);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray(20000, 'x'));
        stale.close();
        for (int i = 0; i < 2; ++i) {
            QMetaObject::invokeMethod(window(), "exportQLab", Q_ARG(QString, QUrl::fromLocalFile(folder).toString()));
        }
        const QJsonObject patch = QJsonDocument::fromJson(ReadFile(path)).object();
        QCOMPARE(patch["network"].toArray().at(0).toObject()["defaultPort"].toInt(), 55036);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"qlab_network_patch_definition.qlabnetwork"});
    }

    // A failed export keeps the old patch as it was.
    void failedExportKeepsTheOldPatch_data()
    {
        QTest::addColumn<bool>("belowAFile");
        QTest::newRow("writer fails") << false;
        QTest::newRow("folder below a regular file") << true;
    }

    void failedExportKeepsTheOldPatch()
    {
        QFETCH(bool, belowAFile);
        const QString folder = QString::fromStdString((TestRoot() / "kept").string());
        QDir().mkpath(folder);
        const QString path = folder + "/qlab_network_patch_definition.qlabnetwork";
        controller->exportQLab_(QUrl::fromLocalFile(folder).toString());
        const QByteArray good = ReadFile(path);
        QVERIFY(good.startsWith("{"));
        QString target = folder;
        QString expected;
        if (belowAFile) {
            target = path + "/inner";
            expected = "Error exporting qlab: Cannot write " + target + "/qlab_network_patch_definition.qlabnetwork: ";
        } else {
            player->Probe().FailNext("GetSongNamesBySongNumber", std::make_exception_ptr(std::runtime_error("song list gone")));
            expected = "Error exporting qlab: song list gone\n";
        }
        StreamCapture errors(std::cerr);
        controller->exportQLab_(QUrl::fromLocalFile(target).toString());
        const QString line = QString::fromStdString(errors.text());
        QVERIFY2(line.startsWith(expected) && line.endsWith('\n') && line.count('\n') == 1, qPrintable(line));
        QCOMPARE(ReadFile(path), good);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"qlab_network_patch_definition.qlabnetwork"});
    }

    // A document that does not load: the controller touches nothing and showing it throws.
    void documentThatDoesNotLoad()
    {
        QQmlEngine bare;
        StreamCapture errors(std::cerr);
        OscManagerController broken(&bare, vemo::osc::OscSettings(), player, nullptr);
        QCOMPARE(broken.QmlObject(), nullptr);
        QCOMPARE(broken.Model().rowCount(), 2);
        bool emitted = false;
        connect(&broken, &OscManagerController::oscSettingsUpdated, [&emitted] { emitted = true; });
        broken.onOkayClicked_();
        QVERIFY(!emitted);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, broken.SetVisible(true));
        try {
            broken.SetVisible(true);
        } catch (const std::runtime_error& error) {
            QCOMPARE(std::string(error.what()), std::string("Cannot Set QML Object visible. Qml Object is null."));
        }
    }

private:
    void Open(const vemo::osc::OscSettings& settings)
    {
        controller.reset();
        DeliverDeferredDeletes();
        confirmed = {};
        controller = std::make_unique<OscManagerController>(engine.get(), settings, player, nullptr);
        QVERIFY(controller->QmlObject());
        connect(controller.get(), &OscManagerController::oscSettingsUpdated,
                [this](vemo::osc::OscSettings settings, CL::NetworkPathVectorT& networks) {
                    confirmed = {true, settings, networks};
                });
    }

    QQuickWindow* window() { return qobject_cast<QQuickWindow*>(controller->QmlObject()); }

    // A button of the manager itself (the editor window has buttons of the same names).
    void Press(const QString& button)
    {
        QMetaObject::invokeMethod(Child(Child(window(), "content"), button), "clicked");
    }

    QStringList Ids()
    {
        QStringList ids;
        for (int row = 0; row < controller->Model().rowCount(); ++row) {
            ids << controller->Model().dataStr(row, "networkId").toString();
        }
        return ids;
    }

    std::unique_ptr<QQmlEngine> engine;
    std::shared_ptr<AudioInterface> player;
    std::unique_ptr<OscManagerController> controller;
    Confirmed confirmed;
};

QTEST_MAIN(TestOscManager)
#include "test_osc_manager.moc"
