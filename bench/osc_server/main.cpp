// Sends /vemo/volume datagrams carrying a sequence number from one sender thread over 127.0.0.1, at
// stepped rates, to the OSC server (on this QCoreApplication's main thread) and to a liblo server
// thread, in alternating phases of one run. Prints the highest rate without loss for each and the
// send-to-handler latency at a moderate rate, with the ratios to liblo.
#include "osc/osc_proc_interface.h"
#include "osc/osc_server.h"

#include <lo/lo.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QTimer>
#include <QUdpSocket>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Handler time stamps by sequence number, written by whichever thread handles the datagram.
struct Arrivals {
    explicit Arrivals(std::size_t count) : at(count), seen(count) {}

    void Record(std::int32_t sequence)
    {
        if (sequence >= 0 && std::size_t(sequence) < at.size()) {
            at[std::size_t(sequence)] = Clock::now();
            seen[std::size_t(sequence)].store(true, std::memory_order_release);
            received.fetch_add(1, std::memory_order_acq_rel);
        }
    }

    std::vector<Clock::time_point> at;
    std::vector<std::atomic<bool>> seen;
    std::atomic<std::size_t> received{0};
};

// Reads the sequence number in Notify and stamps the arrival in Volume, as the program's handlers
// would act in Volume.
class StampingHandlers : public vemo::osc::OscProcInterface {
public:
    explicit StampingHandlers(Arrivals& arrivals) : arrivals_(arrivals) {}

    void Notify(const vemo::osc::OscMessage& message) override { sequence_ = message.arguments.at(1)->toInt32(); }
    void Volume(float) override { arrivals_.Record(sequence_); }

private:
    Arrivals& arrivals_;
    std::int32_t sequence_ = -1;
};

int LibloVolume(const char*, const char*, lo_arg** argv, int, lo_message, void* arrivals)
{
    static_cast<Arrivals*>(arrivals)->Record(argv[1]->i);
    return 0;
}

std::uint16_t FreePort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::AnyIPv4, 0);
    return probe.localPort();
}

// "/vemo/volume" ,fi -6.0 <sequence>: the sequence is the last 4 bytes.
std::vector<char> VolumeDatagram()
{
    const char bytes[] = "/vemo/volume\0\0\0\0,fi\0\xc0\xc0\0\0\0\0\0\0";
    return std::vector<char>(bytes, bytes + sizeof bytes - 1);
}

// Sends `count` datagrams at `rate` per second to 127.0.0.1:port and returns their send times.
std::vector<Clock::time_point> SendPaced(std::uint16_t port, std::size_t count, double rate)
{
    std::vector<Clock::time_point> sent(count);
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::vector<char> datagram = VolumeDatagram();
    const auto start = Clock::now();
    for (std::size_t i = 0; i < count; ++i) {
        const auto due = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(double(i) / rate));
        if (due - Clock::now() > std::chrono::microseconds(200)) {
            std::this_thread::sleep_until(due - std::chrono::microseconds(100));
        }
        while (Clock::now() < due) {
        }
        const std::uint32_t sequence = htonl(std::uint32_t(i));
        std::memcpy(datagram.data() + datagram.size() - 4, &sequence, 4);
        sent[i] = Clock::now();
        ::sendto(fd, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }
    ::close(fd);
    return sent;
}

struct Phase {
    std::size_t received = 0;
    std::vector<double> latenciesUs;
};

Phase Collect(const Arrivals& arrivals, const std::vector<Clock::time_point>& sent)
{
    Phase phase;
    phase.received = arrivals.received.load();
    for (std::size_t i = 0; i < sent.size(); ++i) {
        if (arrivals.seen[i].load(std::memory_order_acquire)) {
            phase.latenciesUs.push_back(std::chrono::duration<double, std::micro>(arrivals.at[i] - sent[i]).count());
        }
    }
    std::sort(phase.latenciesUs.begin(), phase.latenciesUs.end());
    return phase;
}

// Runs the main thread's event loop while the sender works, then until nothing more arrives.
Phase RunOurs(std::size_t count, double rate)
{
    Arrivals arrivals(count);
    const std::uint16_t port = FreePort();
    vemo::osc::OscServer server(port, std::make_unique<StampingHandlers>(arrivals));
    std::vector<Clock::time_point> sent;
    std::atomic<bool> done{false};
    std::thread sender([&] {
        sent = SendPaced(port, count, rate);
        done = true;
    });
    QEventLoop loop;
    QTimer poll;
    std::size_t lastSeen = 0;
    int quietTicks = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const std::size_t now = arrivals.received.load();
        quietTicks = (now == lastSeen) ? quietTicks + 1 : 0;
        lastSeen = now;
        if (now == count || (done && quietTicks >= 10)) {
            loop.quit();
        }
    });
    poll.start(10);
    loop.exec();
    sender.join();
    return Collect(arrivals, sent);
}

Phase RunLiblo(std::size_t count, double rate)
{
    Arrivals arrivals(count);
    const std::string port = std::to_string(FreePort());
    lo_server_thread server = lo_server_thread_new(port.c_str(), nullptr);
    lo_server_thread_add_method(server, "/vemo/volume", "fi", LibloVolume, &arrivals);
    lo_server_thread_start(server);
    const auto sent = SendPaced(std::uint16_t(std::stoi(port)), count, rate);
    std::size_t lastSeen = 0;
    for (int quietTicks = 0; arrivals.received.load() < count && quietTicks < 10;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const std::size_t now = arrivals.received.load();
        quietTicks = (now == lastSeen) ? quietTicks + 1 : 0;
        lastSeen = now;
    }
    lo_server_thread_stop(server);
    lo_server_thread_free(server);
    return Collect(arrivals, sent);
}

void Append(Phase& total, const Phase& round)
{
    total.received += round.received;
    total.latenciesUs.insert(total.latenciesUs.end(), round.latenciesUs.begin(), round.latenciesUs.end());
    std::sort(total.latenciesUs.begin(), total.latenciesUs.end());
}

double Percentile(const std::vector<double>& sorted, double p)
{
    return sorted.empty() ? 0.0 : sorted[std::min(sorted.size() - 1, std::size_t(p * double(sorted.size())))];
}

std::string KernelReceiveBuffer()
{
    std::ifstream file("/proc/sys/net/core/rmem_default");
    std::string value;
    file >> value;
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    int size = 0;
    socklen_t length = sizeof size;
    ::getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, &length);
    ::close(fd);
    return "net.core.rmem_default " + (value.empty() ? std::string("?") : value) + " bytes, SO_RCVBUF of a new socket "
        + std::to_string(size) + " bytes";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The server's opening and closing lines would drown the table.
    std::cout.rdbuf(nullptr);
    constexpr int kRepeats = 2;
    constexpr double kStepSeconds = 0.4;
    const std::vector<double> rates = {5000, 10000, 20000, 40000, 80000, 160000, 320000};

    std::printf("OSC server on loopback 127.0.0.1, one sender thread; kernel default receive buffer: %s\n\n",
        KernelReceiveBuffer().c_str());
    std::printf("%10s %10s %20s %20s\n", "rate/s", "datagrams", "ours received", "liblo received");

    double oursBest = 0;
    double libloBest = 0;
    bool oursLossless = true;
    bool libloLossless = true;
    for (const double rate : rates) {
        if (!oursLossless && !libloLossless) {
            break;
        }
        const auto count = std::size_t(rate * kStepSeconds);
        std::size_t oursWorst = count;
        std::size_t libloWorst = count;
        for (int repeat = 0; repeat < kRepeats; ++repeat) {
            if (oursLossless) {
                oursWorst = std::min(oursWorst, RunOurs(count, rate).received);
            }
            if (libloLossless) {
                libloWorst = std::min(libloWorst, RunLiblo(count, rate).received);
            }
        }
        oursLossless = oursLossless && oursWorst == count;
        libloLossless = libloLossless && libloWorst == count;
        oursBest = oursLossless ? rate : oursBest;
        libloBest = libloLossless ? rate : libloBest;
        std::printf("%10.0f %10zu %20zu %20zu\n", rate, count, oursWorst, libloWorst);
    }
    std::printf("\nHighest rate without loss in %d runs: ours %.0f/s, liblo %.0f/s (ours/liblo %.2f)%s\n", kRepeats,
        oursBest, libloBest, libloBest > 0 ? oursBest / libloBest : 0.0,
        oursLossless || libloLossless ? "; the highest step tried was without loss" : "");

    constexpr double kLatencyRate = 1000;
    constexpr std::size_t kLatencyCount = 400;
    constexpr int kLatencyRounds = 5;
    Phase ours;
    Phase liblo;
    for (int round = 0; round < kLatencyRounds; ++round) {
        Append(ours, RunOurs(kLatencyCount, kLatencyRate));
        Append(liblo, RunLiblo(kLatencyCount, kLatencyRate));
    }
    const double oursMedian = Percentile(ours.latenciesUs, 0.5);
    const double oursP99 = Percentile(ours.latenciesUs, 0.99);
    const double libloMedian = Percentile(liblo.latenciesUs, 0.5);
    const double libloP99 = Percentile(liblo.latenciesUs, 0.99);
    std::printf("\nLatency send-to-handler at %.0f/s, %d alternating rounds of %zu datagrams (received: ours %zu, liblo %zu)\n",
        kLatencyRate, kLatencyRounds, kLatencyCount, ours.received, liblo.received);
    std::printf("  ours  median %8.1f us  p99 %8.1f us\n", oursMedian, oursP99);
    std::printf("  liblo median %8.1f us  p99 %8.1f us\n", libloMedian, libloP99);
    std::printf("  ours/liblo median %.2f, p99 %.2f (below 1 means ours is quicker)\n", oursMedian / libloMedian,
        oursP99 / libloP99);
    return 0;
}
