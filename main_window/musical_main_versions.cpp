#include "main_window/musical_main_controller.h"

#include "editing/edit_controller.h"
#include "main_window/log_versions.h"
#include "main_window/show_manager.h"
#include "shows/log_file_names.h"

#include <vemo_core/version.h>
#include <vemo_networking_http/downloader.h>
#include <vemo_networking_http/network_api.h>

#include <QDateTime>
#include <QFile>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace vemo::qt {
namespace {

constexpr int kLastVersion = 255;

std::string VersionText(int major, int minor)
{
    return std::to_string(major) + "." + std::to_string(minor);
}

} // namespace

void MusicalMainController::onSaveButton()
{
    SaveEdits();
}

bool MusicalMainController::SaveEdits()
{
    try {
        SaveNextMinorVersion();
        return true;
    } catch (const std::exception& failure) {
        showDialog(std::string("The edits could not be saved. ") + failure.what(), "Save Failed", 0);
        return false;
    }
}

void MusicalMainController::SaveNextMinorVersion()
{
    const LocalLogVersion highest = highestLocalLogVersion(showFolder);
    if (highest.minor >= kLastVersion) {
        throw std::runtime_error("Version " + std::to_string(highest.major) +
                                 ".255 is the last minor version an event log can have.");
    }
    player->SaveChangelog(highest.major, highest.minor + 1);
    showManager->GetPlayer()->LoadNewChangeLog();
    editController->MarkChangeLogSaved();
    emit SaveCompleted();
    showDialog("These changes are only saved locally and are NOT distributed to your cast. We always recommend "
               "sharing changes when possible.",
               "Save Complete", 2);
}

void MusicalMainController::onSaveAndUploadButton()
{
    try {
        ShareNextMajorVersion();
    } catch (const std::exception& failure) {
        showDialog(std::string("The edits could not be shared. ") + failure.what(), "Save and Share Failed", 0);
    }
}

void MusicalMainController::ShareNextMajorVersion()
{
    using namespace vemo::networking;
    const ShowRecord& record = showRecords->CurrentRecord();
    NetworkApiInterface web(DefaultApiBaseAddress());
    web.SetCredentials(record.credential, 0);
    const RequestResult<ChangelogInfoList> listed = web.GetAvailableLogs();
    if (!listed.data) {
        showDialog("Failed to get current log on server. Check internet connectivity?", "Server Error on Save", 0);
        return;
    }
    int highestMajor = 0;
    for (const ChangelogInfo& info : *listed.data)
        highestMajor = std::max<int>(highestMajor, info.majorVersion);
    if (highestMajor >= kLastVersion)
        throw std::runtime_error("Version 255 is the last major version an event log can have.");

    player->SaveChangelog(highestMajor + 1, 0);
    showManager->GetPlayer()->LoadNewChangeLog();
    const cmn::VEMOVersion version = showManager->GetEditorForEdit()->GetVersion();
    const std::string fileName = player->GetChangelogFilename();
    const bool uploaded = UploadChangelog(player->GetShowAuthorizationData(), fileName, version.majorVersion,
                                          version.minorVersion, record.credential, showFolder, factory->productType);
    if (!uploaded) {
        showDialog("The edits failed to upload. Upload returned an error.", "Save and Share Failed", 0);
        return;
    }
    editController->MarkChangeLogUploaded();
    touchFile(QString::fromStdString(fileName));
    showDialog("Your edits are now available in Vask|ora and Tol|brin.", "Share Complete", 2);
}

void MusicalMainController::GetLatestLogClicked_()
{
    SwitchVersion([this] {
        try {
            LoadLatestLog();
        } catch (const std::exception& failure) {
            showDialog(std::string("Log failed to download. ") + failure.what(), "Download Error", 0);
        }
    });
}

void MusicalMainController::LoadLatestLog()
{
    using namespace vemo::networking;
    const ShowRecord& record = showRecords->CurrentRecord();
    NetworkApiInterface web(DefaultApiBaseAddress());
    web.SetCredentials(record.credential, factory->productType);
    const RequestResult<LogVersion> latest = web.GetLatestLog();
    if (!latest.data)
        throw std::runtime_error("Get Latest Log Version Failed. " + latest.GetDisplayMessage());
    const int major = latest.data->majorVersion;
    const int minor = latest.data->minorVersion;
    const RequestResult<ChangelogFullInfo> linked = web.GetChangelogLinkByVersion(latest.data->majorVersion,
                                                                                   latest.data->minorVersion);
    if (!linked.data)
        throw std::runtime_error("Latest Log Link Request Failed. " + linked.GetDisplayMessage());
    const ChangelogFullInfo& link = *linked.data;
    const std::optional<std::filesystem::path> target =
        CheckServiceLogName(link.fileName, VersionText(major, minor), showFolder);
    if (!target)
        throw std::runtime_error("The web service sent an unsafe file name");
    VEMODownloader downloader;
    if (!downloader.Download(link.link, *target, link.text, convertHexToVec(link.key), "KQTZ5", record.keyMaterial1,
                             record.keyMaterial2))
        throw std::runtime_error("Could not store " + link.fileName + ".");
    showDialog("Log version " + VersionText(major, minor) + " has been downloaded.", "Download successful", 2);

    showManager->LoadChangelog(newestLocalLogPath(showFolder));
    ReloadSongAfterLogChange();
    editController->MarkChangeLogSaved();
    editController->UpdateLogVersionText();
}

bool MusicalMainController::touchFile(QString path)
{
    QFile file(QString::fromStdString((std::filesystem::path(showFolder) / path.toStdString()).string()));
    if (!file.exists() || !file.open(QIODevice::ReadWrite))
        return false;
    const bool touched = file.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
    file.close();
    return touched;
}

void MusicalMainController::ReloadSongAfterLogChange()
{
    showManager->GetPlayer()->LoadSong(showManager->GetCurrentSongNumber());
    emit ChangeLogLoaded();
}

} // namespace vemo::qt
