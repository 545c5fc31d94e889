#include "send/vemo_player_osc_callback.h"

#include "osc/osc_udp_client.h"

#include <QThread>

#include <iostream>
#include <sstream>
#include <stdexcept>

namespace vemo {
namespace {

constexpr int kMaxSendingThreads = 8;
const std::string kNotConfigured = "Unable to fully configure OSC Send command: ";

void PrintLine(const std::string& line)
{
    std::ostringstream text;
    text << line << '\n';
    std::cerr << text.str() << std::flush;
}

} // namespace

VemoPlayerOscCallback::VemoPlayerOscCallback(std::uint16_t defaultPort) : defaultPort_(defaultPort)
{
    pool_.setMaxThreadCount(kMaxSendingThreads);
    pool_.setThreadPriority(QThread::TimeCriticalPriority);
}

VemoPlayerOscCallback::~VemoPlayerOscCallback()
{
    pool_.waitForDone();
}

void VemoPlayerOscCallback::ExecuteEvent(const CL::Osc& cue, unsigned delayMs)
{
    Destination destination;
    if (!Resolve(cue, destination)) {
        return;
    }
    Send(QString::fromStdString(cue.osc_properties().Message()), destination, delayMs);
}

bool VemoPlayerOscCallback::Resolve(const CL::Osc& cue, Destination& destination) const
{
    std::shared_ptr<Interface> player;
    {
        std::lock_guard lock(mutex_);
        player = player_;
        destination.port = defaultPort_;
    }
    destination.address = QHostAddress(QHostAddress::LocalHost);
    if (player) {
        const std::uint16_t defaultPort = destination.port;
        std::string ip;
        std::int32_t port = defaultPort;
        bool resolved = false;
        try {
            const CL::NetworkPath network = player->GetNetwork(cue.osc_properties().NetworkId());
            ip = network.IpAddress();
            port = network.Port();
            resolved = true;
        } catch (const std::exception& error) {
            PrintLine(kNotConfigured + error.what() + ". Using default values of localhost:" + std::to_string(defaultPort));
        }
        if (!player->GetIsPlaying()) {
            return false;
        }
        if (resolved) {
            destination.address = QHostAddress(QString::fromStdString(ip));
            if (destination.address.isNull()) {
                PrintLine(kNotConfigured + ip + " is not an IP address. The cue was not sent.");
                return false;
            }
            if (port < 1 || port > 65535) {
                PrintLine(kNotConfigured + "port " + std::to_string(port) + " is out of range. The cue was not sent.");
                return false;
            }
            destination.port = static_cast<std::uint16_t>(port);
        }
    }
    if (destination.port == 0) {
        PrintLine(kNotConfigured + "port 0 is out of range. The cue was not sent.");
        return false;
    }
    return true;
}

void VemoPlayerOscCallback::Send(const QString& text, const Destination& destination, unsigned delayMs)
{
    pool_.start([this, text, destination, delayMs] {
        QThread::msleep(delayMs);
        osc::OscUdpClient client;
        QObject::connect(&client, &osc::OscUdpClient::onError, [](const QString& description) {
            PrintLine(description.toStdString());
        });
        if (client.send(text, destination.address, destination.port)) {
            emit OutgoingNotification();
        }
    });
}

void VemoPlayerOscCallback::EnqueueEvent(const CL::Osc& cue, unsigned delayMs)
{
    emit enqueueOscCommand(cue, delayMs);
}

void VemoPlayerOscCallback::SetDefaultPort(std::uint16_t port)
{
    std::lock_guard lock(mutex_);
    defaultPort_ = port;
}

void VemoPlayerOscCallback::SetPlayer(std::shared_ptr<Interface> player)
{
    std::lock_guard lock(mutex_);
    player_ = std::move(player);
}

void VemoPlayerOscCallback::ClearPlayer()
{
    std::shared_ptr<Interface> released;
    std::lock_guard lock(mutex_);
    released.swap(player_);
}

} // namespace vemo
