#include "app/launcher.h"

#include "app/data_directory.h"
#include "main_window/musical_main_controller.h"
#include "main_window/unsaved_changes_prompt.h"
#include "shows/show_downloader_controller.h"

#include <vemo_ui/controllers/dialog_controller.h>

#include <vemo_core/errors.h>
#include <vemo_core/types.h>
#include <vemo_demo_show/install.h>
#include <vemo_networking_http/network_api.h>

#include <QCoreApplication>
#include <QQmlApplicationEngine>

#include <iostream>

namespace vemo::qt {
namespace {

constexpr int kErrorDialog = 0;
constexpr int kInformationDialog = 2;

} // namespace

Launcher::Launcher(QQmlApplicationEngine* engine, std::unique_ptr<PlayerFactory> factory, QObject* parent)
    : QObject(parent), factory(std::move(factory)), engine(engine)
{
    dataDirectory = vemo::ProductDataDirectory(this->factory->productKey).string();
    vemo::MakeDirectoryIfNeeded(dataDirectory);
    vemo::demo::InstallIfNoCurrentShow(dataDirectory);

    showRecords = std::make_shared<ShowRecordStore>(dataDirectory);
    const std::filesystem::path showFolder = showRecords->CurrentShowFolder();

    std::unique_ptr<vemo::networking::DownloadPlan> plan = CheckShowFilesOnServer(showFolder);
    if (plan->empty()) {
        LaunchTnMainController();
    } else {
        StartDownload(std::move(plan));
    }
}

Launcher::~Launcher() = default;

std::unique_ptr<vemo::networking::DownloadPlan> Launcher::CheckShowFilesOnServer(const std::filesystem::path& showFolder)
{
    vemo::networking::NetworkApiInterface client(vemo::networking::DefaultApiBaseAddress());
    client.SetCredentials(showRecords->CurrentRecord().credential, factory->productType);
    const auto files = client.GetAllShowFiles();
    if (files.status != vemo::networking::API_SUCCESS) {
        std::string message = client.GetDisplayMessage();
        if (message.empty())
            message = "No error message. Possible network failure.";
        std::cerr << "Getting file list failed: " << message;
    }
    if (!files.data)
        return std::make_unique<vemo::networking::DownloadPlan>();
    return client.ValidateDownloadPlan(client.GetDownloadPlan(*files.data), showFolder);
}

void Launcher::StartDownload(std::unique_ptr<vemo::networking::DownloadPlan> plan)
{
    downloadController = std::make_unique<ShowDownloaderController>(engine, nullptr, factory->productType);
    ShowDownloaderController* download = downloadController.get();
    // The worker's completion and cancel arrive queued. The window's close stays direct: the main
    // window has to exist before Qt sees the last window closed, or the program would quit.
    connect(download, &ShowDownloaderController::DownloadFinishedSignal, this, &Launcher::DownloadFinished,
            Qt::QueuedConnection);
    connect(download, &ShowDownloaderController::Cancelled, this, &Launcher::LaunchTnMainController,
            Qt::QueuedConnection);
    connect(download, &ShowDownloaderController::Closing, this, &Launcher::LaunchTnMainController);
    connect(download, &ShowDownloaderController::downloadError, this, &Launcher::DownloadFailed,
            Qt::QueuedConnection);
    updateText = BuildUpdateMessage(*plan);
    download->Download(showRecords->CurrentRecord(), std::move(plan));
}

QString Launcher::BuildUpdateMessage(const vemo::networking::DownloadPlan& plan)
{
    QString logVersion;
    bool showFiles = false;
    for (const vemo::networking::DownloadPlanEntry& entry : plan.entries) {
        if (entry.type == "LOG") {
            logVersion = QString::number(entry.majorVersion) + "." + QString::number(entry.minorVersion);
        } else {
            showFiles = true;
        }
    }
    if (!logVersion.isEmpty() && showFiles)
        return "The event log has been updated to version " + logVersion +
               " and the show files have been repaired or updated to the latest version.";
    if (!logVersion.isEmpty())
        return "The event log has been updated to version " + logVersion + ".";
    if (showFiles)
        return "The show files have been repaired or updated to the latest version.";
    return QString();
}

void Launcher::DownloadFinished(const ShowRecord& record)
{
    filesUpdated = !record.id.empty() && !downloadFailed;
    LaunchTnMainController();
}

void Launcher::DownloadFailed()
{
    downloadFailed = true;
}

void Launcher::LaunchTnMainController()
{
    if (launched)
        return;
    launched = true;
    if (downloadController) {
        // Nothing the worker still reports while it is joined may start a second launch.
        downloadController->disconnect(this);
        downloadController.reset();
    }
    try {
        mainController = std::make_unique<MusicalMainController>(engine, factory.get());
    } catch (const CL::ChangeLogVersionError& versionError) {
        ShowErrorDialog(std::string("Loading show edits failed with the following error: ") + versionError.what() +
                            ". \n\nBecause the error is related to log versioning, you may be able to fix this issue "
                            "by downloading the latest version of the application from the VEMO website.",
                        "Loading Edits Failed");
        return;
    }
    connect(mainController.get(), &MusicalMainController::Closing, this, &Launcher::ClosingSaveQuery);
    connect(mainController.get(), &MusicalMainController::SaveCompleted, this, &Launcher::CloseAfterSave);
    if (filesUpdated && !updateText.isEmpty())
        mainController->showDialog(updateText.toStdString(), "Files Were Updated", kInformationDialog);
}

void Launcher::ShowErrorDialog(const std::string& message, const std::string& title)
{
    errorDialog = std::make_unique<DialogController>(message, title, kErrorDialog, nullptr, engine);
}

void Launcher::CloseApp()
{
    QCoreApplication::exit(0);
}

void Launcher::ClosingSaveQuery()
{
    if (mainController == nullptr || !mainController->hasUnsavedEdits()) {
        CloseApp();
        return;
    }
    closeAfterSave = true;
    UnsavedChangesPrompt* prompt = ShowUnsavedChangesPrompt("Save and Close", "Close Without Saving");
    if (prompt == nullptr) {
        // Without a prompt nobody can answer: the program goes on with its edits.
        NegateClose();
        return;
    }
    connect(prompt, &UnsavedChangesPrompt::accepted, mainController.get(), &MusicalMainController::onSaveButton);
    // A good save has asked to quit already; after a failed one the program goes on, and the next
    // save must not quit.
    connect(prompt, &UnsavedChangesPrompt::accepted, this, &Launcher::NegateClose);
    connect(prompt, &UnsavedChangesPrompt::cancelled, this, &Launcher::CloseApp);
    connect(prompt, &UnsavedChangesPrompt::negated, this, &Launcher::NegateClose);
}

void Launcher::CloseAfterSave()
{
    if (closeAfterSave)
        CloseApp();
}

void Launcher::NegateClose()
{
    closeAfterSave = false;
}

UnsavedChangesPrompt* Launcher::ShowUnsavedChangesPrompt(const QString& acceptText, const QString& cancelText)
{
    savePrompt = std::make_unique<UnsavedChangesPrompt>(engine, kQuitWithUnsavedChanges, acceptText, cancelText);
    return savePrompt->Window() != nullptr ? savePrompt.get() : nullptr;
}

} // namespace vemo::qt
