#pragma once

#include "main_window/show_manager.h"
#include "timeline/bars_beats_event_sequence.h"

#include <vemo_core/vemo_event.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vemo::qt {

// The edit state shared by the timeline, the lists and the editing controllers for the loaded show:
// the song being edited, its bars and beats, the event-list events, the markers, the selected event
// and whether the change log needs saving and sharing.
class EditModel {
public:
    EditModel(std::shared_ptr<ShowManager> showManager, bool oscEnabled);

    // Replaces the event-list events with the engine's. A selection among them moves silently to
    // the new event of the same kind code and id, or is cleared silently when there is none.
    std::vector<std::unique_ptr<cmn::VemoEvent>>& ChangeLogPanelEvents();
    std::uint32_t GetSongAudioEndTick() const;
    // Rebuilds the bars and beats of the current song; on an error the previous sequence stays.
    void ReloadBarsBeats();
    // Replaces the bars and beats with an empty grid (a song whose grid could not be read).
    void ResetBarsBeats();
    std::string GetBarString(unsigned tick) const;
    std::vector<std::pair<cmn::VemoEvent*, std::string>> RefreshMarkers();
    // Whether an event of the event list has the kind code and id of `event`.
    bool IsInChangeLogEvents(const cmn::VemoEvent* event) const;
    // Selects `event` when it is an event-list event or a marker (found by kind code and id),
    // else clears the selection; a change is announced.
    void SelectEvent(const cmn::VemoEvent* event);
    // Deletes the selected event through the editor (pausing playback); editor errors pass on.
    void DeleteSelectedEvent();

    std::shared_ptr<ShowManager> showManager;
    cmn::VemoEvent* selectedEvent = nullptr;
    bool needsSave = false;
    bool needsUpload = false;
    std::string currentSong;
    std::vector<std::unique_ptr<cmn::VemoEvent>> panelEvents;
    std::vector<cmn::VemoEvent*> markers;
    std::map<std::uint32_t, int> markerIndexByTime;
    std::shared_ptr<BarsBeatsEventSequence> barsBeats;
    bool oscEnabled = true;

private:
    bool IsPanelElement(const cmn::VemoEvent* event) const;
    bool IsMarker(const cmn::VemoEvent* event) const;
};

// Events are one and the same when their kind code and id agree: the engine hands out copies.
bool SameEvent(const cmn::VemoEvent* a, const cmn::VemoEvent* b);

} // namespace vemo::qt
