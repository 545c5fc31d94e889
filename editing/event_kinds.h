#pragma once

#include <vector>

namespace vemo::qt {

// The views an edit has to refresh, decided by the kind codes it touched.
struct RefreshTargets {
    bool markerList = false;
    bool eventList = false;
    bool barsBeats = false;

    bool operator==(const RefreshTargets&) const = default;
};

// Markers ('E') live in the marker list; every other code in the event list, and a click ('L')
// also changes the song's bars and beats. The timeline is rebuilt after every edit regardless.
RefreshTargets RefreshTargetsOf(const std::vector<int>& codes);

// Every kind code the core library names, ascending: an edit whose codes are unknown refreshes all.
std::vector<int> AllKindCodes();

} // namespace vemo::qt
