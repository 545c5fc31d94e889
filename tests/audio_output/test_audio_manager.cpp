#include "audio_output/audio_manager_controller.h"

#include <fonexa/device_control.h>
#include <vemo_core/types.h>
#include <vemo_player_core/audio_interface.h>
#include <vemo_test/fixture_show.h>
#include <vemo_test/qml_engine.h>

#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using vemo::audio::AudioDevice;
using vemo::audio::DeviceControlWin32;
using vemo::qt::AudioManagerController;
using Devices = std::vector<AudioDevice>;

Q_DECLARE_METATYPE(Devices)

namespace {

const Devices kThree{{"Desk", "desk"}, {"Hall", "hall"}, {"Booth", "booth"}};
const double kLowestPosition = 0.04076220398;

void Click(QQuickItem* item)
{
    QVERIFY(item);
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(item->window(), Qt::LeftButton, {}, centre.toPoint());
}

} // namespace

// The "Audio Manager" window over a loaded show's player: what it opens on and what OK hands back.
class TestAudioManager : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        vemo::core::RegisterQtMetaTypes();
        vemo::testing::FixtureShow fixture;
        fixture.songs = {{.number = "1", .bars = 4}};
        const std::filesystem::path show = fixture.Write();
        vemo::AudioInterface::Options options;
        options.clock = vemo::AudioInterface::Options::Clock::Manual;
        player = std::make_shared<vemo::AudioInterface>(show.string(), (show.parent_path() / "data").string(), false,
                                                        nullptr, options);
        player->ThrowIfThreadExceptions();
        qml = vemo::testing::MakeQmlEngine();
    }

    void init()
    {
        // The offscreen platform says so when the window's fixed size follows its laid-out content.
        QTest::failOnWarning(QRegularExpression("^(?!This plugin does not support propagateSizeHints\\(\\)$)"));
        player->SetOutputDeviceUid("");
        player->SetVolume(1.0);
        DeviceControlWin32::SetDevicesForTesting(kThree);
    }

    void cleanup()
    {
        controller.reset();
        vemo::testing::DeliverDeferredDeletes();
        DeviceControlWin32::SetDevicesForTesting(std::nullopt);
    }

    void cleanupTestCase()
    {
        qml.reset();
        player.reset();
    }

    void opensOnThePlayersDevice_data()
    {
        QTest::addColumn<Devices>("devices");
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("chosen");

        QTest::newRow("second device") << kThree << "hall" << 2 << "hall";
        QTest::newRow("first device") << kThree << "desk" << 1 << "desk";
        QTest::newRow("unknown id") << kThree << "usb" << 0 << "";
        QTest::newRow("empty id") << kThree << "" << 0 << "";
        QTest::newRow("two matches: the later") << Devices{{"A", "same"}, {"B", "other"}, {"C", "same"}} << "same" << 3
                                                << "same";
        QTest::newRow("listed device with the empty id") << Devices{{"System", ""}} << "" << 1 << "";
        QTest::newRow("no devices") << Devices{} << "desk" << 0 << "";
    }

    void opensOnThePlayersDevice()
    {
        QFETCH(Devices, devices);
        QFETCH(QString, current);
        QFETCH(int, row);
        QFETCH(QString, chosen);
        DeviceControlWin32::SetDevicesForTesting(devices);
        player->SetOutputDeviceUid(current.toStdString().c_str());
        Open();
        QStringList names{"(default)"};
        for (const AudioDevice& device : devices) {
            names << QString::fromStdString(device.name);
        }
        QCOMPARE(window->property("outputDeviceModel").toStringList(), names);
        QCOMPARE(window->property("outputDeviceIndex").toInt(), row);
        Click(qobject_cast<QQuickItem*>(vemo::testing::Child(window, "applyButton")));
        QCOMPARE(controller->DeviceId(), chosen);
        QVERIFY(!window->isVisible());
    }

    void okHandsBackTheVolumeWithinTheSlidersRange_data()
    {
        QTest::addColumn<double>("gain");
        QTest::addColumn<double>("position");
        QTest::addColumn<double>("handedBack");

        QTest::newRow("0.5") << 0.5 << std::exp(std::log10(0.5) * 0.8) << 0.5;
        QTest::newRow("1") << 1.0 << 1.0 << 1.0;
        QTest::newRow("0: -80 dB") << 0.0 << kLowestPosition << 0.0001;
        QTest::newRow("below -80 dB") << 0.00005 << kLowestPosition << 0.0001;
        QTest::newRow("2: 0 dB") << 2.0 << 1.0 << 1.0;
        QTest::newRow("4: 0 dB") << 4.0 << 1.0 << 1.0;
    }

    void okHandsBackTheVolumeWithinTheSlidersRange()
    {
        QFETCH(double, gain);
        QFETCH(double, position);
        QFETCH(double, handedBack);
        player->SetVolume(gain);
        Open();
        QVERIFY(qAbs(window->property("outputVolume").toDouble() - position) < 1e-9);
        QCOMPARE(controller->Volume(), 0.0);
        QMetaObject::invokeMethod(window, "okay");
        QVERIFY2(qAbs(controller->Volume() - handedBack) < 1e-9, qPrintable(QString::number(controller->Volume(), 'g', 17)));
    }

    // OK goes to whoever applies the settings, inside the slot.
    void okReachesThePlayerThroughTheHandler()
    {
        player->SetOutputDeviceUid("desk");
        Open();
        connect(controller.get(), &AudioManagerController::audioSettingsUpdated, this, [this] {
            player->SetOutputDeviceUid(controller->DeviceId().toStdString().c_str());
            player->SetVolume(controller->Volume(), vemo::VolumeType::Master);
        });
        window->setProperty("outputDeviceIndex", 3);
        player->Probe().ClearJournal();
        QMetaObject::invokeMethod(window, "okay");
        QCOMPARE(player->GetOutputDeviceUid(), std::string("booth"));
        QVERIFY(EngineCallsNamed("SetOutputDeviceUid").contains("SetOutputDeviceUid(\"booth\")"));
    }

    void cancelAndCloseApplyNothing_data()
    {
        QTest::addColumn<bool>("useCancel");
        QTest::newRow("Cancel") << true;
        QTest::newRow("close") << false;
    }

    void cancelAndCloseApplyNothing()
    {
        QFETCH(bool, useCancel);
        player->SetOutputDeviceUid("hall");
        Open();
        QSignalSpy updated(controller.get(), &AudioManagerController::audioSettingsUpdated);
        QSignalSpy errors(controller.get(), &AudioManagerController::error);
        window->setProperty("outputDeviceIndex", 1);
        player->Probe().ClearJournal();
        if (useCancel) {
            Click(qobject_cast<QQuickItem*>(vemo::testing::Child(window, "dismissButton")));
        } else {
            window->close();
        }
        QVERIFY(!window->isVisible());
        QCOMPARE(updated.count() + errors.count(), 0);
        QCOMPARE(EngineCallsNamed("SetOutputDeviceUid") + EngineCallsNamed("SetVolume"), QStringList());
        // Opened again, the window shows the player's device, not the abandoned choice.
        Open();
        QCOMPARE(window->property("outputDeviceIndex").toInt(), 2);
    }

    void enterOnTheClosedDeviceListIsOk()
    {
        player->SetOutputDeviceUid("hall");
        Open();
        QSignalSpy updated(controller.get(), &AudioManagerController::audioSettingsUpdated);
        QVERIFY(vemo::testing::Activate(window));
        auto* combo = qobject_cast<QQuickItem*>(vemo::testing::Child(window, "comboControl"));
        QVERIFY(combo);
        combo->forceActiveFocus();
        QVERIFY(combo->hasActiveFocus());
        QTest::keyClick(window, Qt::Key_Return);
        QCOMPARE(updated.count(), 1);
        QCOMPARE(controller->DeviceId(), QString("hall"));
        QVERIFY(!window->isVisible());
    }

    void throwingReceiverIsReportedAsAudioError()
    {
        Open();
        connect(controller.get(), &AudioManagerController::audioSettingsUpdated, this,
                [] { throw std::runtime_error("No such device"); });
        QSignalSpy errors(controller.get(), &AudioManagerController::error);
        QMetaObject::invokeMethod(window, "okay");
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).value<std::string>(), std::string("No such device"));
        QCOMPARE(errors.at(0).at(1).value<std::string>(), std::string("Error Configuring Audio"));
    }

    void windowHasAFixedSize()
    {
        Open();
        QCOMPARE(window->width(), 360);
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(window->maximumSize(), window->size());
        QCOMPARE(window->title(), QString("Audio Manager"));
        QVERIFY(!qobject_cast<QQuickItem*>(vemo::testing::Child(window, "volumeSlider"))->isVisible());
    }

private:
    // A new controller, as the main window makes one at each opening, with its window shown.
    void Open()
    {
        controller.reset();
        vemo::testing::DeliverDeferredDeletes();
        controller = std::make_unique<AudioManagerController>(qml.get(), player, nullptr);
        window = qobject_cast<QQuickWindow*>(controller->QmlObject());
        QVERIFY(window);
        controller->SetVisible(true);
        QVERIFY(vemo::testing::Settle(window));
    }

    QStringList EngineCallsNamed(const QString& name) const
    {
        player->Probe().Drain();
        QStringList calls;
        for (const std::string& line : player->Probe().Journal()) {
            const QString text = QString::fromStdString(line);
            if (text.startsWith(name + "(")) {
                calls << text;
            }
        }
        return calls;
    }

    std::shared_ptr<vemo::AudioInterface> player;
    std::unique_ptr<QQmlEngine> qml;
    std::unique_ptr<AudioManagerController> controller;
    QQuickWindow* window = nullptr;
};

QTEST_MAIN(TestAudioManager)
#include "test_audio_manager.moc"
