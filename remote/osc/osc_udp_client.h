#pragma once

#include <QAbstractSocket>
#include <QHostAddress>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

class QUdpSocket;

namespace vemo::osc {

// Sends one-line command texts as OSC datagrams over UDP. Short-lived: one client per cue, on the
// thread that sends.
class OscUdpClient : public QObject {
    Q_OBJECT

public:
    OscUdpClient();
    ~OscUdpClient() override;

    // Encodes `text` (see BuildOscDatagram) and writes it to address:port. A message without
    // arguments gets the empty type-tag string, which OSC peers require. True only when the whole
    // datagram was written; a blank text sends nothing and gives false. Each failed write emits
    // onError once.
    bool send(const QString& text, const QHostAddress& address, std::uint16_t port);

signals:
    void onError(QString errorDescription);

public slots:
    void onSocketError(QAbstractSocket::SocketError code);

private:
    std::unique_ptr<QUdpSocket> socket_;
    bool errorReported_ = false;
};

} // namespace vemo::osc
