#pragma once

#include <filesystem>
#include <string>

namespace vemo::qt {

// A change-log version as the show folder's file names give it, each part kept to 8 bits.
struct LocalLogVersion {
    int major = 0;
    int minor = 0;

    auto operator<=>(const LocalLogVersion&) const = default;
};

// The greatest version among the regular files of `folder` named "*.logdata" (major first). A
// name's version is the text between its last "-" and its last "."; names without "-", with the
// "-" after that ".", or whose version text has no "." are skipped. Each part is read as a decimal
// number and kept to its low 8 bits; a part that is not a number, or does not fit an int, reads
// as 0. (0, 0) when no name qualifies or the folder cannot be read. Never throws.
LocalLogVersion highestLocalLogVersion(const std::filesystem::path& folder);

// The name of the regular file of `folder`, in directory order, whose name ends in ".logdata" and
// holds the greatest version (the text between the name's last "-" and its last ".", compared as
// cmn::FileVersion); among equal versions the last one met wins. "" when no name qualifies or the
// folder cannot be read. Never throws.
std::string newestLocalLogPath(const std::filesystem::path& folder);

} // namespace vemo::qt
