#pragma once

// Whether the editor, the player's published log and the views agree after an edit:
//
//     edittest::SongEvents shadow = edittest::EditorEvents(rig);   // what the test expects
//     ... edits ...
//     QCOMPARE(edittest::CheckConsistency(rig, shadow), std::string());
//
// Run it only once the controller has followed the last song load (OnSongChanged).

#include "edit_rig.h"

#include <vemo_core/vemo_event.h>

#include <map>
#include <optional>
#include <string>

namespace edittest {

// An event by the facts a user can see: kind, id, ticks and value.
struct EventFacts {
    UInt8 code = 0;
    std::string id;
    UInt32 start = 0;
    UInt32 end = 0;
    std::string value;

    bool operator==(const EventFacts&) const = default;
};

// One song's events by "<code>:<id>".
using SongEvents = std::map<std::string, EventFacts>;

EventFacts FactsOf(const cmn::VemoEvent& event);
std::string KeyOf(const EventFacts& facts);
std::string Describe(const EventFacts& facts);

// The editor's events of the engine's current song.
SongEvents EditorEvents(EditRig& rig);
// The editor's events of any song.
SongEvents EditorEvents(EditRig& rig, const std::string& song);

// "" when the editor's log of the current song, the player's published song log and markers, and
// `expected` (when given) hold the same events, and the event list's rows are the player's panel
// events in order and the marker list's rows its markers; otherwise the first difference.
std::string CheckConsistency(EditRig& rig, const std::optional<SongEvents>& expected = std::nullopt);

} // namespace edittest
