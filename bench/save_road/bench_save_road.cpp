// Times one save's road through the main window over a generated song of 400 bars with 300 events
// of every kind, in a show folder of 300 event logs, offscreen, on the simulated engine's manual
// clock: (a) onSaveButton() up to its SaveCompleted(), against (b) the engine's bare
// SaveChangelog() and LoadNewChangeLog() in the same run. Each run's new file is removed again
// (untimed), so every run scans the same 300 files. Prints the medians of 50 runs after warm-up and
// the ratio of (a) to (b) against the goal of at most 1.5.

#include "app/data_directory.h"
#include "app/tolbrin_player_factory.h"
#include "main_window/musical_main_controller.h"

#include "bench_support.h"

#include <vemo_core/show_record.h>
#include <vemo_core/types.h>

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QTemporaryDir>
#include <QWindow>
#include <QtQml/qqmlextensionplugin.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

Q_IMPORT_QML_PLUGIN(com_quorvane_vemo_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_musical_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_tolbrin2_uiPlugin)

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kBars = 400;
constexpr int kEachKind = 25;
constexpr int kLogFiles = 300;
constexpr int kRuns = 50;
constexpr int kWarmUp = 5;
constexpr double kGoal = 1.5;
// The highest of the generated logs is 1.44, so every save writes 1.45.
const char* const kSavedName = "Bench-1.45.logdata";

// The generated show as the current show of the product's data folder, with copies of its log
// under versions 0.1 to 0.255 and 1.1 to 1.44 beside its 1.0. Returns the show folder.
fs::path InstallShow(const QTemporaryDir& root, const fs::path& dataDirectory)
{
    const fs::path written = bench::WriteShow(root, kBars, [](CL::SongDocument& events) {
        bench::FillEveryKind(events, kBars, kEachKind);
    });
    const fs::path folder = dataDirectory / "shows" / "bench";
    fs::create_directories(folder.parent_path());
    fs::rename(written, folder);
    for (int file = 1; file < kLogFiles; ++file) {
        const int major = file <= 255 ? 0 : 1;
        const int minor = file <= 255 ? file : file - 255;
        fs::copy_file(folder / "Bench-1.0.logdata",
                      folder / ("Bench-" + std::to_string(major) + "." + std::to_string(minor) + ".logdata"));
    }
    ShowRecordStore store(dataDirectory);
    ShowRecord record;
    record.id = "bench";
    record.showName = "Bench";
    record.customerName = "Bench";
    record.directory = "shows/bench";
    record.credential = "bench";
    store.Put(record);
    store.SetCurrent("bench");
    store.Save();
    return folder;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Microseconds from the start of `work` to the moment it sets `finished`; nullopt when it does not.
std::optional<double> Timed(const std::function<void()>& work, Clock::time_point& finished)
{
    finished = Clock::time_point();
    const Clock::time_point start = Clock::now();
    work();
    if (finished == Clock::time_point())
        return std::nullopt;
    return std::chrono::duration<double, std::micro>(finished - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir root;
    bench::UseOffscreenSoftware(root);
    qputenv("VEMO_STANDIN_CLOCK", "manual");
    QGuiApplication app(argc, argv);
    vemo::core::RegisterQtMetaTypes();
    Q_INIT_RESOURCE(vemo_images);

    vemo::qt::TolbrinPlayerFactory factory;
    factory.oscEnabled = false;
    const fs::path folder = InstallShow(root, vemo::ProductDataDirectory(factory.productKey));
    QQmlApplicationEngine qml;
    qml.addImportPath("qrc:/qt/qml");
    vemo::qt::MusicalMainController window(&qml, &factory);
    const auto bare = bench::MakeEngine(folder);

    Clock::time_point finished;
    QObject::connect(&window, &vemo::qt::MusicalMainController::SaveCompleted, [&finished] { finished = Clock::now(); });
    const auto save = [&] { window.onSaveButton(); };
    const auto bareSave = [&] {
        bare->SaveChangelog(1, 45);
        bare->LoadNewChangeLog();
        finished = Clock::now();
    };

    std::vector<double> saves;
    std::vector<double> bareSaves;
    for (int run = 0; run < kWarmUp + kRuns; ++run) {
        for (QWindow* shown : QGuiApplication::topLevelWindows())
            shown->setVisible(false);
        const std::optional<double> saveTime = Timed(save, finished);
        bench::DeliverDeferredDeletes();
        fs::remove(folder / kSavedName);
        const std::optional<double> bareTime = Timed(bareSave, finished);
        fs::remove(folder / kSavedName);
        if (!saveTime || !bareTime) {
            std::fprintf(stderr, "The save did not complete.\n");
            return 1;
        }
        if (run >= kWarmUp) {
            saves.push_back(*saveTime);
            bareSaves.push_back(*bareTime);
        }
    }

    const double ratio = Median(saves) / Median(bareSaves);
    std::printf("%-44s median %10.1f us\n", "save from the main window", Median(saves));
    std::printf("%-44s median %10.1f us\n", "engine's save and reload", Median(bareSaves));
    std::printf("ratio %.2f (goal <= %.1f): %s\n", ratio, kGoal, ratio <= kGoal ? "met" : "NOT met");
    return ratio <= kGoal ? 0 : 1;
}
