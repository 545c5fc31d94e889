#pragma once

#include "play_table.h"

#include <cstdint>
#include <vector>

namespace vemo::engine {

// The last point at or before tick (the first point when tick lies before all of them).
template<class T>
const T* LastAtOrBefore(const std::vector<T>& points, std::uint32_t tick)
{
    const T* found = points.empty() ? nullptr : &points.front();
    for (const auto& p : points) {
        if (p.tick <= tick)
            found = &p;
    }
    return found;
}

// The region holding tick that starts last, or null.
inline const PlayRegion* Innermost(const std::vector<PlayRegion>& regions, std::uint32_t tick)
{
    const PlayRegion* found = nullptr;
    for (const auto& r : regions) {
        if (r.Contains(tick) && (!found || r.start >= found->start))
            found = &r;
    }
    return found;
}

}  // namespace vemo::engine
