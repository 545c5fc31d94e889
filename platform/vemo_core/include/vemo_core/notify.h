#pragma once

#include "vemo_core/types.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace notify {

// The engine's notification kinds; the value is the id used in the callback for convenience.
enum class EventKind : int {
    PlaybackStarted = 0,
    PlaybackStopped = 1,
    PlaybackPaused = 2,
    PlaybackFading = 3,
    StatusFlowControl = 4,
    Key = 5,
    Tempo = 6,
    Meter = 7,
    Transposition = 8,
    TempoScale = 9,
    BarBeat = 10,
    Marker = 11,
    PageNum = 12,
    Playhead = 13,
    SongTitle = 14,
    SongLoaded = 15,
    LearnedMIDICommand = 16,
    MIDICommandCanceled = 17,
    MidiNotification = 18,
    VampOn = 19,
    VampOff = 20,
    StatusVolume = 21,
};
inline constexpr int kEventKindCount = 22;

using ObserverCallback = std::function<void(int id, int value, const char* text, void* user)>;

// Receives the engine's notifications of the kinds it registered, under the caller's ids. Joins a
// process-wide hub when made. The callback runs on the publishing thread; the destructor and
// SetCallbackFunc wait for a callback running on another thread, after which the old callback is
// never called. Never destroy the observer or call SetCallbackFunc from inside its own callback.
class EventObserver {
public:
    EventObserver();
    ~EventObserver();
    EventObserver(const EventObserver&) = delete;
    EventObserver& operator=(const EventObserver&) = delete;

    // One callback; replaces the previous one; an empty function stops delivery.
    void SetCallbackFunc(ObserverCallback callback, void* user);

    // Binds a kind to the caller's id; a later call replaces the id.
    void Register(EventKind kind, int id);
    void RegisterPlaybackStarted(int id) { Register(EventKind::PlaybackStarted, id); }
    void RegisterPlaybackStopped(int id) { Register(EventKind::PlaybackStopped, id); }
    void RegisterPlaybackPaused(int id) { Register(EventKind::PlaybackPaused, id); }
    void RegisterPlaybackFading(int id) { Register(EventKind::PlaybackFading, id); }
    void RegisterStatusFlowControl(int id) { Register(EventKind::StatusFlowControl, id); }
    void RegisterKey(int id) { Register(EventKind::Key, id); }
    void RegisterTempo(int id) { Register(EventKind::Tempo, id); }
    void RegisterMeter(int id) { Register(EventKind::Meter, id); }
    void RegisterTransposition(int id) { Register(EventKind::Transposition, id); }
    void RegisterTempoScale(int id) { Register(EventKind::TempoScale, id); }
    void RegisterBarBeat(int id) { Register(EventKind::BarBeat, id); }
    void RegisterMarker(int id) { Register(EventKind::Marker, id); }
    void RegisterPageNum(int id) { Register(EventKind::PageNum, id); }
    void RegisterPlayhead(int id) { Register(EventKind::Playhead, id); }
    void RegisterSongTitle(int id) { Register(EventKind::SongTitle, id); }
    void RegisterSongLoaded(int id) { Register(EventKind::SongLoaded, id); }
    void RegisterLearnedMIDICommand(int id) { Register(EventKind::LearnedMIDICommand, id); }
    void RegisterMIDICommandCanceled(int id) { Register(EventKind::MIDICommandCanceled, id); }
    void RegisterMidiNotification(int id) { Register(EventKind::MidiNotification, id); }
    void RegisterVampOn(int id) { Register(EventKind::VampOn, id); }
    void RegisterVampOff(int id) { Register(EventKind::VampOff, id); }
    void RegisterStatusVolume(int id) { Register(EventKind::StatusVolume, id); }

    struct State;

private:
    std::shared_ptr<State> state_;
};

// Calls every observer that registered `kind`, synchronously on the caller's thread. `text` may
// be null and is valid only during the call. An exception thrown by a callback is written to
// stderr ("Platform callback threw: <what>") and the other observers are still called.
void Publish(EventKind kind, int value, const char* text);

// Named in-process notifications with a void* payload, delivered at once on the caller's thread.
class CallbackDispatcher {
public:
    CallbackDispatcher();
    ~CallbackDispatcher();
    CallbackDispatcher(const CallbackDispatcher&) = delete;
    CallbackDispatcher& operator=(const CallbackDispatcher&) = delete;

    // Several callbacks per name, called in subscription order.
    void Subscribe(std::string_view name, const void* target, std::function<void(void* payload)> callback);
    // Re-entrant: a callback may notify, subscribe or remove; a target removed during a Notify is
    // not called afterwards.
    void Notify(std::string_view name, void* payload = nullptr);
    void RemoveCallbacksForTarget(const void* target);

private:
    struct Subscription;
    std::mutex mutex_;
    std::vector<std::shared_ptr<Subscription>> subscriptions_;
};

inline CallbackDispatcher callbackDispatcher;

// Payload of editControllerMarkerListSelected.
struct MarkerListSelection {
    UInt32 tick;
    bool playing;
};

namespace names {
inline constexpr std::string_view editModelChangeLogNeedsUpload = "editModelChangeLogNeedsUpload"; // bool*
inline constexpr std::string_view editModelChangeLogNeedsSave = "editModelChangeLogNeedsSave"; // bool*
inline constexpr std::string_view editModelUpdatedSelectedVemoEvent = "editModelUpdatedSelectedVemoEvent"; // null
inline constexpr std::string_view EVT_CHANGE_LOG_PANEL_SELECTED = "EVT_CHANGE_LOG_PANEL_SELECTED"; // int* row
inline constexpr std::string_view EVT_MARKER_PANEL_SELECTED = "EVT_MARKER_PANEL_SELECTED"; // int* row
inline constexpr std::string_view editControllerMarkerListSelected = "editControllerMarkerListSelected"; // MarkerListSelection*
inline constexpr std::string_view vemoEventWidgetSelected = "vemoEventWidgetSelected"; // cmn::VemoEvent*
inline constexpr std::string_view editControllerShowEditor = "editControllerShowEditor"; // null
} // namespace names

} // namespace notify
