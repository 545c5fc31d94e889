#include "play_table.h"

namespace vemo::engine {

std::vector<ClickRegion> SongPlayTable::ClickRegions() const
{
    std::vector<ClickRegion> regions;
    for (const auto& c : clicks)
        regions.push_back(ClickRegion{c.start, c.end, c.intValue});
    return regions;
}

}  // namespace vemo::engine
