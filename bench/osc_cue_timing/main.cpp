// bench_osc_cue_timing [seconds]: the cue sender under a show's load on 127.0.0.1.
//
// A thread standing in for the engine calls ExecuteEvent every 20 ms with 0 to 4 cues (delays 0 to
// 20 ms); another plays the program's flush of held cues (4, 8 or 16 cues, delay 0) every few
// seconds. The player is the simulated engine on the demo show, set playing, with NETWORK0 pointed
// at a receiver that stamps each sequence-numbered arrival on the same steady clock.
// error = arrival - (call + delay). Cues sent while at most 8 were pending are reported apart from
// the rest, beside a plain socket's loopback latency.
#include "send/vemo_player_osc_callback.h"

#include <vemo_core/show_record.h>
#include <vemo_core/types.h>
#include <vemo_demo_show/install.h>
#include <vemo_player_core/audio_interface.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kMaxPending = 8;

double Microseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::micro>(duration).count();
}

// A blocking UDP socket on 127.0.0.1 that stamps every datagram when it arrives.
class Receiver {
public:
    explicit Receiver(std::function<void(int)> arrived) : arrived_(std::move(arrived))
    {
        socket_ = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        const int buffer = 4 << 20;
        ::setsockopt(socket_, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
        timeval timeout{0, 200000};
        ::setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        thread_ = std::thread([this] { Run(); });
    }

    ~Receiver()
    {
        running_ = false;
        thread_.join();
        ::close(socket_);
    }

    std::uint16_t Port() const { return port_; }

    // Sequence number (the datagram's last int32) to arrival time.
    std::map<int, Clock::time_point> Arrivals()
    {
        std::lock_guard lock(mutex_);
        return arrivals_;
    }

private:
    void Run()
    {
        char buffer[512];
        while (running_) {
            const ssize_t size = ::recv(socket_, buffer, sizeof buffer, 0);
            const Clock::time_point now = Clock::now();
            if (size < 4) {
                continue;
            }
            std::uint32_t sequence = 0;
            std::memcpy(&sequence, buffer + size - 4, 4);
            const int number = static_cast<int>(ntohl(sequence));
            arrived_(number);
            std::lock_guard lock(mutex_);
            arrivals_.emplace(number, now);
        }
    }

    std::function<void(int)> arrived_;
    int socket_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> running_ = true;
    std::thread thread_;
    std::mutex mutex_;
    std::map<int, Clock::time_point> arrivals_;
};

struct Sent {
    Clock::time_point due;
    bool crowded = false;
};

// The cues started so far, each with the time it is due and whether more than 8 were pending (started
// and not yet arrived) when it started.
class Ledger {
public:
    int Start(Clock::time_point call, unsigned delayMs)
    {
        std::lock_guard lock(mutex_);
        const int sequence = static_cast<int>(sent_.size());
        outstanding_.insert(sequence);
        sent_.push_back({call + std::chrono::milliseconds(delayMs), outstanding_.size() > kMaxPending});
        return sequence;
    }

    void Arrived(int sequence)
    {
        std::lock_guard lock(mutex_);
        outstanding_.erase(sequence);
    }

    std::vector<Sent> All()
    {
        std::lock_guard lock(mutex_);
        return sent_;
    }

private:
    std::mutex mutex_;
    std::vector<Sent> sent_;
    std::set<int> outstanding_;
};

void Report(const char* name, std::vector<double> errors, std::size_t lost)
{
    if (errors.empty()) {
        std::printf("%-28s no cues, %zu lost\n", name, lost);
        return;
    }
    std::sort(errors.begin(), errors.end());
    const auto at = [&errors](double fraction) {
        return errors[std::min(errors.size() - 1, static_cast<std::size_t>(fraction * errors.size()))];
    };
    std::printf("%-28s %7zu cues  median %8.1f us  p99 %8.1f us  max %8.1f us  lost %zu\n", name, errors.size(),
                at(0.5), at(0.99), errors.back(), lost);
}

// The loopback latency of a plain socket: send, receive, stamp.
void ReportLoopback(std::uint16_t port, Receiver& receiver, int& sequence)
{
    const int socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    std::map<int, Clock::time_point> sentAt;
    for (int i = 0; i < 1000; ++i) {
        const std::uint32_t wire = htonl(static_cast<std::uint32_t>(sequence));
        sentAt[sequence++] = Clock::now();
        ::sendto(socket, &wire, 4, 0, reinterpret_cast<sockaddr*>(&address), sizeof address);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::close(socket);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto arrivals = receiver.Arrivals();
    std::vector<double> latencies;
    std::size_t lost = 0;
    for (const auto& [number, time] : sentAt) {
        const auto found = arrivals.find(number);
        found == arrivals.end() ? ++lost : (latencies.push_back(Microseconds(found->second - time)), 0);
    }
    Report("plain socket loopback", latencies, lost);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    vemo::core::RegisterQtMetaTypes();
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;

    QTemporaryDir root;
    const std::filesystem::path data = root.filePath("data").toStdString();
    vemo::demo::InstallIfNoCurrentShow(data);
    const std::filesystem::path show = vemo::core::ShowRecordStore(data).CurrentShowFolder();

    Ledger ledger;
    Receiver receiver([&ledger](int sequence) { ledger.Arrived(sequence); });
    vemo::AudioInterface::Options options;
    options.clock = vemo::AudioInterface::Options::Clock::Manual;
    auto engine = std::make_shared<vemo::AudioInterface>(show.string(), data.string(), false, nullptr, options);
    CL::NetworkPathVectorT networks = engine->GetNetworks();
    networks.at(0).SetPort(receiver.Port());
    engine->GetChangeLogEditor()->UpdateNetworks(networks);
    engine->LoadNewChangeLog();
    engine->Probe().SetTransport(true, false, false);

    auto sender = std::make_unique<vemo::VemoPlayerOscCallback>(receiver.Port());
    sender->SetPlayer(engine);
    const auto send = [&](unsigned delayMs) {
        const Clock::time_point call = Clock::now();
        const int sequence = ledger.Start(call, delayMs);
        sender->ExecuteEvent(CL::Osc(0, "OSC1", CL::OscProperties("/bench/cue " + std::to_string(sequence), "NETWORK0")),
                             delayMs);
    };

    std::printf("Sending cues for %d s (about 100 a second, flushes of 4, 8 or 16 held cues)...\n", seconds);
    const Clock::time_point end = Clock::now() + std::chrono::seconds(seconds);
    std::thread engineThread([&] {
        std::mt19937 random(1);
        Clock::time_point next = Clock::now();
        while (next < end) {
            const int cues = std::uniform_int_distribution(0, 4)(random);
            for (int i = 0; i < cues; ++i) {
                send(static_cast<unsigned>(std::uniform_int_distribution(0, 20)(random)));
            }
            next += std::chrono::milliseconds(20);
            std::this_thread::sleep_until(next);
        }
    });
    std::thread flushThread([&] {
        std::mt19937 random(2);
        const int sizes[] = {4, 8, 16};
        for (int round = 0;; ++round) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution(2000, 4000)(random)));
            if (Clock::now() >= end) {
                break;
            }
            for (int i = 0; i < sizes[round % 3]; ++i) {
                send(0);
            }
        }
    });
    engineThread.join();
    flushThread.join();
    sender.reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    const std::vector<Sent> sent = ledger.All();
    const auto arrivals = receiver.Arrivals();
    std::vector<double> calm, crowded;
    std::size_t calmLost = 0, crowdedLost = 0;
    for (std::size_t i = 0; i < sent.size(); ++i) {
        const auto found = arrivals.find(static_cast<int>(i));
        if (found == arrivals.end()) {
            ++(sent[i].crowded ? crowdedLost : calmLost);
        } else {
            (sent[i].crowded ? crowded : calm).push_back(Microseconds(found->second - sent[i].due));
        }
    }
    Report("cues, at most 8 pending", calm, calmLost);
    Report("cues, more than 8 pending", crowded, crowdedLost);
    int sequence = static_cast<int>(sent.size()) + 1000000;
    ReportLoopback(receiver.Port(), receiver, sequence);
    std::printf("Goal: p99 of the error at most 1000 us and nothing lost with at most 8 pending.\n");
    engine->Shutdown();
    return 0;
}
