#include "main_window/edit_model.h"

#include <vemo_core/events.h>
#include <vemo_core/notify.h>

#include <algorithm>

namespace vemo::qt {

namespace {

bool IsOsc(const cmn::VemoEvent* event)
{
    return event->code() == 'S';
}

cmn::VemoEvent* FindSame(const std::vector<std::unique_ptr<cmn::VemoEvent>>& events, const cmn::VemoEvent* event)
{
    const auto found = std::find_if(events.begin(), events.end(),
                                    [event](const auto& candidate) { return SameEvent(candidate.get(), event); });
    return found == events.end() ? nullptr : found->get();
}

void AnnounceSelection()
{
    notify::callbackDispatcher.Notify(notify::names::editModelUpdatedSelectedVemoEvent, nullptr);
}

} // namespace

bool SameEvent(const cmn::VemoEvent* a, const cmn::VemoEvent* b)
{
    if (a == nullptr || b == nullptr)
        return a == b;
    return a->code() == b->code() && a->EventId() == b->EventId();
}

EditModel::EditModel(std::shared_ptr<ShowManager> manager, bool osc)
    : showManager(std::move(manager))
{
    currentSong = showManager->GetCurrentSongNumber();
    showManager->SelectSongLogForEditing(currentSong);
    ReloadBarsBeats();
    oscEnabled = osc;
    needsUpload = showManager->GetEditorForEdit()->GetVersion().minorVersion != 0;
    notify::callbackDispatcher.Notify(notify::names::editModelChangeLogNeedsUpload, &needsUpload);
}

std::vector<std::unique_ptr<cmn::VemoEvent>>& EditModel::ChangeLogPanelEvents()
{
    auto fresh = showManager->GetChangeLogPanelEvents();
    // A selected event-list event dies with the list it belongs to. The selection moves to its
    // successor, the new event of the same kind code and id, or is dropped when the event is gone;
    // either way silently, as the user's choice has not changed.
    if (IsPanelElement(selectedEvent))
        selectedEvent = FindSame(fresh, selectedEvent);
    panelEvents = std::move(fresh);
    return panelEvents;
}

std::uint32_t EditModel::GetSongAudioEndTick() const
{
    return showManager->GetPlayer()->GetSongAudioEndTick(currentSong);
}

void EditModel::ReloadBarsBeats()
{
    barsBeats = std::make_shared<BarsBeatsEventSequence>(showManager->GetPlayer()->GetBarsBeats(currentSong));
}

void EditModel::ResetBarsBeats()
{
    barsBeats = std::make_shared<BarsBeatsEventSequence>(TL::TimelineSequence<TL::BarsBeats>{});
}

std::string EditModel::GetBarString(unsigned tick) const
{
    return showManager->GetBarString(tick);
}

std::vector<std::pair<cmn::VemoEvent*, std::string>> EditModel::RefreshMarkers()
{
    auto pairs = showManager->GetMarkersWithBars();
    markers.clear();
    markerIndexByTime.clear();
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        markers.push_back(pairs[i].first);
        markerIndexByTime[pairs[i].first->abs_time()] = static_cast<int>(i);
    }
    return pairs;
}

bool EditModel::IsInChangeLogEvents(const cmn::VemoEvent* event) const
{
    if (event == nullptr || (IsOsc(event) && !oscEnabled))
        return false;
    return FindSame(panelEvents, event) != nullptr;
}

bool EditModel::IsPanelElement(const cmn::VemoEvent* event) const
{
    return event != nullptr
           && std::any_of(panelEvents.begin(), panelEvents.end(),
                          [event](const auto& panelEvent) { return panelEvent.get() == event; });
}

bool EditModel::IsMarker(const cmn::VemoEvent* event) const
{
    return std::any_of(markers.begin(), markers.end(),
                       [event](const cmn::VemoEvent* marker) { return SameEvent(marker, event); });
}

void EditModel::SelectEvent(const cmn::VemoEvent* event)
{
    if (event != nullptr && SameEvent(event, selectedEvent))
        return;
    if (event != nullptr && (IsInChangeLogEvents(event) || IsMarker(event))) {
        // The selection is read, never changed, through this pointer; tools edit copies.
        selectedEvent = const_cast<cmn::VemoEvent*>(event);
    } else if (selectedEvent != nullptr) {
        selectedEvent = nullptr;
    } else {
        return;
    }
    AnnounceSelection();
}

void EditModel::DeleteSelectedEvent()
{
    if (selectedEvent == nullptr || (IsOsc(selectedEvent) && !oscEnabled))
        return;
    const auto copy = CL::CopyVemoEvent(*selectedEvent);
    showManager->GetEditorForEdit()->DeleteEvent(*copy);
    selectedEvent = nullptr;
    AnnounceSelection();
}

} // namespace vemo::qt
