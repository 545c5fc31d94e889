// vemo-engine-demo: plays the demo show (or another show folder) on the simulated engine with the
// scripted driver and prints the engine's notifications as they arrive.

#include <vemo_demo_show/install.h>
#include <vemo_demo_show/scripted_driver.h>

#include <vemo_core/show_record.h>
#include <vemo_tolbrin2/tn2_audio_interface.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStandardPaths>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

std::mutex printMutex;

void print(double showMs, const vemo::demo::ScriptedDriver::Seen& seen)
{
    std::lock_guard lock(printMutex);
    const auto seconds = static_cast<long>(showMs / 1000.0);
    std::printf("[%02ld:%02ld.%01ld] %-19s %8d  %s\n", seconds / 60, seconds % 60,
                static_cast<long>(showMs / 100.0) % 10, vemo::demo::KindName(seen.kind), seen.value,
                seen.text.c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("vemo-engine-demo");
    QCommandLineParser parser;
    parser.setApplicationDescription("Plays a show on the simulated engine and prints its notifications.");
    parser.addHelpOption();
    QCommandLineOption speedOption("speed", "Play <factor> times faster than real time (default 1).", "factor", "1");
    QCommandLineOption fastOption("fast", "Play as fast as possible on a manual clock.");
    QCommandLineOption allOption("all", "Also print the playhead and volume of every step.");
    QCommandLineOption showOption("show", "Play the show in <folder> instead of the current show.", "folder");
    parser.addOptions({speedOption, fastOption, allOption, showOption});
    parser.process(app);

    const double speed = parser.value(speedOption).toDouble();
    if (!(speed > 0.0)) {
        std::fprintf(stderr, "The speed must be a positive number.\n");
        return 2;
    }
    const auto dataDirectory =
        std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString())
        / "tolbrin";
    std::string showFolder = parser.value(showOption).toStdString();
    try {
        if (showFolder.empty()) {
            vemo::demo::InstallIfNoCurrentShow(dataDirectory);
            showFolder = vemo::core::ShowRecordStore(dataDirectory).CurrentShowFolder().string();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }

    const bool fast = parser.isSet(fastOption);
    qputenv("VEMO_STANDIN_CLOCK", fast ? "manual" : "realtime");
    qputenv("VEMO_STANDIN_SPEED", QByteArray::number(speed));
    vemo::Tn2AudioInterface engine(showFolder, dataDirectory.string(), true, nullptr);
    try {
        engine.ThrowIfThreadExceptions();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Cannot open the show: %s\n", e.what());
        return 1;
    }

    const bool all = parser.isSet(allOption);
    std::atomic<double> showMs{0.0};
    vemo::demo::ScriptedDriver driver(engine, [&](const vemo::demo::ScriptedDriver::Seen& seen) {
        if (all || (seen.kind != notify::EventKind::Playhead && seen.kind != notify::EventKind::StatusVolume))
            print(showMs.load(), seen);
    });
    std::printf("Playing %s (speed %g%s)\n", showFolder.c_str(), speed, fast ? ", as fast as possible" : "");
    driver.Start();
    const auto started = std::chrono::steady_clock::now();
    while (!driver.Finished()) {
        if (fast) {
            engine.Probe().Advance(std::chrono::milliseconds(20));
            showMs = showMs.load() + 20.0;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            showMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count() * speed;
        }
        QCoreApplication::processEvents();
        driver.Poll(showMs.load());
    }
    engine.Shutdown();
    std::printf("The show is over: %llu notifications in %.1f s of show time.\n",
                static_cast<unsigned long long>(driver.NotificationCount()), showMs.load() / 1000.0);
    return 0;
}
