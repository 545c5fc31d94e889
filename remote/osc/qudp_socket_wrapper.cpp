#include "osc/qudp_socket_wrapper.h"

#include <QUdpSocket>

namespace vemo::osc {

QUdpSocketWrapper::QUdpSocketWrapper() : socket_(std::make_unique<QUdpSocket>())
{
    connect(socket_.get(), &QUdpSocket::readyRead, this, &QUdpSocketWrapper::onReadyRead);
}

QUdpSocketWrapper::~QUdpSocketWrapper() = default;

bool QUdpSocketWrapper::bind(const QHostAddress& address, unsigned short port)
{
    return socket_->bind(address, port);
}

void QUdpSocketWrapper::close()
{
    socket_->close();
}

QString QUdpSocketWrapper::errorString() const
{
    return socket_->errorString();
}

void QUdpSocketWrapper::onReadyRead()
{
    while (socket_->hasPendingDatagrams()) {
        QByteArray datagram(qMax<qint64>(socket_->pendingDatagramSize(), 0), Qt::Uninitialized);
        const qint64 read = socket_->readDatagram(datagram.data(), datagram.size());
        if (read < 0) {
            // A socket error: leave the rest to the next notification rather than spin here.
            break;
        }
        datagram.truncate(read);
        emit datagramReceived(datagram);
    }
}

} // namespace vemo::osc
