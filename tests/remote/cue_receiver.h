#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUdpSocket>

#include <atomic>
#include <cstdint>

namespace vemo::osc::testing {

// A UDP socket on 127.0.0.1 that keeps every datagram it receives and when it came.
class CueReceiver {
public:
    CueReceiver();

    std::uint16_t Port() const { return socket_.localPort(); }
    // Waits up to `timeoutMs` for `count` datagrams in all; true when they came.
    bool WaitFor(int count, int timeoutMs = 5000);
    // Lets datagrams in flight arrive, then returns.
    void Linger(int ms = 150);

    const QList<QByteArray>& Datagrams() const { return datagrams_; }
    // Each datagram decoded and described (see Describe).
    QStringList Messages() const;
    // Milliseconds from construction or Restart() to each arrival.
    const QList<qint64>& ArrivalsMs() const { return arrivals_; }
    void Restart();

private:
    void Read();

    QUdpSocket socket_;
    QElapsedTimer clock_;
    QList<QByteArray> datagrams_;
    QList<qint64> arrivals_;
};

// Counts a signal emitted on any thread through a queued connection to the test's thread.
class QueuedCounter : public QObject {
    Q_OBJECT

public:
    int Count() const { return count_; }

public slots:
    void Hit() { ++count_; }

private:
    int count_ = 0;
};

} // namespace vemo::osc::testing
