#include "shows/log_file_names.h"

#include <vemo_networking_http/file_names.h>

namespace vemo::qt {
namespace {
constexpr std::string_view kLogEnding = ".logdata";
}

std::optional<std::string> LogNameVersion(const std::string& fileName)
{
    if (!fileName.ends_with(kLogEnding))
        return std::nullopt;
    const std::string stem = fileName.substr(0, fileName.size() - kLogEnding.size());
    const std::size_t dash = stem.rfind('-');
    if (dash == std::string::npos)
        return std::nullopt;
    return stem.substr(dash + 1);
}

std::optional<std::filesystem::path> FindLocalLogFile(const std::filesystem::path& folder, const std::string& versionText)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (const auto end = std::filesystem::directory_iterator(); !error && entries != end; entries.increment(error)) {
        std::error_code statusError;
        if (LogNameVersion(entries->path().filename().string()) == versionText && entries->is_regular_file(statusError))
            return entries->path();
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> CheckServiceLogName(const std::string& fileName, const std::string& versionText,
                                                         const std::filesystem::path& showFolder)
{
    if (!vemo::networking::IsSafeFileName(fileName) || LogNameVersion(fileName) != versionText)
        return std::nullopt;
    const std::filesystem::path target = showFolder / fileName;
    if (!vemo::networking::IsDirectlyInside(target, showFolder))
        return std::nullopt;
    return target;
}

} // namespace vemo::qt
