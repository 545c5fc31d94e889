// vemo-osc-listen: receives OSC commands on a UDP port and carries them out on the simulated player
// engine with the current show, printing what the engine and the sound-effect player are asked to do.
#include "handlers/fade_receivers.h"
#include "handlers/vemo_osc_callbacks.h"
#include "listen/journal_printer.h"
#include "listen/listen_options.h"
#include "listen/termination_signals.h"
#include "osc/osc_address.h"
#include "osc/osc_server.h"
#include "osc/osc_settings.h"
#include "send/held_osc_cues.h"
#include "send/vemo_player_osc_callback.h"

#include <fonexa/sfx_player.h>
#include <vemo_core/show_record.h>
#include <vemo_core/types.h>
#include <vemo_demo_show/install.h>
#include <vemo_tolbrin2/tn2_audio_interface.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <stdexcept>

namespace {

using namespace vemo;

constexpr int kJournalPollMs = 50;

std::filesystem::path DataDirectory()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/tolbrin";
    QDir().mkpath(folder);
    return folder.toStdString();
}

osc::OscSettings ReadSettings(const osc::ListenOptions& options, const std::filesystem::path& dataDirectory)
{
    osc::OscSettings settings;
    const std::string path = options.settingsPath.value_or((dataDirectory / "osc_settings.vemo").string());
    if (options.settingsPath || QFileInfo::exists(QString::fromStdString(path))) {
        settings.Load(path);
    }
    if (!settings.oscEnabled) {
        throw std::runtime_error("OSC is disabled in " + path + ": no server runs.");
    }
    if (options.port) {
        settings.oscListenPort = *options.port;
    }
    return settings;
}

void PrintLine(const std::string& line)
{
    std::cout << line << std::endl;
}

void PrintError(const std::exception& error)
{
    std::cerr << "vemo-osc-listen: " << error.what() << std::endl;
}

// Runs `work` and prints a std::exception it throws, so that no failure escapes into the event loop.
template <typename Work> auto Guarded(Work work)
{
    return [work = std::move(work)](auto&&... arguments) {
        try {
            work(std::forward<decltype(arguments)>(arguments)...);
        } catch (const std::exception& error) {
            PrintError(error);
        }
    };
}

int Listen(QCoreApplication& app, const osc::ListenOptions& options)
{
    // Ctrl+C and SIGTERM end the event loop once it runs, also when they arrive while the show loads.
    osc::TerminationSignals terminationSignals;
    int stopSignal = 0;
    QObject::connect(&terminationSignals, &osc::TerminationSignals::received, &app, [&app, &stopSignal](int signalNumber) {
        stopSignal = signalNumber;
        app.quit();
    });
    const std::filesystem::path dataDirectory = DataDirectory();
    demo::InstallIfNoCurrentShow(dataDirectory);
    const core::ShowRecordStore shows(dataDirectory);
    const std::string showName = shows.CurrentRecord().showName;
    const osc::OscSettings settings = ReadSettings(options, dataDirectory);

    // The engine appends each call to its journal file, which is printed as it grows.
    QTemporaryDir journalFolder;
    if (qEnvironmentVariableIsEmpty("VEMO_STANDIN_JOURNAL")) {
        qputenv("VEMO_STANDIN_JOURNAL", journalFolder.filePath("engine-journal.txt").toLocal8Bit());
    }
    osc::JournalFilePrinter engineJournal("[engine] ", qEnvironmentVariable("VEMO_STANDIN_JOURNAL").toStdString(),
        [showNotifications = options.notifications](const std::string& line) {
            return showNotifications || !line.starts_with("> notify ");
        });

    // Cues go out through a sender whose default port is the listen port; a port the server would
    // refuse sends nothing.
    const bool listenPortValid = settings.oscListenPort >= 1 && settings.oscListenPort <= 65535;
    auto sender = std::make_shared<VemoPlayerOscCallback>(
        listenPortValid ? static_cast<std::uint16_t>(settings.oscListenPort) : std::uint16_t(0));
    auto player = std::make_shared<Tn2AudioInterface>(shows.CurrentShowFolder().string(), dataDirectory.string(), true,
        sender);
    player->ThrowIfThreadExceptions();
    sender->SetPlayer(player);
    PrintLine("Show \"" + showName + "\": address it as /vemo/show/" + osc::ToOscName(showName) + "/...");

    osc::JournalPrinter sfxJournal("[sfx] ", [] { return audio::testing::Journal(); });
    const auto printJournals = Guarded([&] {
        engineJournal.PrintNew();
        sfxJournal.PrintNew();
    });

    auto handlers = std::make_unique<VemoOscCallbacks>(player, showName);
    ConnectFadeReceivers(*handlers, player, app, PrintError);
    // The journals' lines so far come before each signal's line, so that the output keeps the order of events.
    // Cues reached while stopped are held until a command starts playback.
    HeldOscCues heldCues;
    QObject::connect(sender.get(), &VemoPlayerOscCallback::enqueueOscCommand, &app,
        Guarded([&heldCues, &player, &sender](const CL::Osc& cue, uint32_t delay) {
            heldCues.Enqueue(cue, delay, player.get(), *sender);
        }));
    QObject::connect(sender.get(), &VemoPlayerOscCallback::OutgoingNotification, &app, Guarded([&printJournals] {
        printJournals();
        PrintLine("[osc] OUT");
    }));
    QObject::connect(handlers.get(), &VemoOscCallbacks::RequestPlayQueudOscEvents, &app,
        Guarded([&printJournals, &heldCues, &player, &sender] {
            printJournals();
            PrintLine("[osc] RequestPlayQueudOscEvents");
            heldCues.Flush(player.get(), *sender);
        }));
    QObject::connect(handlers.get(), &VemoOscCallbacks::Notification, &app, Guarded([&app, &printJournals] {
        printJournals();
        PrintLine("[osc] Notification");
        // Once the datagram is handled, show what it made the engine do.
        QMetaObject::invokeMethod(&app, printJournals, Qt::QueuedConnection);
    }));

    std::unique_ptr<osc::OscServer> server = osc::OscServer::Start(settings.oscListenPort, std::move(handlers));
    player->SetOscControlDefaultPort(static_cast<std::uint16_t>(settings.oscListenPort));
    player->DoOscProcessing(true);

    QTimer journalTimer;
    QObject::connect(&journalTimer, &QTimer::timeout, &app, [&printJournals] { printJournals(); });
    journalTimer.start(kJournalPollMs);

    PrintLine("Listening for OSC on UDP port " + std::to_string(settings.oscListenPort) + "; Ctrl+C ends.");
    app.exec();

    journalTimer.stop();
    sender->ClearPlayer();
    player->Shutdown();
    printJournals();
    server.reset();
    PrintLine(std::string("Stopped on ") + (stopSignal == SIGINT ? "SIGINT" : "SIGTERM") + ".");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Line-buffered even into a pipe, so that a reader sees each line at once.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QCoreApplication app(argc, argv);
    vemo::core::RegisterQtMetaTypes();
    try {
        return Listen(app, osc::ListenOptions::Parse(app.arguments()));
    } catch (const std::exception& error) {
        PrintError(error);
        return 1;
    }
}
