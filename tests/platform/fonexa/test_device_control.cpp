#include <fonexa/device_control.h>

#include <QtTest>


using vemo::audio::AudioDevice;
using vemo::audio::DeviceControlWin32;
using Devices = std::vector<AudioDevice>;

Q_DECLARE_METATYPE(Devices)

namespace {

const Devices virtualOutputs{{"Virtual Output 1-2", "virtual-out-1-2"}, {"Virtual Output 3-4", "virtual-out-3-4"}};

} // namespace

// The machine's audio outputs: the list set for tests, else VEMO_AUDIO_DEVICES, else the virtual pair.
class TestDeviceControl : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        qunsetenv("VEMO_AUDIO_DEVICES");
        DeviceControlWin32::SetDevicesForTesting(std::nullopt);
    }

    void cleanup() { init(); }

    void withoutVariableListsTheVirtualOutputs()
    {
        QCOMPARE(DeviceControlWin32().GetOutputDevices(), virtualOutputs);
    }

    void variableNamesTheDevices_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<Devices>("devices");
        QTest::addColumn<int>("warnings");

        QTest::newRow("set but empty") << QByteArray("") << Devices{} << 0;
        QTest::newRow("one") << QByteArray("Desk=hw:1") << Devices{{"Desk", "hw:1"}} << 0;
        QTest::newRow("two in order") << QByteArray("Zed=z;Alpha=a") << Devices{{"Zed", "z"}, {"Alpha", "a"}} << 0;
        QTest::newRow("id holds '='") << QByteArray("Out=a=b") << Devices{{"Out", "a=b"}} << 0;
        QTest::newRow("blanks kept") << QByteArray(" Desk = d ") << Devices{{" Desk ", " d "}} << 0;
        QTest::newRow("no '='") << QByteArray("Desk;Hall=h") << Devices{{"Hall", "h"}} << 1;
        QTest::newRow("empty name") << QByteArray("=x;Hall=h") << Devices{{"Hall", "h"}} << 1;
        QTest::newRow("empty id") << QByteArray("Desk=;Hall=h") << Devices{{"Hall", "h"}} << 1;
        QTest::newRow("empty entries") << QByteArray(";Hall=h;") << Devices{{"Hall", "h"}} << 2;
        QTest::newRow("all malformed") << QByteArray("a;b") << Devices{} << 2;
    }

    void variableNamesTheDevices()
    {
        QFETCH(QByteArray, variable);
        QFETCH(Devices, devices);
        QFETCH(int, warnings);
        qputenv("VEMO_AUDIO_DEVICES", variable);
        for (int i = 0; i < warnings; ++i) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Audio device entry \".*\" is not \"Name=id\"; it is skipped\\.$"));
        }
        QTest::failOnWarning(QRegularExpression(".?"));
        QCOMPARE(DeviceControlWin32().GetOutputDevices(), devices);
    }

    // The variable is read at each call, not once.
    void variableIsReadAtEachCall()
    {
        const DeviceControlWin32 control;
        qputenv("VEMO_AUDIO_DEVICES", "A=a");
        QCOMPARE(control.GetOutputDevices(), (Devices{{"A", "a"}}));
        qputenv("VEMO_AUDIO_DEVICES", "B=b");
        QCOMPARE(control.GetOutputDevices(), (Devices{{"B", "b"}}));
        qunsetenv("VEMO_AUDIO_DEVICES");
        QCOMPARE(control.GetOutputDevices(), virtualOutputs);
    }

    void testListWinsUntilCleared()
    {
        qputenv("VEMO_AUDIO_DEVICES", "A=a");
        DeviceControlWin32::SetDevicesForTesting(Devices{{"Same", "1"}, {"Same", "2"}});
        QCOMPARE(DeviceControlWin32().GetOutputDevices(), (Devices{{"Same", "1"}, {"Same", "2"}}));
        DeviceControlWin32::SetDevicesForTesting(Devices{});
        QCOMPARE(DeviceControlWin32().GetOutputDevices(), Devices{});
        DeviceControlWin32::SetDevicesForTesting(std::nullopt);
        QCOMPARE(DeviceControlWin32().GetOutputDevices(), (Devices{{"A", "a"}}));
    }
};

QTEST_GUILESS_MAIN(TestDeviceControl)
#include "test_device_control.moc"
