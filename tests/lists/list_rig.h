#pragma once

#include "main_window/edit_model.h"
#include "main_window/show_manager.h"
#include "lists/event_list.h"
#include "lists/marker_list.h"
#include "lists/song_list.h"

#include <vemo_player_core/audio_interface.h>
#include <vemo_core/vemo_event.h>

#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace liststest {

// Three 4/4 songs "1", "2", "3" of four bars with attacca states 0, 1, 2 and no change log.
std::filesystem::path ThreeSongShow();

// The edit controller's share of the lists: the engine on the manual clock on the show's first
// song, the show manager and edit model, the edit panel in a themed host window and the three list
// controllers around its views.
struct ListRig {
    explicit ListRig(bool includeSfxEvents = true, const std::filesystem::path& show = ThreeSongShow(),
                     std::shared_ptr<vemo::AudioInterface> customEngine = nullptr);
    ~ListRig();

    // The lists' steps after the engine reported `songNumber` loaded.
    void SongChanged(const std::string& songNumber);
    // The engine passed a marker at `tick`.
    void PassedMarker(UInt32 tick);
    // Adds events to the current song's change log, reloads it and refreshes both lists.
    void AddEvents(const std::vector<std::shared_ptr<const cmn::VemoEvent>>& events);

    // The engine's calls since the last ClearJournal, after everything it sent is delivered.
    std::vector<std::string> Journal();
    // Only the song loads among them.
    std::vector<std::string> Loads();
    void ClearJournal();

    // The delegate of a row of a view; null when the view has not made it.
    QQuickItem* Row(QQuickItem* view, int row) const;
    void ClickRow(QQuickItem* view, int row);
    void DoubleClickRow(QQuickItem* view, int row);
    void ClickChild(QQuickItem* view, int row, const QString& objectName);

    std::unique_ptr<QQmlEngine> qml;
    std::unique_ptr<QQuickWindow> window;
    std::unique_ptr<QQuickItem> host;
    QQuickItem* panel = nullptr;
    QQuickItem* songView = nullptr;
    QQuickItem* markerView = nullptr;
    QQuickItem* eventView = nullptr;
    std::shared_ptr<vemo::AudioInterface> engine;
    std::shared_ptr<vemo::ShowManager> showManager;
    std::shared_ptr<vemo::qt::EditModel> editModel;
    std::unique_ptr<vemo::qt::SongListController> songs;
    std::unique_ptr<vemo::qt::MarkerListController> markers;
    std::unique_ptr<vemo::qt::EventListController> events;
    // Rows the lists published to the in-process dispatcher, in order.
    std::vector<int> markerRowsPublished;
    std::vector<int> eventRowsPublished;
};

} // namespace liststest
