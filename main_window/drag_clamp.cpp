#include "main_window/drag_clamp.h"

#include <algorithm>
#include <limits>

namespace vemo::qt {
namespace {

UInt32 TickOf(std::int64_t value)
{
    return static_cast<UInt32>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<UInt32>::max()));
}

} // namespace

DragTicks ClampDrag(std::int64_t start, std::int64_t end, bool adjustLeft, bool adjustRight,
                    std::int64_t songStart, std::int64_t songLength)
{
    const std::int64_t length = end - start;
    const std::int64_t newEnd = std::min(std::max(end, adjustLeft ? std::int64_t{0} : songStart + length), songLength);
    const std::int64_t newStart = std::min(std::max(start, songStart), adjustRight ? songLength : songLength - length);
    return {TickOf(newStart), TickOf(newEnd)};
}

} // namespace vemo::qt
