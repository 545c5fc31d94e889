#include "main_window/musical_main_controller.h"

#include "main_window/show_manager.h"
#include "main_window/unsaved_changes_prompt.h"
#include "shows/changelog_manager_controller.h"
#include "shows/log_file_names.h"

#include <iostream>

namespace vemo::qt {
namespace {

// The version text of a row of `model`, or "" for a row it does not have.
std::string RowVersion(const ChangelogListModel& model, int row)
{
    if (row < 0 || row >= model.rowCount())
        return std::string();
    return model.versionText(row).toStdString();
}

} // namespace

void MusicalMainController::ShowChangelogManager_()
{
    ReleaseChangelogManager();
    try {
        changelogManager = std::shared_ptr<ChangelogManagerController>(
            new ChangelogManagerController(engine, showRecords, QmlObject()),
            [](ChangelogManagerController* manager) { manager->deleteLater(); });
        connect(changelogManager.get(), &ChangelogManagerController::ChangelogLocalSelected, this,
                &MusicalMainController::ChangelogLocalSelected_);
        connect(changelogManager.get(), &ChangelogManagerController::ChangelogServerSelected, this,
                &MusicalMainController::ChangelogServerSelected_);
        connect(changelogManager.get(), &ChangelogManagerController::Closing, this,
                &MusicalMainController::ChangelogManagerClosing_);
        changelogManager->SetVisible(true);
        changelogManager->Show();
    } catch (const std::exception& failure) {
        ReleaseChangelogManager();
        showDialog(failure.what(), "Error", 0);
    }
}

void MusicalMainController::ChangelogLocalSelected_(int index)
{
    ChooseVersion(index, false);
}

void MusicalMainController::ChangelogServerSelected_(int index)
{
    ChooseVersion(index, true);
}

void MusicalMainController::ChooseVersion(int index, bool fromServer)
{
    if (!changelogManager)
        return;
    const std::string version =
        RowVersion(fromServer ? changelogManager->serverModel() : changelogManager->localModel(), index);
    if (version.empty())
        return;
    SwitchVersion([this, version, fromServer] {
        try {
            if (fromServer)
                LoadServerVersion(version);
            else
                LoadLocalVersion(version);
        } catch (const std::exception& failure) {
            showDialog(failure.what(), "Loading Edits Failed", 0);
        }
    });
}

void MusicalMainController::LoadLocalVersion(const std::string& versionText)
{
    const std::optional<std::filesystem::path> file = FindLocalLogFile(showFolder, versionText);
    if (!file)
        return;
    showManager->LoadChangelog(file->filename().string());
    ReloadSongAfterLogChange();
    ReleaseChangelogManager();
    emit SignalAttaccaUpdate();
}

void MusicalMainController::LoadServerVersion(const std::string& versionText)
{
    if (!changelogManager)
        return;
    const std::string fileName = changelogManager->DownloadLogByVersion(versionText);
    if (fileName.empty()) {
        std::cerr << "Server file does not exist." << std::endl;
        return;
    }
    showManager->LoadChangelog(fileName);
    changelogManager->CleanupDuplicateLogFiles();
    changelogManager->RefreshLocalAndNotify();
    ReloadSongAfterLogChange();
    ReleaseChangelogManager();
    emit SignalAttaccaUpdate();
}

void MusicalMainController::ChangelogManagerClosing_()
{
    ReleaseChangelogManager();
}

void MusicalMainController::ReleaseChangelogManager()
{
    if (!changelogManager)
        return;
    disconnect(changelogManager.get(), nullptr, this, nullptr);
    changelogManager.reset();
}

void MusicalMainController::SwitchVersion(std::function<void()> switchVersion)
{
    if (!hasUnsavedEdits()) {
        switchVersion();
        return;
    }
    auto prompt = std::make_shared<UnsavedChangesPrompt>(engine, kSwitchWithUnsavedChanges, "Save and Switch",
                                                         "Switch Without Saving");
    connect(prompt.get(), &UnsavedChangesPrompt::accepted, this, [this, switchVersion] {
        if (SaveEdits())
            switchVersion();
    });
    connect(prompt.get(), &UnsavedChangesPrompt::cancelled, this, switchVersion);
    switchPrompt = std::move(prompt);
}

} // namespace vemo::qt
