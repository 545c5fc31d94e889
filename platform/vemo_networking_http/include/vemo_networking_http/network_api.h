#pragma once

#include "vemo_networking_http/types.h"

#include <vemo_core/types.h>

#include <filesystem>
#include <memory>
#include <string>

namespace vemo::networking {

// VEMO_WEB_BASE when set, else "file://<generic data folder>/vemo_webservice".
std::string DefaultApiBaseAddress();

// Client of the show web service. The base address is a file:// URL of a local folder that holds
// the service's files (credentials.json, shows/<id>/files.json, files/, logs/index.json, logs/).
// Requests are synchronous; use one client from one thread.
class NetworkApiInterface {
public:
    explicit NetworkApiInterface(std::string apiBaseAddress);

    // Kind 0 (event-log versions) or the product type; both are accepted and journaled. An unknown
    // credential makes later requests answer API_UNAUTHORIZED.
    void SetCredentials(std::string credential, int credentialKind);

    RequestResult<ShowFileList> GetAllShowFiles();
    // One entry per file, with the address it is fetched from; never null.
    std::unique_ptr<DownloadPlan> GetDownloadPlan(const ShowFileList& files);
    // Sets the target folder and drops what the folder already holds: files of equal size and
    // sha256, and "LOG" entries when a log of the same or a higher version is there. Never throws
    // and never waits on a file of the folder; what cannot be read counts as absent.
    std::unique_ptr<DownloadPlan> ValidateDownloadPlan(std::unique_ptr<DownloadPlan> plan,
                                                       const std::filesystem::path& showFolder);
    RequestResult<ChangelogInfoList> GetAvailableLogs();
    RequestResult<LogVersion> GetLatestLog();
    RequestResult<ChangelogFullInfo> GetChangelogLinkByVersion(UInt8 majorVersion, UInt8 minorVersion);

    // Message of the last request, "" after a success.
    std::string GetDisplayMessage() const;

private:
    template <class T>
    RequestResult<T> Remember(RequestResult<T> result);

    std::string base_;
    std::string credential_;
    int credentialKind_ = 0;
    std::string lastMessage_;
};

// Shares `<showFolder>/<fileName>` as event-log version major.minor: copies it into the service's
// logs/ and files/, adds or replaces its index entry and makes it the latest and the show's "LOG"
// file. False, with nothing changed, for an unsafe name, an empty authorization, an unknown
// credential, a missing file or a scripted failure. Never throws.
bool UploadChangelog(const vemo::core::DataVector& authorization, const std::string& fileName, int majorVersion,
                     int minorVersion, const std::string& credential, const std::filesystem::path& showFolder,
                     int productType);

} // namespace vemo::networking
