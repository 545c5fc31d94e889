// Feeds arbitrary datagrams through the command processor and the program's handlers to a simulated
// engine on a manual clock, with the fade receivers the main window uses. The sanitizers report
// undefined conversions of argument values and any memory fault on the way.
#include "handlers/fade_receivers.h"
#include "handlers/vemo_osc_callbacks.h"
#include "osc/osc_command_processor.h"
#include "osc/osc_message.h"

#include <fonexa/sfx_player.h>
#include <vemo_player_core/audio_interface.h>

#include <QCoreApplication>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

// Inputs before the engine is made anew, so that its memory stays bounded.
constexpr int kInputsPerEngine = 4000;

// The handlers of the program, without the report on standard error for each refused input.
class QuietCallbacks : public vemo::VemoOscCallbacks {
public:
    using VemoOscCallbacks::VemoOscCallbacks;
    void ReportError(std::string, std::string) override {}
};

struct Harness {
    std::filesystem::path showFolder;
    std::filesystem::path dataFolder;
    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<QObject> guiContext;
    std::shared_ptr<vemo::AudioInterface> engine;
    std::unique_ptr<vemo::osc::OscCommandProcessor> processor;
    std::string firstSong;
    int inputs = 0;
};

Harness* harness = nullptr;

// The harness's folders, removed when the fuzzer exits.
std::filesystem::path scratchFolder;

void RemoveScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(scratchFolder, ignored);
}

void WriteManifest(const std::filesystem::path& machineFolder)
{
    const auto folder = machineFolder / "vemo_data" / "sfx";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "manifest.json")
        << R"({"metadata": {"count": 1, "ambientCount": 1}, )"
        << R"("sfx": [{"name": "Thunder", "id": "thunder", "file": "thunder.wav", "durationMs": 3000}], )"
        << R"("ambient": [{"name": "Rain", "id": "rain", "file": "rain.wav", "durationMs": 8000}]})";
    std::ofstream(folder / "thunder.wav") << "RIFF";
    std::ofstream(folder / "rain.wav") << "RIFF";
}

void MakeEngine(Harness& h)
{
    h.processor.reset();
    h.engine.reset();
    vemo::AudioInterface::Options options;
    options.clock = vemo::AudioInterface::Options::Clock::Manual;
    h.engine = std::make_shared<vemo::AudioInterface>(h.showFolder.string(), h.dataFolder.string(), true, nullptr, options);
    h.engine->ThrowIfThreadExceptions();
    h.firstSong = h.engine->GetSongNamesBySongNumber().begin()->first;

    auto handlers = std::make_unique<QuietCallbacks>(h.engine, "The Lantern Keeper");
    vemo::ConnectFadeReceivers(*handlers, h.engine, *h.guiContext, [](const std::exception&) {});
    h.processor = std::make_unique<vemo::osc::OscCommandProcessor>(std::move(handlers));
}

// Transport stopped at the first song's start, no fade, volume 1, empty journals.
void Reset(Harness& h)
{
    h.engine->Stop();
    h.engine->CancelFade();
    h.engine->LoadSong(h.firstSong);
    h.engine->SetVolume(1.0);
    h.engine->Probe().Drain();
    h.engine->Probe().ClearJournal();
    vemo::audio::testing::ClearJournal();
    QCoreApplication::processEvents();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    harness = new Harness;
    const auto root = std::filesystem::temp_directory_path() / ("vemo-osc-dispatch-fuzz-" + std::to_string(::getpid()));
    scratchFolder = root;
    std::atexit(RemoveScratchFolder);
    harness->showFolder = root / "show";
    harness->dataFolder = root / "data";
    std::filesystem::create_directories(harness->dataFolder);
    std::filesystem::copy(VEMO_DEMO_SHOW_DATA, harness->showFolder, std::filesystem::copy_options::recursive);
    WriteManifest(root / "machine");
    ::setenv("XDG_DATA_HOME", harness->dataFolder.c_str(), 1);
    ::setenv("XDG_DATA_DIRS", ((root / "machine").string() + ":/usr/share").c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    harness->app = std::make_unique<QCoreApplication>(*argc, *argv);
    harness->guiContext = std::make_unique<QObject>();
    MakeEngine(*harness);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Harness& h = *harness;
    if (++h.inputs % kInputsPerEngine == 0) {
        MakeEngine(h);
    }
    Reset(h);
    try {
        const vemo::osc::OscMessage message = vemo::osc::ParseOscMessage(data, size);
        h.processor->Process(message);
    } catch (const std::runtime_error&) {
        // Malformed datagrams never reach the handlers.
        return 0;
    }
    // Let short and negative fades end, and their completions run on this thread.
    h.engine->Probe().Advance(std::chrono::milliseconds(40));
    QCoreApplication::processEvents();
    return 0;
}
