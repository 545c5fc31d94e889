#pragma once

#include <optional>

namespace vemo {

// The index of the first argument after the program name that is exactly "-c" or "--console"
// (whole argument, case-sensitive); none when there is no such argument.
std::optional<int> ConsoleSwitchIndex(int argc, const char* const* argv);

} // namespace vemo
