#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

#include <memory>

class QUdpSocket;

namespace vemo::osc {

// Owns one UDP socket and turns its ready-read notifications into one signal per datagram.
class QUdpSocketWrapper : public QObject {
    Q_OBJECT
public:
    QUdpSocketWrapper();
    ~QUdpSocketWrapper() override;

    // Binds with the platform's default bind mode; returns whether the bind succeeded.
    bool bind(const QHostAddress& address, unsigned short port);
    void close();
    QString errorString() const;

signals:
    void datagramReceived(QByteArray datagram);

public slots:
    // Reads every pending datagram, in arrival order.
    void onReadyRead();

private:
    std::unique_ptr<QUdpSocket> socket_;
};

} // namespace vemo::osc
