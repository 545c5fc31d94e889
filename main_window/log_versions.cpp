#include "main_window/log_versions.h"

#include <vemo_core/version.h>

#include <algorithm>
#include <charconv>
#include <functional>
#include <optional>

namespace vemo::qt {
namespace {

constexpr std::string_view kLogEnding = ".logdata";

// Calls `visit` with the name of each regular file of `folder`, in directory order.
void ForEachRegularFile(const std::filesystem::path& folder, const std::function<void(const std::string&)>& visit)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (const auto end = std::filesystem::directory_iterator(); !error && entries != end; entries.increment(error)) {
        std::error_code statusError;
        if (entries->is_regular_file(statusError))
            visit(entries->path().filename().string());
    }
}

// The text between the last "-" and the last "." of a log file's name, when the "-" comes first.
std::optional<std::string> VersionText(const std::string& name)
{
    if (!name.ends_with(kLogEnding))
        return std::nullopt;
    const std::size_t dash = name.rfind('-');
    const std::size_t dot = name.rfind('.');
    if (dash == std::string::npos || dash >= dot)
        return std::nullopt;
    return name.substr(dash + 1, dot - dash - 1);
}

int LowByte(std::string_view digits)
{
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || value < 0)
        return 0;
    return value & 0xFF;
}

} // namespace

LocalLogVersion highestLocalLogVersion(const std::filesystem::path& folder)
{
    LocalLogVersion highest;
    ForEachRegularFile(folder, [&highest](const std::string& name) {
        const std::optional<std::string> text = VersionText(name);
        if (!text)
            return;
        const std::size_t point = text->find('.');
        if (point == std::string::npos)
            return;
        const std::string_view version(*text);
        highest = std::max(highest, LocalLogVersion{LowByte(version.substr(0, point)), LowByte(version.substr(point + 1))});
    });
    return highest;
}

std::string newestLocalLogPath(const std::filesystem::path& folder)
{
    std::string newest;
    std::optional<cmn::FileVersion> best;
    ForEachRegularFile(folder, [&](const std::string& name) {
        const std::optional<std::string> text = VersionText(name);
        if (!text)
            return;
        const cmn::FileVersion version(*text);
        if (!best || version >= *best) {
            best = version;
            newest = name;
        }
    });
    return newest;
}

} // namespace vemo::qt
