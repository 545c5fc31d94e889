#pragma once

#include <vemo_core/types.h>

#include <cstdint>

namespace vemo::qt {

struct DragTicks {
    UInt32 start;
    UInt32 end;
};

// The ticks a drag on the timeline proposes for an event, kept inside the song that runs from
// `songStart` to `songLength`: a moved event (neither edge adjusted) keeps its length; a dragged
// left edge stays between the song's start and the song's length less the event's length; a
// dragged right edge stays between the song's start plus that length and the song's length.
// Worked in 64 bits, so that any ticks are safe; a result before tick 0 becomes 0.
DragTicks ClampDrag(std::int64_t start, std::int64_t end, bool adjustLeft, bool adjustRight,
                    std::int64_t songStart, std::int64_t songLength);

} // namespace vemo::qt
