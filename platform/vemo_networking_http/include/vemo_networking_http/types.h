#pragma once

#include <vemo_core/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vemo::networking {

inline constexpr int API_SUCCESS = 0;
inline constexpr int API_BAD_REQUEST = 400;
inline constexpr int API_UNAUTHORIZED = 401;
inline constexpr int API_NOT_FOUND = 404;
inline constexpr int API_SERVER_ERROR = 500;
inline constexpr int API_NETWORK_ERROR = -1;

// The answer to one request. The payload may be present whatever the status.
template <class T>
struct RequestResult {
    int status = API_NETWORK_ERROR;
    std::optional<T> data;
    std::string message;

    // "" after a success; otherwise the service's message, or the status when it sent none.
    std::string GetDisplayMessage() const
    {
        if (status == API_SUCCESS)
            return std::string();
        if (!message.empty())
            return message;
        return "The web service answered with status " + std::to_string(status);
    }
};

// One shared event-log version, in the service's order.
struct ChangelogInfo {
    UInt8 majorVersion = 0;
    UInt8 minorVersion = 0;
    int32_t modified = 0; // seconds since 1970
};
using ChangelogInfoList = std::vector<ChangelogInfo>;

// A shared version with what it takes to fetch it: `link` is the file's address, `key` hex text,
// `text` the sha256 (hex) of the file's bytes, `fileName` the name it is stored under.
struct ChangelogFullInfo {
    UInt8 majorVersion = 0;
    UInt8 minorVersion = 0;
    int32_t modified = 0;
    std::string link;
    std::string key;
    std::string text;
    std::string fileName;
};
using ChangelogFullInfoList = std::vector<ChangelogFullInfo>;

struct LogVersion {
    UInt8 majorVersion = 0;
    UInt8 minorVersion = 0;
};

// One file of a show as the service holds it. `type` is "SHOW", "RECORD", "SCORE", "ART" or "LOG";
// only a "LOG" carries a version.
struct ShowFileInfo {
    std::string type;
    std::string fileName;
    uint64_t size = 0;
    std::string sha256;
    UInt8 majorVersion = 0;
    UInt8 minorVersion = 0;
};
using ShowFileList = std::vector<ShowFileInfo>;

// A file to fetch: the service's entry and the address it is fetched from.
struct DownloadPlanEntry : ShowFileInfo {
    std::string sourceUrl;
};

// The files a show folder lacks, and the folder they go to.
struct DownloadPlan {
    std::vector<DownloadPlanEntry> entries;
    std::filesystem::path targetFolder;

    bool empty() const { return entries.empty(); }
};

// Receiver of a download's status texts and per-file progress.
class IReportProgressCallback {
public:
    virtual void ReportStatus(std::string text) = 0;
    virtual void ReportProgress(std::string file, uint64_t received, uint64_t total) = 0;

protected:
    ~IReportProgressCallback() = default;
};

// What a show download reports, in this order: status, file status, file progress (file, bytes
// received, file size), the expected total of all files (clamped to INT32_MAX), errors of single
// files. Every member may be empty.
struct DownloadCallbacks {
    std::function<void(std::string)> status;
    std::function<void(std::string)> fileStatus;
    std::function<void(std::string, uint64_t, uint64_t)> fileProgress;
    std::function<void(int32_t)> expectedTotal;
    std::function<void(std::string)> error;
};

} // namespace vemo::networking

namespace vemo_download {

using vemo::networking::DownloadCallbacks;
using vemo::networking::DownloadPlan;
using vemo::networking::DownloadPlanEntry;

// A show download that cannot run at all.
class DownloadException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace vemo_download
