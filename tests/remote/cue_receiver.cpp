#include "cue_receiver.h"

#include "osc_test_support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QNetworkDatagram>
#include <QThread>

namespace vemo::osc::testing {

CueReceiver::CueReceiver()
{
    socket_.bind(QHostAddress(QHostAddress::LocalHost), 0);
    QObject::connect(&socket_, &QUdpSocket::readyRead, [this] { Read(); });
    clock_.start();
}

void CueReceiver::Read()
{
    while (socket_.hasPendingDatagrams()) {
        datagrams_.append(socket_.receiveDatagram().data());
        arrivals_.append(clock_.elapsed());
    }
}

bool CueReceiver::WaitFor(int count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (datagrams_.size() < count && !deadline.hasExpired()) {
        socket_.waitForReadyRead(10);
        Read();
        QCoreApplication::processEvents();
    }
    return datagrams_.size() >= count;
}

void CueReceiver::Linger(int ms)
{
    WaitFor(std::numeric_limits<int>::max(), ms);
}

QStringList CueReceiver::Messages() const
{
    QStringList messages;
    for (const QByteArray& datagram : datagrams_) {
        messages << Describe(Parse(datagram));
    }
    return messages;
}

void CueReceiver::Restart()
{
    datagrams_.clear();
    arrivals_.clear();
    clock_.restart();
}

} // namespace vemo::osc::testing
