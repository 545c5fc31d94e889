#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vemo::qt {

// Event-log files of a show folder are named "<free text>-<version>.logdata" (".logdata" in that
// case exactly); the version is "major.minor" as cmn::VEMOVersion writes it.

// The version text of a log file name: the text between the last "-" and ".logdata"; nullopt for a
// name that does not end in ".logdata" or has no "-".
std::optional<std::string> LogNameVersion(const std::string& fileName);

// The first regular file of `folder`, in directory order, whose name is a log file name of exactly
// `versionText` ("Show-11.2.logdata" is not a log of 1.2). nullopt when there is none or the
// folder cannot be read.
std::optional<std::filesystem::path> FindLocalLogFile(const std::filesystem::path& folder, const std::string& versionText);

// Where a log named by the web service for version `versionText` is stored: `showFolder` /
// `fileName`, or nullopt when the name is unsafe, is not a log file name of that version, or would
// land anywhere but directly inside the show folder.
std::optional<std::filesystem::path> CheckServiceLogName(const std::string& fileName, const std::string& versionText,
                                                         const std::filesystem::path& showFolder);

} // namespace vemo::qt
