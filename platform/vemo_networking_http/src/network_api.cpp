#include "vemo_networking_http/network_api.h"

#include "vemo_networking_http/file_names.h"
#include "service_folder.h"
#include "show_files.h"

#include <QJsonArray>

#include <algorithm>

namespace vemo::networking {

using detail::Faults;
using detail::MalformedServiceFile;

namespace {

// One request against the service folder: reachability, scripted answers, the credential and the
// journal line, so that each operation only reads its own files.
class Request {
public:
    Request(const std::string& base, const std::string& credential, int credentialKind, std::string operation,
            std::string arguments)
        : service_(detail::OpenService(base))
        , operation_(std::move(operation))
        , arguments_(arguments.empty() ? "kind=" + std::to_string(credentialKind)
                                       : arguments + " kind=" + std::to_string(credentialKind))
    {
        if (!service_.reachable())
            return;
        faults_.emplace(service_.folder);
        const Faults::Scripted scripted = faults_->For(operation_);
        if (scripted.kind == Faults::Scripted::Kind::Status) {
            scripted_ = {scripted.status, scripted.message};
            return;
        }
        if (scripted.kind != Faults::Scripted::Kind::None) {
            scripted_ = {API_SERVER_ERROR, "The web service failed"};
            return;
        }
        try {
            showId_ = detail::ShowIdFor(service_.folder, credential);
        } catch (const MalformedServiceFile& error) {
            scripted_ = {API_SERVER_ERROR, error.what()};
            return;
        }
        if (showId_.empty())
            scripted_ = {API_UNAUTHORIZED, "The show credential was not accepted"};
    }

    // The answer when the request does not get to its files, else nullopt.
    template <class T>
    std::optional<RequestResult<T>> EarlyAnswer()
    {
        if (!service_.reachable())
            return Finish(RequestResult<T>{API_NETWORK_ERROR, std::nullopt, service_.problem});
        if (scripted_)
            return Finish(RequestResult<T>{scripted_->first, std::nullopt, scripted_->second});
        return std::nullopt;
    }

    template <class T>
    RequestResult<T> Finish(RequestResult<T> result)
    {
        if (faults_)
            faults_->Journal(operation_ + " " + arguments_ + " -> " + std::to_string(result.status));
        return result;
    }

    std::filesystem::path ShowFolder() const { return service_.folder / "shows" / showId_; }
    const Faults& faults() const { return *faults_; }

private:
    detail::Service service_;
    std::string operation_;
    std::string arguments_;
    std::optional<Faults> faults_;
    std::optional<std::pair<int, std::string>> scripted_;
    std::string showId_;
};

template <class T>
RequestResult<T> Malformed(const MalformedServiceFile& error)
{
    return {API_SERVER_ERROR, std::nullopt, error.what()};
}

// A shared version of the index; `safe` when its name may be used (any name is while names go
// unchecked).
struct IndexEntry {
    ChangelogFullInfo info;
    bool safe = true;
};

struct LogIndex {
    std::vector<IndexEntry> logs;
    std::optional<LogVersion> latest;
};

LogIndex ReadLogIndex(const Request& request)
{
    LogIndex index;
    const std::filesystem::path logs = request.ShowFolder() / "logs";
    const QJsonObject root = detail::ReadServiceObject(logs / "index.json").value_or(QJsonObject());
    for (const QJsonValue& value : root.value("logs").toArray()) {
        const QJsonObject entry = value.toObject();
        const auto majorVersion = detail::VersionNumber(entry.value("major"));
        const auto minorVersion = detail::VersionNumber(entry.value("minor"));
        const std::string fileName = entry.value("fileName").toString().toStdString();
        if (!majorVersion || !minorVersion) {
            ReportRejectedName(fileName);
            continue;
        }
        IndexEntry log;
        log.info.majorVersion = *majorVersion;
        log.info.minorVersion = *minorVersion;
        log.info.modified = static_cast<int32_t>(entry.value("modified").toDouble(0));
        log.info.key = entry.value("key").toString().toStdString();
        log.info.text = entry.value("text").toString().toStdString();
        log.info.fileName = fileName;
        log.info.link = detail::FileAddress(logs / fileName);
        log.safe = request.faults().UncheckedNames() || (IsSafeFileName(fileName) && fileName.ends_with(".logdata"));
        index.logs.push_back(std::move(log));
    }
    const QJsonObject latest = root.value("latest").toObject();
    const auto latestMajor = detail::VersionNumber(latest.value("major"));
    const auto latestMinor = detail::VersionNumber(latest.value("minor"));
    if (latestMajor && latestMinor)
        index.latest = LogVersion{*latestMajor, *latestMinor};
    return index;
}

std::string VersionText(int majorVersion, int minorVersion)
{
    return std::to_string(majorVersion) + "." + std::to_string(minorVersion);
}

} // namespace

NetworkApiInterface::NetworkApiInterface(std::string apiBaseAddress)
    : base_(std::move(apiBaseAddress))
{
}

void NetworkApiInterface::SetCredentials(std::string credential, int credentialKind)
{
    credential_ = std::move(credential);
    credentialKind_ = credentialKind;
}

template <class T>
RequestResult<T> NetworkApiInterface::Remember(RequestResult<T> result)
{
    lastMessage_ = result.GetDisplayMessage();
    return result;
}

RequestResult<ShowFileList> NetworkApiInterface::GetAllShowFiles()
{
    Request request(base_, credential_, credentialKind_, "GetAllShowFiles", "");
    if (auto early = request.EarlyAnswer<ShowFileList>())
        return Remember(std::move(*early));
    try {
        ShowFileList files = detail::ReadShowFiles(request.ShowFolder() / "files.json", request.faults().UncheckedNames());
        return Remember(request.Finish(RequestResult<ShowFileList>{API_SUCCESS, std::move(files), ""}));
    } catch (const MalformedServiceFile& error) {
        return Remember(request.Finish(Malformed<ShowFileList>(error)));
    }
}

std::unique_ptr<DownloadPlan> NetworkApiInterface::GetDownloadPlan(const ShowFileList& files)
{
    auto plan = std::make_unique<DownloadPlan>();
    const detail::Service service = detail::OpenService(base_);
    std::string showId;
    if (service.reachable()) {
        try {
            showId = detail::ShowIdFor(service.folder, credential_);
        } catch (const MalformedServiceFile&) {
            showId.clear();
        }
    }
    for (const ShowFileInfo& file : files) {
        DownloadPlanEntry entry{file, {}};
        if (!showId.empty())
            entry.sourceUrl = detail::FileAddress(service.folder / "shows" / showId / "files" / file.fileName);
        plan->entries.push_back(std::move(entry));
    }
    return plan;
}

std::unique_ptr<DownloadPlan> NetworkApiInterface::ValidateDownloadPlan(std::unique_ptr<DownloadPlan> plan,
                                                                        const std::filesystem::path& showFolder)
{
    return detail::DropPresentFiles(std::move(plan), showFolder);
}

RequestResult<ChangelogInfoList> NetworkApiInterface::GetAvailableLogs()
{
    Request request(base_, credential_, credentialKind_, "GetAvailableLogs", "");
    if (auto early = request.EarlyAnswer<ChangelogInfoList>())
        return Remember(std::move(*early));
    try {
        ChangelogInfoList list;
        for (const IndexEntry& log : ReadLogIndex(request).logs) {
            if (log.safe)
                list.push_back({log.info.majorVersion, log.info.minorVersion, log.info.modified});
            else
                ReportRejectedName(log.info.fileName);
        }
        return Remember(request.Finish(RequestResult<ChangelogInfoList>{API_SUCCESS, std::move(list), ""}));
    } catch (const MalformedServiceFile& error) {
        return Remember(request.Finish(Malformed<ChangelogInfoList>(error)));
    }
}

RequestResult<LogVersion> NetworkApiInterface::GetLatestLog()
{
    Request request(base_, credential_, credentialKind_, "GetLatestLog", "");
    if (auto early = request.EarlyAnswer<LogVersion>())
        return Remember(std::move(*early));
    try {
        const LogIndex index = ReadLogIndex(request);
        std::optional<LogVersion> latest = index.latest;
        for (const IndexEntry& log : index.logs) {
            if (!index.latest
                && (!latest || std::pair(latest->majorVersion, latest->minorVersion)
                                   < std::pair(log.info.majorVersion, log.info.minorVersion)))
                latest = LogVersion{log.info.majorVersion, log.info.minorVersion};
        }
        if (!latest)
            return Remember(request.Finish(
                RequestResult<LogVersion>{API_NOT_FOUND, std::nullopt, "No event log has been shared for this show"}));
        return Remember(request.Finish(RequestResult<LogVersion>{API_SUCCESS, latest, ""}));
    } catch (const MalformedServiceFile& error) {
        return Remember(request.Finish(Malformed<LogVersion>(error)));
    }
}

RequestResult<ChangelogFullInfo> NetworkApiInterface::GetChangelogLinkByVersion(UInt8 majorVersion, UInt8 minorVersion)
{
    const std::string version = VersionText(majorVersion, minorVersion);
    Request request(base_, credential_, credentialKind_, "GetChangelogLinkByVersion", version);
    if (auto early = request.EarlyAnswer<ChangelogFullInfo>())
        return Remember(std::move(*early));
    try {
        const LogIndex index = ReadLogIndex(request);
        const auto found = std::find_if(index.logs.begin(), index.logs.end(), [&](const IndexEntry& log) {
            return log.info.majorVersion == majorVersion && log.info.minorVersion == minorVersion;
        });
        if (found == index.logs.end())
            return Remember(request.Finish(RequestResult<ChangelogFullInfo>{
                API_NOT_FOUND, std::nullopt, "Version " + version + " is not on the server"}));
        if (!found->safe)
            return Remember(request.Finish(RequestResult<ChangelogFullInfo>{
                API_BAD_REQUEST, std::nullopt, "The web service sent an unsafe file name"}));
        return Remember(request.Finish(RequestResult<ChangelogFullInfo>{API_SUCCESS, found->info, ""}));
    } catch (const MalformedServiceFile& error) {
        return Remember(request.Finish(Malformed<ChangelogFullInfo>(error)));
    }
}

std::string NetworkApiInterface::GetDisplayMessage() const
{
    return lastMessage_;
}

} // namespace vemo::networking
