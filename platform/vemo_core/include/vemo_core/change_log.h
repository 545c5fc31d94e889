#pragma once

#include "vemo_core/version.h"

#include <filesystem>

namespace CL {

// A change-log file as listed among a show's versions: its version and file time only. The
// events are not read, so a file of a newer format is listed (loading it is what fails).
class ChangeLog {
public:
    ChangeLog() = default;
    // Throws std::runtime_error("Cannot open change log: " + path), ChangeLogFormatError, or
    // std::runtime_error("Change log belongs to another show: " + path) when the file's "show" is
    // set and differs from the id in `recordFile` (a missing or unreadable record skips the check).
    ChangeLog(const std::filesystem::path& file, const std::filesystem::path& recordFile);

    cmn::VEMOVersion version() const { return version_; }
    UInt32 modificationTime() const { return modificationTime_; } // seconds since 1970
    void SetVersion(UInt16 majorVersion, UInt16 minorVersion);
    void SetModificationTime(UInt32 seconds) { modificationTime_ = seconds; }
    const std::filesystem::path& filePath() const { return filePath_; }

private:
    std::filesystem::path filePath_;
    cmn::VEMOVersion version_;
    UInt32 modificationTime_ = 0;
};

// Two entries of one version count as equal.
inline bool operator==(const ChangeLog& a, const ChangeLog& b)
{
    return a.version() == b.version();
}

} // namespace CL
