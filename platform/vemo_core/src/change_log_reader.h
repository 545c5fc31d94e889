#pragma once

#include "vemo_core/change_log_document.h"

#include <filesystem>
#include <string>

namespace CL {

// The members of a change-log file that say which file it is.
struct ChangeLogHeader {
    cmn::VEMOVersion format;
    cmn::VEMOVersion version;
    std::string showId;
};

// The bytes of a change-log file; std::runtime_error("Cannot open change log: " + path) when it is
// missing, with the reason after the path when it is not a regular file, too large or unreadable.
std::string ReadChangeLogFile(const std::filesystem::path& file);
// Reads format, version and show; ChangeLogFormatError when they are missing or ill-typed.
ChangeLogHeader ReadChangeLogHeader(const std::string& bytes, const std::string& fileName);
// Refuses a file of another show than the record's ("Change log belongs to another show: " + path).
void CheckShow(const ChangeLogHeader& header, const std::filesystem::path& file, const std::filesystem::path& recordFile);

} // namespace CL
