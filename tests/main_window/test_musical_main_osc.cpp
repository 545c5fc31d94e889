// OSC in the main window: the server started from the settings (and its failures shown), received
// fades, the cues the engine hands over while stopped, and the banner's OSC lamp.
#include "main_window_rig.h"

#include <osc/osc_datagram_builder.h>
#include <osc_test_support.h>
#include <vemo_test/stream_capture.h>

#include <QHostAddress>
#include <QUdpSocket>
#include <QtTest>

#include <string>

using vemo::osc::testing::FreeUdpPort;
using vemo::testing::MainWindowRig;

namespace {

void Send(std::uint16_t port, const QString& command)
{
    QUdpSocket socket;
    socket.writeDatagram(vemo::osc::BuildOscDatagram(command), QHostAddress(QHostAddress::LocalHost), port);
}

// The addresses of the datagrams waiting on `socket`, taken off it.
QStringList Received(QUdpSocket& socket)
{
    QStringList addresses;
    while (socket.hasPendingDatagrams()) {
        QByteArray datagram(static_cast<int>(socket.pendingDatagramSize()), '\0');
        socket.readDatagram(datagram.data(), datagram.size());
        addresses.append(QString::fromLatin1(datagram.constData()));
    }
    return addresses;
}

CL::Osc CueTo(const std::string& networkId)
{
    return CL::Osc(0, "OSCT", CL::OscProperties("/test/cue 1", networkId));
}

// Opens the window stopped, then the engine hands over a cue for the show's desk from its thread.
void HoldCue(MainWindowRig& rig, unsigned delayMs)
{
    rig.Create();
    rig.Advance(0);
    rig.Engine().FireOscCue(CueTo("NETWORK0"), delayMs, true);
    rig.Engine().Drain();
    QCoreApplication::processEvents();
}

} // namespace

class TestMusicalMainOsc : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
    }

    // A listen port that cannot be bound, or port 0 from the settings file, starts no server and
    // says so; a later show load hands the cue sender 0 for a port outside 1 to 65535, so cues
    // without a destination of their own are refused instead of going to the port's low bits.
    void unusablePortsShowOscServerError_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("senderPort");
        QTest::newRow("bound elsewhere") << int(FreeUdpPort()) << true << QString();
        QTest::newRow("zero") << 0 << false << "0";
    }

    void unusablePortsShowOscServerError()
    {
        QFETCH(int, port);
        QFETCH(bool, held);
        QFETCH(QString, senderPort);
        QUdpSocket holder;
        if (held)
            QVERIFY(holder.bind(QHostAddress::Any, static_cast<quint16>(port)));
        MainWindowRig rig;
        vemo::testing::WriteOscListenPort(port);
        rig.Create();
        QCOMPARE(rig.DialogTitles(), QStringList{"OSC Server Error"});
        if (senderPort.isEmpty())
            return;

        rig.controller->LoadCurrentShow();
        QCOMPARE(rig.DialogTitles(), QStringList{"OSC Server Error"});
        QMetaObject::invokeMethod(rig.Root(), "play");
        rig.Advance(100);
        vemo::testing::CapturedStream errors(std::cerr);
        rig.Engine().FireOscCue(CueTo("NO_SUCH_NETWORK"), 0, false);
        rig.Engine().Drain();
        const std::string text = errors.text();
        QVERIFY2(text.find("Using default values of localhost:" + senderPort.toStdString() + "\n") !=
                     std::string::npos, text.c_str());
        QVERIFY2(text.find("port 0 is out of range. The cue was not sent.") != std::string::npos, text.c_str());
    }

    // With 55037 held elsewhere, the configured port is the only one bound: no error.
    void theConfiguredPortIsTheFirstBound()
    {
        QUdpSocket holder;
        holder.bind(QHostAddress::Any, 55037);
        MainWindowRig rig;
        const std::uint16_t port = FreeUdpPort();
        vemo::testing::WriteOscListenPort(port);
        rig.Create();
        QCOMPARE(rig.DialogTitles(), QStringList());
        QObject* banner = rig.Child("statusBanner");
        Send(port, "/vemo/stop");
        QTRY_COMPARE(rig.Child("oscLamp")->property("color"), banner->property("highlightedNotificationColor"));
    }

    // Received fade times far outside the engine's range saturate; a NaN is refused on the way in.
    void receivedFadesSaturate_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("call");
        QTest::newRow("fade out -1e30 s") << "/vemo/fadeout -1e30" << "Fade(";
        QTest::newRow("fade to over -1e30 s") << "/vemo/fadeto -12 -1e30" << "FadeTo(";
        QTest::newRow("fade out NaN") << "/vemo/fadeout nan" << "";
    }

    void receivedFadesSaturate()
    {
        QFETCH(QString, command);
        QFETCH(QString, call);
        MainWindowRig rig;
        const std::uint16_t port = FreeUdpPort();
        vemo::testing::WriteOscListenPort(port);
        rig.Create();
        QMetaObject::invokeMethod(rig.Root(), "play");
        rig.Advance(100);
        rig.Engine().ClearJournal();
        vemo::testing::CapturedStream errors(std::cerr);
        Send(port, command);
        if (call.isEmpty()) {
            QTest::qWait(200);
            QVERIFY(!rig.JournalHas("Fade"));
        } else {
            QTRY_VERIFY(rig.JournalHas(call.toStdString()));
        }
        rig.Advance(100);
        QCOMPARE(rig.DialogTitles(), QStringList());
    }

    // A cue the engine hands over from its thread while stopped is held, then goes out when
    // playback starts; the sent cue lights the OSC lamp gold.
    void aCueHandedOverWhileStoppedIsHeldUntilPlay()
    {
        QUdpSocket desk;
        QVERIFY(desk.bind(QHostAddress(QHostAddress::LocalHost), 9001));
        MainWindowRig rig;
        HoldCue(rig, 5);
        QTest::qWait(200);
        QVERIFY(!desk.hasPendingDatagrams());

        QMetaObject::invokeMethod(rig.Root(), "play");
        QStringList seen;
        QTRY_VERIFY((seen += Received(desk)).contains("/test/cue"));
        QTRY_COMPARE(rig.Child("oscLamp")->property("color").value<QColor>(), QColor("#FFD700"));
        rig.Advance(100);
    }

    // A cue held in one song is dropped when the user moves to another.
    void movingToAnotherSongDropsHeldCues()
    {
        QUdpSocket desk;
        QVERIFY(desk.bind(QHostAddress(QHostAddress::LocalHost), 9001));
        MainWindowRig rig;
        HoldCue(rig, 0);
        QMetaObject::invokeMethod(rig.Root(), "nextSong");
        rig.Advance(0);
        QMetaObject::invokeMethod(rig.Root(), "prevSong");
        rig.Advance(0);
        rig.controller->FlushPendingOscCommands();
        QTest::qWait(200);
        QVERIFY(!Received(desk).contains("/test/cue"));
    }
};

QTEST_MAIN(TestMusicalMainOsc)
#include "test_musical_main_osc.moc"
