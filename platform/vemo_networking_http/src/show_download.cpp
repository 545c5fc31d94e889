#include "vemo_networking_http/show_download.h"

#include "vemo_networking_http/file_names.h"
#include "part_file_copy.h"
#include "service_folder.h"

#include <vemo_core/show_record.h>

#include <iostream>
#include <limits>

namespace vemo_download {

using vemo::networking::detail::CopyOutcome;
using vemo::networking::detail::Faults;

namespace {

// Calls one callback; what program code throws there is reported and does not stop the download.
template <class Callback, class... Args>
void Call(const Callback& callback, Args&&... args)
{
    if (!callback)
        return;
    try {
        callback(std::forward<Args>(args)...);
    } catch (const std::exception& failure) {
        std::cerr << "Platform callback threw: " << failure.what() << std::endl;
    }
}

int32_t ExpectedTotal(const DownloadPlan& plan)
{
    uint64_t sum = 0;
    for (const DownloadPlanEntry& entry : plan.entries) {
        sum += entry.size;
        if (sum >= uint64_t(std::numeric_limits<int32_t>::max()))
            return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(sum);
}

// Why a plan entry cannot be written into the target folder, "" when it can.
std::string Refusal(const DownloadPlanEntry& entry, const std::filesystem::path& target,
                    const vemo::networking::detail::Service& service,
                    std::optional<std::filesystem::path>& source)
{
    using namespace vemo::networking;
    if (!IsSafeFileName(entry.fileName) || (entry.type == "LOG" && !entry.fileName.ends_with(".logdata"))
        || !IsDirectlyInside(target / entry.fileName, target)) {
        ReportRejectedName(entry.fileName);
        return "The web service sent an unsafe file name";
    }
    source = detail::ResolveInside(entry.sourceUrl, service.folder);
    if (!source)
        return "the file is not on the server";
    return std::string();
}

ShowRecord FinishedRecord(const std::filesystem::path& target, const std::string& showId, const std::string& credential,
                          const DownloadCallbacks& callbacks)
{
    try {
        ShowRecord record = vemo::core::ReadShowRecordFile(target / "show.record");
        if (!record.id.empty())
            return record;
    } catch (const std::exception& failure) {
        Call(callbacks.error, std::string("Could not read show.record: ") + failure.what());
    }
    ShowRecord record;
    record.id = showId;
    record.credential = credential;
    return record;
}

} // namespace

ShowRecord PerformShowDownload(const std::string& credential, std::shared_ptr<DownloadCallbacks> callbacks,
                               std::atomic<bool>* cancel, std::string, int32_t productType, DownloadPlan* plan)
{
    namespace detail = vemo::networking::detail;
    if (plan == nullptr)
        throw DownloadException("No download plan");
    const detail::Service service = detail::OpenDefaultService();
    if (!service.reachable())
        throw DownloadException(service.problem);
    const Faults faults(service.folder);
    const Faults::Scripted scripted = faults.For("PerformShowDownload");
    const std::string journalLine = "PerformShowDownload files=" + std::to_string(plan->entries.size())
                                    + " product=" + std::to_string(productType);
    if (scripted.kind == Faults::Scripted::Kind::Fail) {
        faults.Journal(journalLine + " -> fail");
        return ShowRecord{};
    }
    std::string showId;
    try {
        showId = detail::ShowIdFor(service.folder, credential);
    } catch (const detail::MalformedServiceFile&) {
        showId.clear();
    }
    if (showId.empty())
        throw DownloadException("The web service refused the show credential");
    const std::filesystem::path target = plan->targetFolder;
    std::error_code error;
    std::filesystem::create_directories(target, error);
    if (error || !std::filesystem::is_directory(target))
        throw DownloadException("Cannot create show folder " + target.string() + ": "
                                + (error ? error.message() : std::string("not a folder")));

    const DownloadCallbacks noCallbacks;
    const DownloadCallbacks& report = callbacks ? *callbacks : noCallbacks;
    Call(report.status, std::string("Preparing download"));
    Call(report.expectedTotal, ExpectedTotal(*plan));

    bool cancelled = false;
    const std::size_t count = plan->entries.size();
    for (std::size_t i = 0; i < count && !cancelled; ++i) {
        const DownloadPlanEntry& entry = plan->entries[i];
        if (cancel != nullptr && cancel->load()) {
            cancelled = true;
            break;
        }
        const std::string shownName = vemo::networking::EscapeFileName(entry.fileName);
        Call(report.fileStatus, "Downloading " + shownName + " (" + std::to_string(i + 1) + "/" + std::to_string(count) + ")");
        std::optional<std::filesystem::path> source;
        std::string reason = Refusal(entry, target, service, source);
        if (reason.empty()) {
            detail::PartCopy copy;
            copy.source = *source;
            copy.declaredSize = entry.size;
            copy.sha256 = entry.sha256;
            copy.target = target / entry.fileName;
            copy.cancel = cancel;
            copy.bytesPerSecond = faults.BytesPerSecond();
            copy.failHalfway = faults.FailsFile(entry.fileName);
            copy.progress = [&](uint64_t received, uint64_t size) {
                Call(report.fileProgress, entry.fileName, received, size);
            };
            const detail::CopyResult copied = detail::CopyThroughPart(copy);
            cancelled = copied.outcome == CopyOutcome::Cancelled;
            reason = copied.reason;
        }
        if (!reason.empty())
            Call(report.error, "Could not download " + shownName + ": " + reason);
    }
    faults.Journal(journalLine + (cancelled ? " -> cancelled" : " -> done"));
    if (scripted.kind == Faults::Scripted::Kind::Throw)
        throw DownloadException(scripted.message);
    if (cancelled) {
        Call(report.status, std::string("Download cancelled"));
        return ShowRecord{};
    }
    Call(report.status, std::string("Download complete"));
    return FinishedRecord(target, showId, credential, report);
}

} // namespace vemo_download
