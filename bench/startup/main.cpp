// Times the program's start-up: from the start of the process to the main window's first frame, and
// the resident set (VmRSS) at that frame, against a bare Qt Quick program with one 1366 x 768
// ApplicationWindow in the Basic style. The program starts on the demo show with its files up to date
// (no download). 10 alternating runs of each; medians and ratios printed (goal at most 1.5 for both).
// Run it on an X display with a screen wider than the window:
//     xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/startup/bench_startup

#include <vemo_core/show_record.h>
#include <vemo_demo_show/install.h>
#include <vemo_networking_http/network_api.h>
#include <vemo_networking_http/show_download.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 10;
constexpr int kProductType = 1;
constexpr double kGoal = 1.5;

long long MonotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

struct Sample {
    double milliseconds = 0.0;
    double megabytes = 0.0;
};

// Installs the demo show into `dataDirectory` and fetches the files its file check would ask for, so
// that the program opens its main window at once.
bool PrepareUpToDateDemo(const std::filesystem::path& dataDirectory)
{
    vemo::demo::InstallIfNoCurrentShow(dataDirectory);
    const ShowRecordStore store(dataDirectory);
    const ShowRecord record = store.CurrentRecord();
    vemo::networking::NetworkApiInterface client(vemo::networking::DefaultApiBaseAddress());
    client.SetCredentials(record.credential, kProductType);
    const auto files = client.GetAllShowFiles();
    if (!files.data)
        return false;
    auto plan = client.ValidateDownloadPlan(client.GetDownloadPlan(*files.data), store.CurrentShowFolder());
    std::atomic<bool> cancel{false};
    vemo_download::PerformShowDownload(record.credential, std::make_shared<vemo::networking::DownloadCallbacks>(),
                                       &cancel, std::string(), kProductType, plan.get());
    return client.ValidateDownloadPlan(client.GetDownloadPlan(*files.data), store.CurrentShowFolder())->empty();
}

std::optional<Sample> Run(const char* program)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    const long long started = MonotonicNanoseconds();
    process.start(program, {});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "%s did not end normally:\n%s\n", program, process.readAllStandardError().constData());
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 3 && fields[0] == "first-frame")
            return Sample{(fields[1].toLongLong() - started) / 1e6, fields[2].toLongLong() / 1024.0};
    }
    std::fprintf(stderr, "%s reported no first frame\n", program);
    return std::nullopt;
}

// The first three fields of /proc/loadavg: times on a busy machine are longer and vary more.
std::string LoadAverage()
{
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir root;
    qputenv("XDG_DATA_HOME", root.filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", root.filePath("config").toUtf8());
    qputenv("XDG_DATA_DIRS", (root.filePath("machine") + ":/usr/share").toUtf8());
    qunsetenv("VEMO_NO_DEMO");
    qunsetenv("VEMO_WEB_BASE");
    qunsetenv("VEMO_WEB_THROTTLE_BPS");
    QCoreApplication application(argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        std::fprintf(stderr, "No DISPLAY: run under xvfb-run -a -s \"-screen 0 1920x1080x24\"\n");

    if (!PrepareUpToDateDemo(std::filesystem::path(root.filePath("data").toStdString()) / "tolbrin")) {
        std::fprintf(stderr, "The demo show could not be brought up to date\n");
        return 1;
    }

    std::vector<double> programTimes, programMemory, bareTimes, bareMemory;
    for (int round = 0; round < kRounds; ++round) {
        const bool programFirst = round % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool program = (turn == 0) == programFirst;
            const std::optional<Sample> sample = Run(program ? TOLBRIN_STARTUP : BARE_STARTUP);
            if (!sample)
                return 1;
            (program ? programTimes : bareTimes).push_back(sample->milliseconds);
            (program ? programMemory : bareMemory).push_back(sample->megabytes);
        }
    }

    const double timeRatio = Median(programTimes) / Median(bareTimes);
    const double memoryRatio = Median(programMemory) / Median(bareMemory);
    std::printf("first frame: program %.1f ms, bare Qt Quick %.1f ms, ratio %.2f (goal %.1f)\n",
                Median(programTimes), Median(bareTimes), timeRatio, kGoal);
    std::printf("VmRSS then:  program %.1f MB, bare Qt Quick %.1f MB, ratio %.2f (goal %.1f)\n",
                Median(programMemory), Median(bareMemory), memoryRatio, kGoal);
    std::printf("load average at the end: %s\n", LoadAverage().c_str());
    return 0;
}
