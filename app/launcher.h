#pragma once

#include "app/player_factory.h"

#include <vemo_core/show_record.h>

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>
#include <string>

class QQmlApplicationEngine;

namespace vemo::networking {
struct DownloadPlan;
} // namespace vemo::networking

namespace vemo::qt {

class DialogController;
class MusicalMainController;
class ShowDownloaderController;
class UnsavedChangesPrompt;

// Start-up and close of the program. At start-up it makes sure the data directory exists (installing
// the bundled demo show when there is no current show), asks the web service which of the current
// show's files are missing or outdated, and either fetches them in the "Downloading Show" window or
// opens the main window at once; after a download it tells the user what was updated. When the main
// window asks to close it quits at once, or, with unsaved edits, asks whether to save them first.
class Launcher : public QObject {
    Q_OBJECT

public:
    Launcher(QQmlApplicationEngine* engine, std::unique_ptr<PlayerFactory> factory, QObject* parent);
    ~Launcher() override;

    // The "Files Were Updated" text for a download plan; empty when the plan fetches nothing.
    static QString BuildUpdateMessage(const vemo::networking::DownloadPlan& plan);

public slots:
    // Opens the main window, once: later calls (a download's completion, cancel or closed window
    // arriving after the first) do nothing.
    void LaunchTnMainController();
    void CloseApp();
    // The main window asks to close: quits at once without unsaved edits, otherwise asks first.
    void ClosingSaveQuery();
    // A save has completed: quits when the user chose "Save and Close".
    void CloseAfterSave();
    // The user went back to the program, or the save chosen to close with failed: a later save no
    // longer quits.
    void NegateClose();

private slots:
    void DownloadFinished(const ShowRecord& record);
    void DownloadFailed();

private:
    std::unique_ptr<vemo::networking::DownloadPlan> CheckShowFilesOnServer(const std::filesystem::path& showFolder);
    void StartDownload(std::unique_ptr<vemo::networking::DownloadPlan> plan);
    void ShowErrorDialog(const std::string& message, const std::string& title);
    // Shows the "Unsaved Changes" prompt with these two answers besides "Cancel", replacing an
    // earlier one; null when its window could not be made.
    UnsavedChangesPrompt* ShowUnsavedChangesPrompt(const QString& acceptText, const QString& cancelText);

    // Releases its window on every answer.
    std::unique_ptr<UnsavedChangesPrompt> savePrompt;
    bool closeAfterSave = false;
    std::unique_ptr<DialogController> errorDialog;
    QString updateText;
    std::string dataDirectory;
    std::unique_ptr<MusicalMainController> mainController;
    std::shared_ptr<ShowRecordStore> showRecords;
    std::unique_ptr<ShowDownloaderController> downloadController;
    std::unique_ptr<PlayerFactory> factory;
    QQmlApplicationEngine* engine;
    // Set when the main window's launch begins, so that it runs once.
    bool launched = false;
    // Whether the download reported an error; its files were then not all updated.
    bool downloadFailed = false;
    // Whether the download obtained the show, so that the main window names the updated files.
    bool filesUpdated = false;
};

} // namespace vemo::qt
