// Plays the whole demo show on the manual clock as fast as possible with the scripted driver and
// reports simulated seconds per wall second, notifications per second and the cost of one engine
// step against its 20 ms budget. Works in a temporary data folder.

#include <vemo_demo_show/install.h>
#include <vemo_demo_show/scripted_driver.h>

#include <vemo_core/show_record.h>
#include <vemo_player_core/audio_interface.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kStepMs = 20.0;

struct Run {
    double wallSeconds = 0.0;
    double showSeconds = 0.0;
    std::uint64_t notifications = 0;
    std::vector<double> stepMicros;
};

Run playOnce(const std::filesystem::path& showFolder, const std::filesystem::path& dataDirectory)
{
    vemo::AudioInterface::Options options;
    options.clock = vemo::AudioInterface::Options::Clock::Manual;
    vemo::AudioInterface engine(showFolder.string(), dataDirectory.string(), true, nullptr, options);
    engine.ThrowIfThreadExceptions();
    vemo::demo::ScriptedDriver driver(engine);
    Run run;
    double showMs = 0.0;
    const auto started = Clock::now();
    driver.Start();
    while (!driver.Finished() && showMs < 60 * 60 * 1000.0) {
        const auto before = Clock::now();
        engine.Probe().Advance(std::chrono::milliseconds(20));
        run.stepMicros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - before).count());
        showMs += kStepMs;
        driver.Poll(showMs);
    }
    run.wallSeconds = std::chrono::duration<double>(Clock::now() - started).count();
    run.showSeconds = showMs / 1000.0;
    run.notifications = driver.NotificationCount();
    return run;
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir root;
    qputenv("XDG_DATA_HOME", (root.path() + "/home").toLocal8Bit());
    qputenv("XDG_DATA_DIRS", (root.path() + "/machine:/usr/share").toLocal8Bit());
    qunsetenv("VEMO_NO_DEMO");
    QCoreApplication app(argc, argv);
    const auto dataDirectory = std::filesystem::path(root.path().toStdString()) / "home" / "tolbrin";
    vemo::demo::InstallIfNoCurrentShow(dataDirectory);
    const auto showFolder = vemo::core::ShowRecordStore(dataDirectory).CurrentShowFolder();

    const int runs = 3;
    std::vector<double> steps;
    double wall = 0.0, show = 0.0;
    std::uint64_t notifications = 0;
    for (int i = 0; i < runs; ++i) {
        auto run = playOnce(showFolder, dataDirectory);
        wall += run.wallSeconds;
        show += run.showSeconds;
        notifications += run.notifications;
        steps.insert(steps.end(), run.stepMicros.begin(), run.stepMicros.end());
        QCoreApplication::processEvents();
    }
    std::sort(steps.begin(), steps.end());
    double sum = 0.0;
    for (double s : steps)
        sum += s;
    const double mean = sum / static_cast<double>(steps.size());
    const double p99 = steps[steps.size() * 99 / 100];
    const double budgetMicros = kStepMs * 1000.0;
    std::printf("Demo show played %d times: %.1f s of show time in %.3f s of wall time\n", runs, show, wall);
    std::printf("Simulated seconds per wall second: %.0f\n", show / wall);
    std::printf("Notifications delivered per wall second: %.0f (%llu in all)\n", notifications / wall,
                static_cast<unsigned long long>(notifications));
    std::printf("Engine step incl. delivery: mean %.1f us, p99 %.1f us, max %.1f us\n", mean, p99, steps.back());
    std::printf("Step cost / 20 ms budget: mean %.3f %%, p99 %.3f %% (goal below 1 %%)\n", 100.0 * mean / budgetMicros,
                100.0 * p99 / budgetMicros);
    return mean / budgetMicros < 0.01 ? 0 : 1;
}
