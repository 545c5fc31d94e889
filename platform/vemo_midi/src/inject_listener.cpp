#include "inject_listener.h"

#include "source_registry.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

namespace vemo::midi::detail {
namespace {

class InjectListener {
public:
    explicit InjectListener(int port)
    {
        socket_ = ::socket(AF_INET, SOCK_DGRAM, 0);
        if (socket_ < 0) {
            std::cerr << "MIDI inject listener: cannot create socket: " << std::strerror(errno) << '\n';
            return;
        }
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            std::cerr << "MIDI inject listener: cannot listen on 127.0.0.1:" << port << ": "
                      << std::strerror(errno) << '\n';
            ::close(socket_);
            socket_ = -1;
            return;
        }
        thread_ = std::thread([this] { run(); });
    }

    ~InjectListener()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        if (socket_ >= 0)
            ::close(socket_);
    }

private:
    void run()
    {
        std::uint8_t buffer[512];
        while (!stop_) {
            pollfd pfd{socket_, POLLIN, 0};
            if (::poll(&pfd, 1, 100) <= 0)
                continue;
            const auto n = ::recv(socket_, buffer, sizeof buffer, 0);
            if (n < 2)
                continue;
            Deliver(buffer[0], std::vector<std::uint8_t>(buffer + 1, buffer + n));
        }
    }

    int socket_ = -1;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

int configuredPort()
{
    const char* env = std::getenv("VEMO_MIDI_INJECT_PORT");
    if (!env || !*env)
        return 0;
    char* end = nullptr;
    const long port = std::strtol(env, &end, 10);
    if (*end != '\0' || port <= 0 || port > 65535) {
        std::cerr << "VEMO_MIDI_INJECT_PORT is not a port number: " << env << '\n';
        return 0;
    }
    return static_cast<int>(port);
}

}  // namespace

void StartInjectListenerIfConfigured()
{
    static const int port = configuredPort();
    if (port == 0)
        return;
    static InjectListener listener(port);
}

}  // namespace vemo::midi::detail
