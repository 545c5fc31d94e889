#pragma once

#include "app/qml_controller.h"
#include "lists/event_info_item.h"
#include "lists/marker_info_item.h"
#include "main_window/edit_model.h"
#include "main_window/permissions.h"
#include "main_window/show_manager.h"

#include <vemo_core/events.h>
#include <vemo_core/properties.h>
#include <vemo_core/types.h>
#include <vemo_core/vemo_event.h>
#include <vemo_player_core/interface.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class QQmlEngine;
class QQuickItem;

namespace vemo::qt {

class EventListController;
class MarkerListController;
class SongListController;
class TimelineController;
class TimelineEditController;

// Runs every change of the current song's change log: applies it through the show's editor (which
// pauses playback), then reloads the player's log, raises the save and share flags and refreshes
// the bars and beats, the lists and the timeline by the kinds the change touched. Owns the edit
// panel's list controllers and editor bar controller and keeps the lists, the edit model's
// selection and the timeline in step. Refusals reach the user through `error` ("Edit Failed").
class EditController : public QmlController {
    Q_OBJECT
    Q_PROPERTY(bool enableOsc READ EnableOsc CONSTANT)

public:
    EditController(QQmlEngine* engine, std::shared_ptr<ShowManager> showManager,
                   std::shared_ptr<EditModel> editModel, std::shared_ptr<Interface> player,
                   QQuickItem* editPanelItem, TimelineController* timeline, Permissions* permissions,
                   bool includeSfxEvents, bool enableOsc);
    ~EditController() override;

    void MarkChangeLogModified();
    void MarkChangeLogSaved();
    void MarkChangeLogUploaded();
    void ClearEventListSelection();
    void ClearMarkerListSelection();
    // The engine loaded `songNumber`: the lists, the bars and the editor follow it.
    void OnSongChanged(std::string songNumber);
    // Empty `codes`: the editor's last edited codes, or every kind when it has none.
    void RefreshAfterEdit(std::vector<int> codes);
    void ReloadChangeLog();
    void UpdateLogVersionText();
    void UpdatePassedMarker(UInt32 tick);
    void RefreshMarkerList();
    void SelectMarkerByIndex(int row);
    void SelectChangeLogEventByIndex(int row);
    void SelectEventLocked(const cmn::VemoEvent* event);
    void Seek(UInt32 tick);
    // Shows a refusal of an edit tool: `error` with the title "Edit Failed".
    void ReportEditFailure(const std::string& message);
    // Turns the editor bar's save button on or off.
    void SetSaveEnabled(bool enabled);

    EditModel* GetEditModel() const { return editModel.get(); }
    bool EnableOsc() const { return enableOsc; }
    SongListController& SongList() { return *songList; }
    MarkerListController& MarkerList() { return *markerList; }
    EventListController& EventList() { return *eventList; }
    TimelineEditController& EditBar() { return *editBar; }

signals:
    void AttaccaStateChanged(std::string songNum, UInt8 status);
    void EditButtonSignal(cmn::VemoEvent* vemoEvent);
    void EventItemChangedSignal(EventInfoItem item);
    void MarkerItemChangedSignal(MarkerInfoItem item);
    void UpdateUndoRedoState(bool canUndo, bool canRedo, bool canSave, bool canShare);
    void AdminPermissionSet(bool admin);

public slots:
    void onVemoMakeEvent(const cmn::VemoEvent& event);
    // The move and value slots return true when the editor applied the change.
    bool onVemoMoveEvent(const cmn::VemoEvent& event, UInt32 startValue, UInt32 endValue, bool adjustLeft,
                         bool adjustRight);
    bool onVemoMoveEvent(const cmn::VemoEvent& event, UInt32 startValue, UInt32 endValue, bool adjustLeft);
    bool onVemoMoveEvent(const cmn::VemoEvent& event, UInt32 startValue, UInt32 endValue);
    bool onVemoEditEventStartEndValues(const cmn::VemoEvent& event, UInt32 startValue, UInt32 endValue);
    bool onVemoEditEventStringValues(const cmn::VemoEvent& event, std::string value);
    bool onVemoEditEventIntValues(const cmn::VemoEvent& event, int value);
    bool onVemoEditEventFloatValues(const cmn::VemoEvent& event, float value);
    bool EditEventSFXPropertyValues(const cmn::VemoEvent& event, CL::SfxProperties properties);
    bool EditEventOscPropertyValues(const cmn::VemoEvent& event, CL::OscProperties properties);
    void onVemoEditSelectedExternally(const cmn::VemoEvent* event);
    void onVemoMarkerSelectedExternally(cmn::VemoEvent* event);
    void UndoRequested();
    void RedoRequested();
    void DeleteRequested();
    void TriggerAttaccaUpdate();
    void OnMarkerSelected_(int index);
    void OnUpdatedSelectedVemoEvent_();
    void onVemoEditSelectedEvent();

private:
    void Subscribe();
    void ConnectParts();
    // The editor for a change, after pausing playback; throws when the show has none.
    CL::Editor& EditorForEdit();
    // Runs `step`; an exception is shown with `prefix` and reported as false.
    bool Attempt(const std::string& prefix, const std::function<void()>& step);
    // A step of a refresh: a failure is shown and the refresh goes on.
    void RefreshStep(const std::function<void()>& step);
    bool ValueChange(const std::function<void(CL::Editor&)>& change);
    // Undo and redo: `possible` asks the editor, `apply` changes the log and returns its history.
    void StepHistory(const std::string& failurePrefix, const std::function<bool(const CL::Editor&)>& possible,
                     const std::function<std::list<CL::HistoryItem>(CL::Editor&)>& apply);
    void ClearSelection();
    std::vector<int> EditedCodes();

    std::recursive_mutex editLock;
    Permissions* permissions;
    std::shared_ptr<ShowManager> showManager;
    std::shared_ptr<Interface> player;
    std::shared_ptr<EditModel> editModel;
    std::unique_ptr<SongListController> songList;
    std::unique_ptr<MarkerListController> markerList;
    std::unique_ptr<EventListController> eventList;
    std::unique_ptr<TimelineEditController> editBar;
    TimelineController* timeline;
    bool includeSfxEvents;
    bool enableOsc;
};

} // namespace vemo::qt
