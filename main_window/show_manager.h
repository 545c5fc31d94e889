#pragma once

#include <utilon/numeric_string_compare.h>
#include <vemo_player_core/interface.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vemo {

// The engine of the loaded show with the facts read from it once (songs, show folder, change-log
// editor). Every edit path reaches the change-log editor through it.
class ShowManager {
public:
    explicit ShowManager(std::shared_ptr<Interface> player);

    // Throws std::runtime_error when a player is set already.
    void SetPlayer(std::shared_ptr<Interface> player);
    // Switches the engine to another change-log file and shows its load warnings.
    void LoadChangelog(const std::string& fileName);
    // Shuts the engine down and releases it; never throws. A second call does nothing.
    void ShutdownPlayer();

    std::shared_ptr<Interface> GetPlayer() const { return player; }
    std::string GetCurrentSongNumber() const;
    std::string GetBarString(unsigned tick) const;
    // Pauses playback, then hands out the editor: every change of the change log goes through here.
    CL::Editor* GetEditorForEdit();
    CL::Editor* GetEditor() const { return editor; }
    std::vector<std::unique_ptr<cmn::VemoEvent>> GetChangeLogPanelEvents() const;
    std::string GetLogVersion() const;
    // Each marker of the current song with the bar text of its tick, in the engine's order.
    std::vector<std::pair<cmn::VemoEvent*, std::string>> GetMarkersWithBars() const;
    unsigned GetSongLength(const std::string& song) const;
    unsigned GetSongStartTickIndex(const std::string& song) const;
    void SelectSongLogForEditing(const std::string& song);

    const std::vector<std::pair<std::string, std::string>>& SongEntries() const { return songEntries; }
    const std::filesystem::path& ShowDirectory() const { return showDirectory; }

private:
    void RefreshAttacca() const;
    void ShowModifiedClickWarning() const;
    void ShowTempoScaleWarning() const;
    void ShowInvertedLoopWarning() const;

    std::shared_ptr<Interface> player;
    std::map<std::string, std::string, utilon::NumericStringCompare> songs;
    std::vector<std::pair<std::string, std::string>> songEntries;
    std::filesystem::path showDirectory;
    CL::Editor* editor = nullptr;
};

} // namespace vemo
