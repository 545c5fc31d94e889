#include "osc/osc_server.h"

#include <QDebug>
#include <QHostAddress>

#include <iostream>
#include <stdexcept>
#include <string>

namespace vemo::osc {

OscServer::OscServer(std::uint16_t port, std::unique_ptr<OscProcInterface> handlers)
    : wrapper_(std::make_unique<QUdpSocketWrapper>())
    , processor_(std::make_unique<OscCommandProcessor>(std::move(handlers)))
{
    connect(wrapper_.get(), &QUdpSocketWrapper::datagramReceived, this, &OscServer::onDatagramReceived);
    if (!wrapper_->bind(QHostAddress::Any, port)) {
        const std::string error = "Unable to bind to OSC server port " + std::to_string(port) + ": "
            + wrapper_->errorString().toStdString();
        qDebug().noquote() << QString::fromStdString(error);
        throw std::runtime_error(error);
    }
    port_ = port;
    std::cout << "****Opening port " << port_ << std::endl;
}

OscServer::~OscServer()
{
    wrapper_->close();
    std::cout << "****Closing port " << port_ << std::endl;
    processor_.reset();
    wrapper_.reset();
}

std::unique_ptr<OscServer> OscServer::Start(int listenPort, std::unique_ptr<OscProcInterface> handlers)
{
    if (listenPort < 1 || listenPort > 65535) {
        throw std::runtime_error("OSC listen port " + std::to_string(listenPort) + " is outside 1 to 65535.");
    }
    return std::make_unique<OscServer>(static_cast<std::uint16_t>(listenPort), std::move(handlers));
}

void OscServer::onDatagramReceived(QByteArray datagram)
{
    try {
        const OscMessage message
            = ParseOscMessage(reinterpret_cast<const std::uint8_t*>(datagram.constData()), datagram.size());
        processor_->Process(message);
    } catch (const std::exception& error) {
        std::cerr << error.what() << std::endl;
    }
}

} // namespace vemo::osc
