#pragma once

#include "osc/osc_command_processor.h"
#include "osc/osc_proc_interface.h"
#include "osc/qudp_socket_wrapper.h"

#include <QByteArray>
#include <QObject>

#include <cstdint>
#include <memory>

namespace vemo::osc {

// Listens for OSC datagrams on one UDP port of every local address and hands each decoded message
// to its command processor, on the thread that made it.
class OscServer : public QObject {
    Q_OBJECT
public:
    // Binds the port (0 lets the system choose) and takes the handlers over. Throws
    // std::runtime_error "Unable to bind to OSC server port N: ..." when the system refuses the bind;
    // nothing of the server is left then.
    OscServer(std::uint16_t port, std::unique_ptr<OscProcInterface> handlers);
    ~OscServer() override;

    // Starts a server on a listen port from the settings. A port outside 1 to 65535 starts nothing
    // and throws std::runtime_error "OSC listen port N is outside 1 to 65535.", as a refused bind does.
    static std::unique_ptr<OscServer> Start(int listenPort, std::unique_ptr<OscProcInterface> handlers);

public slots:
    void onDatagramReceived(QByteArray datagram);

private:
    std::unique_ptr<QUdpSocketWrapper> wrapper_;
    std::unique_ptr<OscCommandProcessor> processor_;
    std::uint16_t port_ = 0;
};

} // namespace vemo::osc
