#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace vemo::osc {

// Turns SIGINT and SIGTERM into a Qt signal on the thread that made the object: the signal
// handler only writes the signal number into a pipe, which a socket notifier reads.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    TerminationSignals();
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    void onReadable();

    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace vemo::osc
