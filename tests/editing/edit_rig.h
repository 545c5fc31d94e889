#pragma once

// The editing tests' share of a loaded show: the stand-in engine on the manual clock, the show
// manager, edit model and permissions, an edit panel and a timeline panel under a themed host, the
// timeline controller and the edit controller, with the controller's errors and undo/redo states
// recorded.
//
//     edittest::EditRig rig;                       // song 1 of EditingShow() loaded
//     rig.controller->onVemoMakeEvent(CL::Cut(960, 1920, "CUT9"));
//     QCOMPARE(rig.errors.size(), 0u);
//     rig.LoadSong("2");                          // engine load, timeline, then OnSongChanged

#include "editing/edit_controller.h"
#include "main_window/edit_model.h"
#include "main_window/permissions.h"
#include "main_window/show_manager.h"
#include "timeline/timeline_controller.h"

#include <vemo_player_core/audio_interface.h>
#include <vemo_player_core/engine_probe.h>

#include <QQmlEngine>
#include <QQuickItem>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace edittest {

// The earliest edit tick of song 1: between bar 1's first beat (480) and its second (960).
inline constexpr UInt32 kEditStartTick = 600;
inline constexpr UInt32 kBeat = 480;

// Song 1: a one-beat pickup, bars 1-2 in 4/4, bar 3 in 3/4, bars 4-8 in 4/4, edits from tick 600,
// with the marker MRK1 ("Verse", bar 2), the cut CUT1 (bar 4) and the click CLK1 (bars 5-6).
// Song 2: four bars of 6/8 without events.
std::filesystem::path EditingShow();

// The tick of beat `beat` of bar `bar` in song 1 (bars 1 to 8).
UInt32 SongOneTick(int bar, int beat);

// The lines that start with `prefix`.
std::vector<std::string> Matching(const std::vector<std::string>& lines, const std::string& prefix);

struct ErrorRecord {
    std::string message;
    std::string title;
};

struct EditRig {
    explicit EditRig(bool editRight = true, const std::filesystem::path& show = EditingShow());
    ~EditRig();

    // The engine loads the song and reports it; the timeline, then the edit controller follow.
    void LoadSong(const std::string& song);

    vemo::testing::EngineProbe& Probe();
    // The engine's calls since the last ClearJournal, after everything it sent is delivered.
    std::vector<std::string> Journal();
    // Only the lines that start with `prefix`.
    std::vector<std::string> Calls(const std::string& prefix);
    void ClearJournal();
    // The next call `callName` of the engine or its editor throws std::runtime_error(`text`).
    void FailNext(const std::string& callName, const std::string& text);

    std::unique_ptr<QQmlEngine> qml;
    std::unique_ptr<QQuickItem> host;
    QQuickItem* panel = nullptr;
    QQuickItem* timelineItem = nullptr;
    std::shared_ptr<vemo::AudioInterface> engine;
    std::shared_ptr<vemo::ShowManager> showManager;
    std::shared_ptr<vemo::qt::EditModel> editModel;
    Permissions permissions;
    std::unique_ptr<vemo::qt::TimelineController> timeline;
    std::unique_ptr<vemo::qt::EditController> controller;
    std::vector<ErrorRecord> errors;
    // Every UpdateUndoRedoState: can undo, can redo, can save, can share.
    std::vector<std::array<bool, 4>> undoRedoStates;
};

// The event list's event with this id; null when there is none.
cmn::VemoEvent* PanelEvent(EditRig& rig, const std::string& id);

} // namespace edittest
