#include "osc/osc_udp_client.h"

#include "osc/osc_datagram_builder.h"

#include <QNetworkProxy>
#include <QUdpSocket>

namespace vemo::osc {
namespace {

constexpr char kEmptyTypeTags[] = {',', '\0', '\0', '\0'};

// True when the datagram is the padded address alone, without a type-tag string.
bool HasAddressOnly(const QByteArray& datagram)
{
    const qsizetype terminator = datagram.indexOf('\0');
    const qsizetype addressSize = (terminator + 4) & ~qsizetype(3);
    return terminator >= 0 && addressSize == datagram.size();
}

} // namespace

OscUdpClient::OscUdpClient() : socket_(std::make_unique<QUdpSocket>())
{
    // Cues go straight to the peer; looking a proxy up would cost more than the send itself.
    socket_->setProxy(QNetworkProxy::NoProxy);
    connect(socket_.get(), &QUdpSocket::errorOccurred, this, &OscUdpClient::onSocketError);
}

OscUdpClient::~OscUdpClient() = default;

bool OscUdpClient::send(const QString& text, const QHostAddress& address, std::uint16_t port)
{
    if (text.trimmed().isEmpty()) {
        return false;
    }
    QByteArray datagram = BuildOscDatagram(text);
    if (datagram.isEmpty()) {
        return false;
    }
    if (HasAddressOnly(datagram)) {
        datagram.append(kEmptyTypeTags, sizeof kEmptyTypeTags);
    }
    errorReported_ = false;
    const qint64 written = socket_->writeDatagram(datagram, address, port);
    if (written == datagram.size()) {
        return true;
    }
    if (!errorReported_) {
        onSocketError(socket_->error());
    }
    return false;
}

void OscUdpClient::onSocketError(QAbstractSocket::SocketError code)
{
    errorReported_ = true;
    emit onError("OSC Socket Error Occured (" + QString::number(static_cast<int>(code)) + "): " + socket_->errorString());
}

} // namespace vemo::osc
