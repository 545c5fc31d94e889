#pragma once

#include "main_window/edit_model.h"
#include "main_window/permissions.h"
#include "main_window/show_manager.h"
#include "timeline/timeline_controller.h"

#include <vemo_player_core/audio_interface.h>
#include <vemo_test/fixture_show.h>

#include <QQmlEngine>
#include <QQuickItem>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace timelinetest {

inline constexpr UInt32 kBar = 1920;

// The simulated engine on the manual clock over a show folder.
std::shared_ptr<vemo::AudioInterface> MakeEngine(const std::filesystem::path& show);

// A document of the musical module, created in `engine` at the given size; null (and a failed
// test) when it does not load.
std::unique_ptr<QQuickItem> MakeDocument(QQmlEngine& engine, const QString& name, double width, double height);

// The main window's share of a loaded show, over a real TimeLine document.
struct TimelineRig {
    // Loads the show's first song in the engine, then in the timeline, as the song-loaded notification would.
    explicit TimelineRig(const std::filesystem::path& show, bool editRight = true,
                         std::shared_ptr<vemo::AudioInterface> customEngine = nullptr);
    ~TimelineRig();

    // The calls the engine journalled since the last ClearJournal, after everything it sent is delivered.
    std::vector<std::string> Journal();
    void ClearJournal();
    QVariant Document(const char* property) const;

    std::unique_ptr<QQmlEngine> qml;
    std::unique_ptr<QQuickItem> timeline;
    std::shared_ptr<vemo::AudioInterface> engine;
    std::shared_ptr<vemo::ShowManager> showManager;
    std::shared_ptr<vemo::qt::EditModel> editModel;
    Permissions permissions;
    std::unique_ptr<vemo::qt::TimelineController> controller;
};

// One song of `bars` bars of 4/4 with the given events.
std::filesystem::path OneSongShow(int bars, std::vector<std::shared_ptr<const cmn::VemoEvent>> events = {});

} // namespace timelinetest
