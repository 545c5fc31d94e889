#include "editing/event_kinds.h"

#include <vemo_core/codes.h>

namespace vemo::qt {

RefreshTargets RefreshTargetsOf(const std::vector<int>& codes)
{
    RefreshTargets targets;
    for (const int code : codes) {
        if (code == codes::kMarker) {
            targets.markerList = true;
            continue;
        }
        targets.eventList = true;
        if (code == codes::kClick)
            targets.barsBeats = true;
    }
    return targets;
}

std::vector<int> AllKindCodes()
{
    std::vector<int> all;
    for (const auto& [code, name] : codes::editNameByVemoEventCode)
        all.push_back(code);
    return all;
}

} // namespace vemo::qt
