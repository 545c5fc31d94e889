#include "vemo_core/change_log.h"

#include "change_log_reader.h"

#include <chrono>

namespace CL {

ChangeLog::ChangeLog(const std::filesystem::path& file, const std::filesystem::path& recordFile)
    : filePath_(file)
{
    const std::string bytes = ReadChangeLogFile(file);
    const ChangeLogHeader header = ReadChangeLogHeader(bytes, file.filename().string());
    CheckShow(header, file, recordFile);
    version_ = header.version;
    std::error_code error;
    const auto written = std::filesystem::last_write_time(file, error);
    if (!error) {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
            std::chrono::file_clock::to_sys(written).time_since_epoch());
        modificationTime_ = seconds.count() < 0 ? 0 : static_cast<UInt32>(seconds.count());
    }
}

void ChangeLog::SetVersion(UInt16 majorVersion, UInt16 minorVersion)
{
    version_ = cmn::VEMOVersion{majorVersion, minorVersion};
}

} // namespace CL
