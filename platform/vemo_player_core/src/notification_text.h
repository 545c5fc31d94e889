#pragma once

#include <cmath>
#include <string>

namespace vemo::engine {

// The flow-control text that clears the display.
inline constexpr const char* kClearFlowControl = "ClearPickupBeat";

// A tempo factor as the display shows it: "110%".
inline std::string PercentText(double factor)
{
    return std::to_string(std::lround(factor * 100.0)) + "%";
}

}  // namespace vemo::engine
