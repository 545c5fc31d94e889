#include "main_window/show_manager.h"

#include "app/message_box.h"

#include <stdexcept>

namespace vemo {

ShowManager::ShowManager(std::shared_ptr<Interface> player)
{
    SetPlayer(std::move(player));
}

void ShowManager::SetPlayer(std::shared_ptr<Interface> newPlayer)
{
    if (player)
        throw std::runtime_error("You must delete the previous player before instantiating a new one!");
    player = std::move(newPlayer);
    const SongNameMap names = player->GetSongNamesBySongNumber();
    songs.clear();
    songs.insert(names.begin(), names.end());
    songEntries.assign(songs.begin(), songs.end());
    RefreshAttacca();
    showDirectory = player->GetShowDirectory();
    editor = player->GetChangeLogEditor();
    ShowTempoScaleWarning();
    ShowModifiedClickWarning();
    ShowInvertedLoopWarning();
}

void ShowManager::LoadChangelog(const std::string& fileName)
{
    player->SetChangelogFilename(fileName);
    player->Pause(false);
    editor = player->GetChangeLogEditor();
    RefreshAttacca();
    ShowModifiedClickWarning();
    ShowTempoScaleWarning();
    ShowInvertedLoopWarning();
}

void ShowManager::ShutdownPlayer()
{
    if (!player)
        return;
    try {
        player->Shutdown();
    } catch (...) {
    }
    try {
        player.reset();
    } catch (...) {
    }
}

std::string ShowManager::GetCurrentSongNumber() const
{
    return player->GetCurrentSongNumber();
}

std::string ShowManager::GetBarString(unsigned tick) const
{
    return player->GetBarString(tick);
}

CL::Editor* ShowManager::GetEditorForEdit()
{
    player->Pause(false);
    return editor;
}

std::vector<std::unique_ptr<cmn::VemoEvent>> ShowManager::GetChangeLogPanelEvents() const
{
    return player->GetChangeLogPanelEvents();
}

std::string ShowManager::GetLogVersion() const
{
    return player->GetLogVersion();
}

std::vector<std::pair<cmn::VemoEvent*, std::string>> ShowManager::GetMarkersWithBars() const
{
    std::vector<std::pair<cmn::VemoEvent*, std::string>> pairs;
    for (cmn::VemoEvent* marker : player->GetMarkers())
        pairs.emplace_back(marker, player->GetBarString(marker->abs_time()));
    return pairs;
}

unsigned ShowManager::GetSongLength(const std::string& song) const
{
    return player->GetSongLength(song);
}

unsigned ShowManager::GetSongStartTickIndex(const std::string& song) const
{
    return player->GetSongStartTickIndex(song);
}

void ShowManager::SelectSongLogForEditing(const std::string& song)
{
    editor->SelectSongLogForEditing(song);
}

void ShowManager::RefreshAttacca() const
{
    for (const auto& [number, title] : songs)
        player->GetAttacca(number);
}

void ShowManager::ShowModifiedClickWarning() const
{
    const std::string log = player->GetModifiedClickEditLog();
    if (!log.empty())
        qt::OpenMessageBox(log);
}

void ShowManager::ShowTempoScaleWarning() const
{
    const std::string warnings = player->GetTempoScaleWarnings();
    if (!warnings.empty())
        qt::OpenMessageBox(warnings);
}

void ShowManager::ShowInvertedLoopWarning() const
{
    if (player->GetInvertedLoopEventCount() == 0)
        return;
    qt::OpenMessageBox(std::string("We have detected and automatically fixed some unusual")
                       + " change log edits. Please review the following changes to"
                       + " ensure that they work as you expect.\n\n" + player->GetInvertedLoopEventDescription());
}

} // namespace vemo
