#include "osc/osc_datagram_builder.h"
#include "osc/osc_server.h"
#include "osc/qudp_socket_wrapper.h"
#include "osc_test_support.h"
#include "recording_handlers.h"

#include <QSignalSpy>
#include <QTest>
#include <QUdpSocket>

#include <iostream>
#include <stdexcept>

using namespace vemo::osc;
using vemo::osc::testing::FreeUdpPort;
using vemo::osc::testing::RecordingHandlers;
using vemo::osc::testing::StreamCapture;

namespace {

void Send(QUdpSocket& sender, const QByteArray& datagram, std::uint16_t port,
    const QHostAddress& address = QHostAddress::LocalHost)
{
    QCOMPARE(sender.writeDatagram(datagram, address, port), qint64(datagram.size()));
}

// Records like its base and, on the first message, queues a marker behind the current notification.
class MarkingHandlers : public RecordingHandlers {
public:
    MarkingHandlers(std::shared_ptr<QStringList> log, QObject* context) : RecordingHandlers(log), log_(log), context_(context) {}

    void Notify(const OscMessage& message) override
    {
        RecordingHandlers::Notify(message);
        if (!marked_) {
            marked_ = true;
            QMetaObject::invokeMethod(context_, [log = log_] { log->append("event loop"); }, Qt::QueuedConnection);
        }
    }

private:
    std::shared_ptr<QStringList> log_;
    QObject* context_ = nullptr;
    bool marked_ = false;
};

std::string ErrorOf(auto&& start)
{
    try {
        start();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no exception";
}

} // namespace

class TestOscServer : public QObject {
    Q_OBJECT

private slots:
    void wrapperDrainsEveryPendingDatagramAtOnce();
    void datagramsArrivingTogetherAreHandledInOrder();
    void malformedDatagramIsDroppedAndServerGoesOn();
    void portInUseThrowsAndKeepsNothing();
    void portOutsideRangeStartsNothing_data();
    void portOutsideRangeStartsNothing();
    void destroyedServerFreesItsPort();
    void receivesOverIpv6Loopback();
};

void TestOscServer::wrapperDrainsEveryPendingDatagramAtOnce()
{
    const std::uint16_t port = FreeUdpPort();
    QUdpSocketWrapper wrapper;
    QVERIFY(wrapper.bind(QHostAddress::LocalHost, port));
    QSignalSpy received(&wrapper, &QUdpSocketWrapper::datagramReceived);
    QUdpSocket sender;
    Send(sender, "first", port);
    Send(sender, "", port);
    Send(sender, "third", port);
    QVERIFY(received.wait());
    QCOMPARE(received.count(), 3);
    QCOMPARE(received.at(0).at(0).toByteArray(), QByteArray("first"));
    QCOMPARE(received.at(1).at(0).toByteArray(), QByteArray());
    QCOMPARE(received.at(2).at(0).toByteArray(), QByteArray("third"));
}

void TestOscServer::datagramsArrivingTogetherAreHandledInOrder()
{
    const std::uint16_t port = FreeUdpPort();
    auto log = std::make_shared<QStringList>();
    OscServer server(port, std::make_unique<MarkingHandlers>(log, this));
    QUdpSocket sender;
    Send(sender, BuildOscDatagram("/vemo/song/1/play"), port);
    Send(sender, BuildOscDatagram("/vemo/volume -6"), port);
    QTRY_COMPARE(log->size(), 5);
    QCOMPARE(*log, (QStringList{"Notify(/vemo/song/1/play)", "Play(, 1)", "Notify(/vemo/volume)", "Volume(0.501187)",
                       "event loop"}));
}

void TestOscServer::malformedDatagramIsDroppedAndServerGoesOn()
{
    const std::uint16_t port = FreeUdpPort();
    auto log = std::make_shared<QStringList>();
    OscServer server(port, std::make_unique<RecordingHandlers>(log));
    StreamCapture error(std::cerr);
    QUdpSocket sender;
    Send(sender, "/vemo/play", port);
    Send(sender, QByteArray("#bundle\0", 8), port);
    Send(sender, BuildOscDatagram("/vemo/pause"), port);
    QTRY_COMPARE(log->size(), 2);
    QCOMPARE(*log, (QStringList{"Notify(/vemo/pause)", "Pause(, )"}));
    QCOMPARE(error.text(),
        std::string("OSC string is larger than buffer during read of null terminator.\n"
                    "OSC Bundle detected. OSC Bundles unsupported at this time.\n"));
}

void TestOscServer::portInUseThrowsAndKeepsNothing()
{
    const std::uint16_t port = FreeUdpPort();
    QUdpSocket holder;
    QVERIFY(holder.bind(QHostAddress::Any, port));
    auto log = std::make_shared<QStringList>();
    StreamCapture output(std::cout);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Unable to bind to OSC server port "));
    const std::string error = ErrorOf([&] { OscServer(port, std::make_unique<RecordingHandlers>(log)); });
    const std::string prefix = "Unable to bind to OSC server port " + std::to_string(port) + ": ";
    QVERIFY2(error.starts_with(prefix) && error.size() > prefix.size(), error.c_str());
    QCOMPARE(*log, QStringList{"destroyed"});
    QCOMPARE(output.text(), std::string());
}

void TestOscServer::portOutsideRangeStartsNothing_data()
{
    QTest::addColumn<int>("port");
    QTest::newRow("70000") << 70000;
    QTest::newRow("65536") << 65536;
    QTest::newRow("0") << 0;
    QTest::newRow("-1") << -1;
}

void TestOscServer::portOutsideRangeStartsNothing()
{
    QFETCH(int, port);
    auto log = std::make_shared<QStringList>();
    StreamCapture output(std::cout);
    const std::string error = ErrorOf([&] { OscServer::Start(port, std::make_unique<RecordingHandlers>(log)); });
    QCOMPARE(error, "OSC listen port " + std::to_string(port) + " is outside 1 to 65535.");
    QCOMPARE(*log, QStringList{"destroyed"});
    QCOMPARE(output.text(), std::string());
}

void TestOscServer::destroyedServerFreesItsPort()
{
    const std::uint16_t port = FreeUdpPort();
    const std::string number = std::to_string(port);
    auto log = std::make_shared<QStringList>();
    StreamCapture output(std::cout);
    auto server = OscServer::Start(port, std::make_unique<RecordingHandlers>(log));
    QCOMPARE(output.text(), "****Opening port " + number + "\n");
    server.reset();
    QCOMPARE(output.text(), "****Opening port " + number + "\n****Closing port " + number + "\n");
    QCOMPARE(*log, QStringList{"destroyed"});

    server = OscServer::Start(port, std::make_unique<RecordingHandlers>(log));
    QUdpSocket sender;
    Send(sender, BuildOscDatagram("/vemo/go"), port);
    QTRY_COMPARE(log->size(), 3);
    QCOMPARE(log->last(), QString("Advance(, )"));
}

void TestOscServer::receivesOverIpv6Loopback()
{
    QUdpSocket sender;
    if (!sender.bind(QHostAddress::LocalHostIPv6, 0)) {
        QSKIP("This machine has no IPv6 loopback.");
    }
    const std::uint16_t port = FreeUdpPort();
    auto log = std::make_shared<QStringList>();
    OscServer server(port, std::make_unique<RecordingHandlers>(log));
    Send(sender, BuildOscDatagram("/vemo/stop"), port, QHostAddress::LocalHostIPv6);
    QTRY_COMPARE(log->size(), 3);
    QCOMPARE(*log, (QStringList{"Notify(/vemo/stop)", "Stop(, )", "SfxStopAll()"}));
}

QTEST_GUILESS_MAIN(TestOscServer)
#include "test_osc_server.moc"
