#include "editing/edit_controller.h"

#include "editing/event_kinds.h"
#include "lists/event_list.h"
#include "lists/marker_list.h"
#include "lists/song_list.h"
#include "timeline/document_access.h"
#include "timeline/timeline_controller.h"
#include "timeline/timeline_edit_controller.h"

#include <vemo_core/codes.h>
#include <vemo_core/errors.h>
#include <vemo_core/notify.h>

#include <QQuickItem>

#include <iostream>
#include <stdexcept>

namespace vemo::qt {

namespace {

const std::string kEditFailed = "Edit Failed";

void AnnounceSelection()
{
    notify::callbackDispatcher.Notify(notify::names::editModelUpdatedSelectedVemoEvent, nullptr);
}

template <typename Event>
Event* At(const std::vector<Event*>& events, int row)
{
    return row >= 0 && row < static_cast<int>(events.size()) ? events[static_cast<std::size_t>(row)] : nullptr;
}

} // namespace

EditController::EditController(QQmlEngine* qmlEngine, std::shared_ptr<ShowManager> manager,
                               std::shared_ptr<EditModel> model, std::shared_ptr<Interface> enginePlayer,
                               QQuickItem* editPanelItem, TimelineController* timelineController,
                               Permissions* editPermissions, bool includeSfx, bool osc)
    : QmlController(editPanelItem, qmlEngine)
    , permissions(editPermissions)
    , showManager(std::move(manager))
    , player(std::move(enginePlayer))
    , editModel(std::move(model))
    , timeline(timelineController)
    , includeSfxEvents(includeSfx)
    , enableOsc(osc)
{
    markerList = std::make_unique<MarkerListController>(ItemProperty(editPanelItem, "markerListControl"),
                                                        editModel.get());
    eventList = std::make_unique<EventListController>(ItemProperty(editPanelItem, "eventListControl"),
                                                      editModel.get(), includeSfxEvents);
    songList = std::make_unique<SongListController>(ItemProperty(editPanelItem, "songListControl"), player.get());
    editBar = std::make_unique<TimelineEditController>(editModel.get(), ItemProperty(editPanelItem, "editBarControl"),
                                                       qmlEngine, permissions != nullptr && permissions->edit);
    Subscribe();
    ConnectParts();
}

EditController::~EditController()
{
    notify::callbackDispatcher.RemoveCallbacksForTarget(this);
    editBar.reset();
    eventList.reset();
    markerList.reset();
    songList.reset();
}

void EditController::Subscribe()
{
    auto& dispatcher = notify::callbackDispatcher;
    dispatcher.Subscribe(notify::names::vemoEventWidgetSelected, this, [this](void* payload) {
        if (payload == nullptr)
            return;
        SelectEventLocked(static_cast<const cmn::VemoEvent*>(payload));
        notify::callbackDispatcher.Notify(notify::names::editControllerShowEditor, nullptr);
    });
    dispatcher.Subscribe(notify::names::editModelUpdatedSelectedVemoEvent, this, [this](void*) {
        timeline->SuspendViewFollow(250);
        OnUpdatedSelectedVemoEvent_();
    });
    dispatcher.Subscribe(notify::names::EVT_CHANGE_LOG_PANEL_SELECTED, this, [this](void* payload) {
        if (payload != nullptr)
            SelectChangeLogEventByIndex(*static_cast<int*>(payload));
    });
    dispatcher.Subscribe(notify::names::EVT_MARKER_PANEL_SELECTED, this, [this](void* payload) {
        if (payload != nullptr)
            SelectMarkerByIndex(*static_cast<int*>(payload));
    });
}

void EditController::ConnectParts()
{
    connect(editBar.get(), &TimelineEditController::DeleteRequested, this, &EditController::DeleteRequested);
    connect(editBar.get(), &TimelineEditController::UndoRequested, this, &EditController::UndoRequested);
    connect(editBar.get(), &TimelineEditController::RedoRequested, this, &EditController::RedoRequested);
    connect(editBar.get(), &TimelineEditController::UndoRedoStateUpdated, this, &EditController::UpdateUndoRedoState);
    connect(this, &EditController::AdminPermissionSet, editBar.get(), &TimelineEditController::OnAdminPermissionSet);
    if (QObject* panel = QmlObject()) {
        ConnectDocument(panel, SIGNAL(markerSelected(int)), this, SLOT(OnMarkerSelected_(int)));
        ConnectDocument(panel, SIGNAL(editSelectedMarkerItem()), this, SLOT(onVemoEditSelectedEvent()));
        ConnectDocument(panel, SIGNAL(editSelectedEventItem()), this, SLOT(onVemoEditSelectedEvent()));
    }
    connect(songList.get(), &SongListController::AttaccaStateChanged, this, &EditController::AttaccaStateChanged);
    connect(editBar.get(), &TimelineEditController::EditButtonSignal, this, &EditController::EditButtonSignal);
    connect(eventList.get(), &EventListController::CurrentItemChangedSignal, this,
            &EditController::EventItemChangedSignal);
    connect(eventList.get(), &EventListController::EditSelectedItem, this, &EditController::onVemoEditSelectedEvent);
    connect(markerList.get(), &MarkerListController::CurrentItemChangedSignal, this,
            &EditController::MarkerItemChangedSignal);
}

CL::Editor& EditController::EditorForEdit()
{
    CL::Editor* editor = showManager->GetEditorForEdit();
    if (editor == nullptr)
        throw std::runtime_error("This show has no change log to edit.");
    return *editor;
}

bool EditController::Attempt(const std::string& prefix, const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const std::exception& failure) {
        emit error(prefix + failure.what(), kEditFailed);
        return false;
    }
}

void EditController::RefreshStep(const std::function<void()>& step)
{
    Attempt("The views could not be refreshed: ", step);
}

void EditController::ReportEditFailure(const std::string& message)
{
    emit error(message, kEditFailed);
}

void EditController::SetSaveEnabled(bool enabled)
{
    editBar->SetSaveEnabled(enabled);
}

void EditController::ClearSelection()
{
    const std::lock_guard lock(editLock);
    if (editModel->selectedEvent == nullptr)
        return;
    editModel->selectedEvent = nullptr;
    AnnounceSelection();
}

// Edits

void EditController::onVemoMakeEvent(const cmn::VemoEvent& event)
{
    timeline->SuspendViewFollow(250);
    Attempt("The edit could not be made on this song. ", [&] {
        timeline->ClearItems();
        EditorForEdit().AddEvent(event);
    });
    RefreshAfterEdit({});
}

bool EditController::onVemoMoveEvent(const cmn::VemoEvent& event, UInt32 startValue, UInt32 endValue,
                                     bool adjustLeft, bool adjustRight)
{
    return Attempt("The edit could not be completed because: ", [&] {
        EditorForEdit().EditEventStartEndValues(event, startValue, endValue, adjustLeft, adjustRight);
    });
}

bool EditController::onVemoMoveEvent(const cmn::VemoEvent& event, UInt32 startValue, UInt32 endValue,
                                     bool adjustLeft)
{
    return onVemoMoveEvent(event, startValue, endValue, adjustLeft, false);
}

bool EditController::onVemoMoveEvent(const cmn::VemoEvent& event, UInt32 startValue, UInt32 endValue)
{
    return onVemoMoveEvent(event, startValue, endValue, false, false);
}

bool EditController::onVemoEditEventStartEndValues(const cmn::VemoEvent& event, UInt32 startValue,
                                                   UInt32 endValue)
{
    return Attempt("A change to the start or end time could not be completed: ", [&] {
        EditorForEdit().EditEventStartEndValues(event, startValue, endValue, false, false);
    });
}

bool EditController::ValueChange(const std::function<void(CL::Editor&)>& change)
{
    return Attempt("A change to the event's value could not be completed: ", [&] { change(EditorForEdit()); });
}

bool EditController::onVemoEditEventStringValues(const cmn::VemoEvent& event, std::string value)
{
    return ValueChange([&](CL::Editor& editor) { editor.EditEventStringValue(event, value); });
}

bool EditController::onVemoEditEventIntValues(const cmn::VemoEvent& event, int value)
{
    return ValueChange([&](CL::Editor& editor) { editor.EditEventIntValue(event, value); });
}

bool EditController::onVemoEditEventFloatValues(const cmn::VemoEvent& event, float value)
{
    return ValueChange([&](CL::Editor& editor) { editor.EditEventFloatValue(event, static_cast<double>(value)); });
}

bool EditController::EditEventSFXPropertyValues(const cmn::VemoEvent& event, CL::SfxProperties properties)
{
    return ValueChange([&](CL::Editor& editor) { editor.EditEventSFXPropertyValues(event, properties); });
}

bool EditController::EditEventOscPropertyValues(const cmn::VemoEvent& event, CL::OscProperties properties)
{
    return ValueChange([&](CL::Editor& editor) { editor.EditEventOscPropertyValues(event, properties); });
}

void EditController::DeleteRequested()
{
    timeline->SuspendViewFollow(250);
    if (editModel->selectedEvent == nullptr)
        return;
    Attempt("The event could not be deleted: ", [&] {
        timeline->ClearItems();
        editModel->DeleteSelectedEvent();
    });
    RefreshAfterEdit({});
}

void EditController::StepHistory(const std::string& failurePrefix,
                                 const std::function<bool(const CL::Editor&)>& possible,
                                 const std::function<std::list<CL::HistoryItem>(CL::Editor&)>& apply)
{
    timeline->SuspendViewFollow(100);
    std::vector<int> codes;
    bool stepped = false;
    Attempt(failurePrefix, [&] {
        CL::Editor& editor = EditorForEdit();
        if (!possible(editor))
            return;
        stepped = true;
        timeline->ClearItems();
        codes = CL::GetAffectedCodes(apply(editor));
    });
    if (!stepped)
        return;
    ClearSelection();
    RefreshAfterEdit(codes);
}

void EditController::UndoRequested()
{
    StepHistory("The edit could not be undone: ", [](const CL::Editor& editor) { return editor.CanUndo(); },
                [](CL::Editor& editor) { return editor.Undo(); });
}

void EditController::RedoRequested()
{
    StepHistory("The edit could not be redone: ", [](const CL::Editor& editor) { return editor.CanRedo(); },
                [](CL::Editor& editor) { return editor.Redo(); });
}

// Views and flags

std::vector<int> EditController::EditedCodes()
{
    try {
        return EditorForEdit().GetEditedCodes();
    } catch (const CL::EditorHistoryNoActionError&) {
        return AllKindCodes();
    } catch (const std::exception& failure) {
        emit error(std::string("The views could not be refreshed: ") + failure.what(), kEditFailed);
        return AllKindCodes();
    }
}

void EditController::RefreshAfterEdit(std::vector<int> codes)
{
    RefreshStep([this] { ClearSelection(); });
    if (codes.empty())
        codes = EditedCodes();
    RefreshStep([this] { ReloadChangeLog(); });
    const RefreshTargets targets = RefreshTargetsOf(codes);
    {
        const std::lock_guard lock(editLock);
        if (targets.barsBeats) {
            RefreshStep([this] {
                editModel->ReloadBarsBeats();
                std::cerr << "WARNING: Incomplete code translation from Python? Should update bars on display here."
                          << std::endl;
            });
        }
        if (targets.eventList)
            RefreshStep([this] { eventList->Refresh(); });
        if (targets.markerList)
            RefreshStep([this] { RefreshMarkerList(); });
        RefreshStep([this] { timeline->Refresh(); });
    }
    RefreshStep([this] { editBar->UpdateUndoRedoState(); });
}

void EditController::ReloadChangeLog()
{
    player->LoadNewChangeLog();
    editModel->needsSave = true;
    notify::callbackDispatcher.Notify(notify::names::editModelChangeLogNeedsSave, &editModel->needsSave);
    editModel->needsUpload = true;
    notify::callbackDispatcher.Notify(notify::names::editModelChangeLogNeedsUpload, &editModel->needsUpload);
}

void EditController::MarkChangeLogModified()
{
    editBar->MarkChangeLogModified();
}

void EditController::MarkChangeLogSaved()
{
    editBar->MarkChangeLogSaved();
    UpdateLogVersionText();
}

void EditController::MarkChangeLogUploaded()
{
    editBar->MarkChangeLogShared();
    UpdateLogVersionText();
}

void EditController::UpdateLogVersionText()
{
    if (QObject* panel = QmlObject())
        panel->setProperty("logVersionText", QString::fromStdString("Log v" + showManager->GetLogVersion()));
}

void EditController::ClearEventListSelection()
{
    eventList->SetCurrentIndex(-1);
}

void EditController::ClearMarkerListSelection()
{
    markerList->SetCurrentIndex(-1);
}

void EditController::OnSongChanged(std::string songNumber)
{
    const std::lock_guard lock(editLock);
    RefreshStep([this] { ClearSelection(); });
    editModel->currentSong = songNumber;
    RefreshStep([&] { showManager->SelectSongLogForEditing(songNumber); });
    RefreshStep([this] { editModel->ReloadBarsBeats(); });
    RefreshStep([this] { RefreshMarkerList(); });
    RefreshStep([this] { eventList->Refresh(); });
    RefreshStep([&] { songList->SelectSong(songNumber); });
    RefreshStep([this] { editBar->UpdateUndoRedoState(); });
    RefreshStep([this] { UpdateLogVersionText(); });
}

void EditController::UpdatePassedMarker(UInt32 tick)
{
    if (markerList)
        markerList->setPassedIndex(markerList->IndexForPosition(tick));
}

void EditController::TriggerAttaccaUpdate()
{
    songList->RefreshAttacca();
}

void EditController::RefreshMarkerList()
{
    markerList->Refresh();
}

// Selection

void EditController::onVemoEditSelectedExternally(const cmn::VemoEvent* event)
{
    eventList->SelectEvent(event);
}

void EditController::onVemoMarkerSelectedExternally(cmn::VemoEvent* event)
{
    markerList->SelectMarkerForEvent(event);
}

void EditController::onVemoEditSelectedEvent()
{
    emit EditButtonSignal(editModel->selectedEvent);
}

void EditController::OnUpdatedSelectedVemoEvent_()
{
    const cmn::VemoEvent* selected = editModel->selectedEvent;
    if (selected != nullptr && selected->code() == codes::kMarker) {
        int row = -1;
        for (std::size_t i = 0; i < editModel->markers.size(); ++i) {
            if (SameEvent(editModel->markers[i], selected)) {
                row = static_cast<int>(i);
                break;
            }
        }
        markerList->SetCurrentIndex(row);
    }
    editBar->UpdateEditDeleteEnabled();
}

void EditController::SelectChangeLogEventByIndex(int row)
{
    if (permissions == nullptr || !permissions->edit)
        return;
    const std::lock_guard lock(editLock);
    std::vector<cmn::VemoEvent*> rows;
    for (const auto& event : editModel->panelEvents) {
        const bool sfx = event->code() == codes::kSfx || event->code() == codes::kSfxAmbient;
        if (includeSfxEvents || !sfx)
            rows.push_back(event.get());
    }
    if (cmn::VemoEvent* event = At(rows, row))
        editModel->SelectEvent(event);
}

void EditController::SelectMarkerByIndex(int row)
{
    if (permissions == nullptr || !permissions->edit)
        return;
    const std::lock_guard lock(editLock);
    if (cmn::VemoEvent* marker = At(editModel->markers, row))
        editModel->SelectEvent(marker);
}

void EditController::OnMarkerSelected_(int index)
{
    cmn::VemoEvent* marker = At(editModel->markers, index);
    if (marker == nullptr)
        return;
    const UInt32 tick = marker->abs_time();
    Seek(tick);
    SelectEventLocked(marker);
    notify::MarkerListSelection selection{tick, player->GetIsPlaying()};
    notify::callbackDispatcher.Notify(notify::names::editControllerMarkerListSelected, &selection);
}

void EditController::SelectEventLocked(const cmn::VemoEvent* event)
{
    const std::lock_guard lock(editLock);
    editModel->SelectEvent(event);
}

void EditController::Seek(UInt32 tick)
{
    showManager->GetPlayer()->Seek(tick);
}

} // namespace vemo::qt
