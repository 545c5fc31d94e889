#pragma once

#include <vemo_core/events.h>
#include <vemo_player_core/callbacks.h>
#include <vemo_player_core/interface.h>

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <cstdint>
#include <memory>
#include <mutex>

namespace vemo {

// Sends the OSC cues the engine reaches, each as one datagram after the delay the engine asks for,
// from a pool of at most 8 time-critical threads. The destination is the cue's network looked up in
// the player; without a player every cue goes to 127.0.0.1 on the default port. Cues the engine
// hands over for later are passed on through enqueueOscCommand.
class VemoPlayerOscCallback : public QObject, public PlayerOscCallback {
    Q_OBJECT

public:
    // The caller converts a listen port outside 1 to 65535 to 0: nothing is ever sent to port 0.
    explicit VemoPlayerOscCallback(std::uint16_t defaultPort);
    // Waits until every started cue is sent.
    ~VemoPlayerOscCallback() override;

    // Engine threads, and the GUI thread for cues held while stopped. Returns at once.
    void ExecuteEvent(const CL::Osc& cue, unsigned delayMs) override;
    void EnqueueEvent(const CL::Osc& cue, unsigned delayMs) override;
    void SetDefaultPort(std::uint16_t port) override;

    virtual void SetPlayer(std::shared_ptr<Interface> player);
    virtual void ClearPlayer();

signals:
    void enqueueOscCommand(CL::Osc osc, uint32_t delay);
    // A cue left in full (emitted on a pool thread).
    void OutgoingNotification();

private:
    struct Destination {
        QHostAddress address;
        std::uint16_t port = 0;
    };

    // Resolves the cue's destination on the player. False when the cue is to be dropped.
    bool Resolve(const CL::Osc& cue, Destination& destination) const;
    void Send(const QString& text, const Destination& destination, unsigned delayMs);

    mutable std::mutex mutex_;  // guards player_ and defaultPort_
    std::shared_ptr<Interface> player_;
    std::uint16_t defaultPort_;
    QThreadPool pool_;
};

} // namespace vemo
