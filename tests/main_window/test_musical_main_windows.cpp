// The main window's manager windows and relays: what the audio and OSC settings windows report,
// output-path changes, attacca changes and the drag of an event kept inside its song.
#include "main_window_rig.h"

#include "app/app_settings.h"
#include "main_window/drag_clamp.h"

#include <osc/osc_settings.h>
#include <vemo_core/events.h>
#include <osc_test_support.h>
#include <vemo_test/qml_engine.h>

#include <QtTest>

#include <climits>
#include <filesystem>
#include <memory>
#include <stdexcept>

using vemo::qt::ClampDrag;
using vemo::testing::MainWindowRig;

namespace {

std::exception_ptr Failure(const char* text)
{
    return std::make_exception_ptr(std::runtime_error(text));
}

QObject* RootChildOfType(const MainWindowRig& rig, const char* typePrefix)
{
    for (QObject* child : rig.Root()->children()) {
        if (QString(child->metaObject()->className()).startsWith(typePrefix))
            return child;
    }
    return nullptr;
}

} // namespace

class TestMusicalMainWindows : public QObject {
    Q_OBJECT

private slots:
    // A song from tick 1000 to 9000; a moved event 4 bars (1920 ticks) long.
    void dragsStayInsideTheSong_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<bool>("adjustLeft");
        QTest::addColumn<bool>("adjustRight");
        QTest::addColumn<uint>("newStart");
        QTest::addColumn<uint>("newEnd");
        QTest::newRow("inside") << 2000 << 3920 << false << false << 2000u << 3920u;
        QTest::newRow("moved before the start") << 500 << 2420 << false << false << 1000u << 2920u;
        QTest::newRow("moved past the end") << 8000 << 9920 << false << false << 7080u << 9000u;
        QTest::newRow("left edge before the start") << 200 << 3000 << true << false << 1000u << 3000u;
        QTest::newRow("left edge with the end past the song") << 8000 << 9500 << true << false << 7500u << 9000u;
        QTest::newRow("right edge past the end") << 2000 << 9500 << false << true << 2000u << 9000u;
        QTest::newRow("right edge with the start before the song") << 500 << 1200 << false << true << 1000u << 1700u;
        QTest::newRow("lowest ints") << INT_MIN << INT_MIN << false << false << 1000u << 1000u;
        QTest::newRow("highest ints") << INT_MAX << INT_MAX << false << false << 9000u << 9000u;
        QTest::newRow("widest span") << INT_MIN << INT_MAX << false << false << 0u << 9000u;
        QTest::newRow("reversed widest span") << INT_MAX << INT_MIN << true << true << 9000u << 0u;
    }
    void dragsStayInsideTheSong()
    {
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(bool, adjustLeft);
        QFETCH(bool, adjustRight);
        QFETCH(uint, newStart);
        QFETCH(uint, newEnd);
        const vemo::qt::DragTicks ticks = ClampDrag(start, end, adjustLeft, adjustRight, 1000, 9000);
        QCOMPARE(ticks.start, newStart);
        QCOMPARE(ticks.end, newEnd);
    }

    // A drag that would start before the song starts the event at the song's start, as long as it
    // was; the edit goes to the change log with those ticks.
    void aDragReachesTheEditorInsideTheSong()
    {
        MainWindowRig rig;
        rig.Create();
        const CL::Cut cut(0, 1920, "CUT1");
        rig.controller->onVemoEditDragged(&cut, -5000, -3080, false, false);
        QVERIFY(rig.JournalHas("EditEventStartEndValues(CUT1,0,1920,"));
        rig.controller->onVemoEditDragged(nullptr, 0, 1920, false, false);
    }

    // New OSC settings take effect (the server restarts on the new port) even when saving them or
    // handing the destinations to the change log fails.
    void newOscSettingsApplyDespiteFailures_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QStringList>("dialogs");
        QTest::newRow("none") << QString() << QStringList();
        QTest::newRow("destinations") << "UpdateNetworks" << QStringList{"OSC Settings Failed to Save"};
        QTest::newRow("settings file") << "file" << QStringList{"OSC Settings Failed to Save"};
    }
    void newOscSettingsApplyDespiteFailures()
    {
        QFETCH(QString, failing);
        QFETCH(QStringList, dialogs);
        MainWindowRig rig;
        rig.Create();
        const int port = vemo::osc::testing::FreeUdpPort();
        const auto settingsFile = vemo::testing::DataDirectory() / "osc_settings.vemo";
        if (failing == "file") {
            std::filesystem::remove(settingsFile);
            std::filesystem::create_directory(settingsFile);
        } else if (!failing.isEmpty()) {
            rig.Engine().FailNext(failing.toStdString(), Failure("refused"));
        }
        CL::NetworkPathVectorT networks;
        rig.controller->onOscSettingsUpdated_(vemo::osc::OscSettings(true, port), networks);
        QCOMPARE(rig.DialogTitles(), dialogs);
        QVERIFY(rig.JournalHas("SetOscControlDefaultPort(" + std::to_string(port) + ")"));
        QVERIFY(rig.JournalHas("UpdateNetworks"));
        if (failing == "file")
            std::filesystem::remove(settingsFile);
    }

    // The audio window's choice reaches the engine and the general settings; a failing step stops
    // the steps after it and says why.
    void audioSettingsReachTheEngine_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<double>("volume");
        QTest::addColumn<bool>("volumeSet");
        QTest::addColumn<bool>("stored");
        QTest::newRow("none") << QString() << 0.5 << true << true;
        QTest::newRow("stop") << "Stop" << 0.25 << false << false;
        QTest::newRow("device") << "SetOutputDeviceUid" << 0.125 << false << false;
        QTest::newRow("volume") << "SetVolume" << 0.0625 << true << false;
    }
    void audioSettingsReachTheEngine()
    {
        QFETCH(QString, failing);
        QFETCH(double, volume);
        QFETCH(bool, volumeSet);
        QFETCH(bool, stored);
        auto rig = std::make_unique<MainWindowRig>();
        rig->Create();
        rig->controller->ShowAudioManager_();
        rig->Unshow();
        QObject* window = RootChildOfType(*rig, "AudioManager");
        QVERIFY(window != nullptr);
        window->setProperty("outputVolumeLinear", volume);
        if (!failing.isEmpty())
            rig->Engine().FailNext(failing.toStdString(), Failure("refused"));
        QMetaObject::invokeMethod(window, "okay");
        QCOMPARE(rig->DialogTitles(),
                 failing.isEmpty() ? QStringList() : QStringList{"Error Updating Audio Settings"});
        QCOMPARE(rig->JournalHas("SetVolume(" + QByteArray::number(volume).toStdString() + ",1)"), volumeSet);
        rig.reset();

        vemo::AppSettings settings(std::make_unique<QSettings>(
            QString::fromStdString((vemo::testing::DataDirectory() / "general_settings.vemo").string()),
            QSettings::IniFormat));
        settings.Load();
        QCOMPARE(settings.DefaultVolume() == volume, stored);
    }

    // A window that cannot be made is reported and not kept.
    void aWindowThatFailsToOpenIsReleased()
    {
        MainWindowRig rig;
        rig.Create();
        rig.Engine().FailNext("GetOutputDeviceUid", Failure("No device"));
        rig.controller->ShowAudioManager_();
        QCOMPARE(rig.DialogTitles(), QStringList{"Error"});
        vemo::testing::DeliverDeferredDeletes();
        QCOMPARE(RootChildOfType(rig, "AudioManager"), nullptr);
    }

    // The OSC window's OK stores its settings and restarts the server on its port.
    void theOscWindowAppliesItsSettings()
    {
        MainWindowRig rig;
        rig.Create();
        rig.controller->ShowOscManager_();
        rig.Unshow();
        QObject* window = RootChildOfType(rig, "OscManager");
        QVERIFY(window != nullptr);
        const int port = vemo::osc::testing::FreeUdpPort();
        window->setProperty("oscListenPortString", QString::number(port));
        QMetaObject::invokeMethod(window, "okay");
        QCOMPARE(rig.DialogTitles(), QStringList());
        QVERIFY(rig.JournalHas("SetOscControlDefaultPort(" + std::to_string(port) + ")"));
        vemo::osc::OscSettings stored;
        stored.Load((vemo::testing::DataDirectory() / "osc_settings.vemo").string());
        QCOMPARE(stored.oscListenPort, port);
    }

    // An added or removed output path is an unsaved change of the event log.
    void outputPathChangesAreUnsaved()
    {
        MainWindowRig rig;
        rig.Create();
        QVERIFY(!rig.controller->hasUnsavedEdits());
        QCOMPARE(RootChildOfType(rig, "OutputPathsWindow"), nullptr);
        rig.controller->ShowOutputPaths_();
        rig.Unshow();
        QObject* window = RootChildOfType(rig, "OutputPathsWindow");
        QVERIFY(window != nullptr);
        QMetaObject::invokeMethod(window, "createPathRequest", Q_ARG(QString, "Effects 2"), Q_ARG(QString, ""));
        QCOMPARE(rig.DialogTitles(), QStringList());
        QVERIFY(rig.JournalHas("onAddOutputhPath"));
        QVERIFY(rig.controller->hasUnsavedEdits());
        QObject* save = rig.Child("editBar")->property("saveControl").value<QObject*>();
        QVERIFY(save != nullptr);
        QVERIFY(save->property("enabled").toBool());
    }

    // An attacca state the engine refuses shows its error and changes nothing; a good one is an
    // unsaved change.
    void attaccaChanges_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<QStringList>("dialogs");
        QTest::newRow("accepted") << 1 << true << QStringList();
        QTest::newRow("above 2") << 3 << false << QStringList{"Error"};
    }
    void attaccaChanges()
    {
        QFETCH(int, state);
        QFETCH(bool, unsaved);
        QFETCH(QStringList, dialogs);
        MainWindowRig rig;
        rig.Create();
        rig.controller->onAttaccaStageChanged("1", static_cast<UInt8>(state));
        QCOMPARE(rig.DialogTitles(), dialogs);
        QCOMPARE(rig.controller->hasUnsavedEdits(), unsaved);
    }
};

QTEST_MAIN(TestMusicalMainWindows)
#include "test_musical_main_windows.moc"
