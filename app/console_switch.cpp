#include "app/console_switch.h"

#include <string_view>

namespace vemo {

std::optional<int> ConsoleSwitchIndex(int argc, const char* const* argv)
{
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index];
        if (argument == "-c" || argument == "--console") {
            return index;
        }
    }
    return std::nullopt;
}

} // namespace vemo
