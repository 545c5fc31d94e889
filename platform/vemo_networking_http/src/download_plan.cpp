#include "show_files.h"

#include "part_file_copy.h"
#include "service_folder.h"

#include "vemo_networking_http/file_names.h"

#include <vemo_core/change_log.h>

#include <QJsonArray>

#include <iostream>
#include <optional>

namespace vemo::networking::detail {
namespace {

bool IsLogName(const std::string& name)
{
    return name.ends_with(".logdata");
}

// The highest version among the folder's logs that open; a log that does not is skipped with a
// line on standard error, an unreadable folder gives none.
std::optional<cmn::VEMOVersion> HighestLocalLog(const std::filesystem::path& showFolder)
{
    std::optional<cmn::VEMOVersion> highest;
    std::error_code error;
    std::filesystem::directory_iterator entries(showFolder, error);
    if (error)
        return highest;
    for (const auto end = std::filesystem::directory_iterator(); entries != end; entries.increment(error)) {
        if (error)
            break;
        const std::filesystem::path file = entries->path();
        if (!IsLogName(file.string()))
            continue;
        try {
            const CL::ChangeLog log(file, showFolder / "show.record");
            if (!highest || *highest < log.version())
                highest = log.version();
        } catch (const std::exception& failure) {
            std::cerr << "Skipped event log " << file.string() << ": " << failure.what() << std::endl;
        }
    }
    return highest;
}

bool IsPresent(const DownloadPlanEntry& entry, const std::filesystem::path& showFolder)
{
    if (!IsSafeFileName(entry.fileName))
        return false;
    const std::optional<std::string> digest = Sha256OfRegularFile(showFolder / entry.fileName, entry.size);
    return digest && QByteArray::fromStdString(entry.sha256).toLower().toStdString() == *digest;
}

} // namespace

ShowFileList ReadShowFiles(const std::filesystem::path& filesJson, bool uncheckedNames)
{
    ShowFileList files;
    const QJsonObject root = ReadServiceObject(filesJson).value_or(QJsonObject());
    for (const QJsonValue& value : root.value("files").toArray()) {
        const QJsonObject entry = value.toObject();
        ShowFileInfo file;
        file.type = entry.value("type").toString().toStdString();
        file.fileName = entry.value("name").toString().toStdString();
        file.size = static_cast<uint64_t>(std::max(0.0, entry.value("size").toDouble(0)));
        file.sha256 = entry.value("sha256").toString().toStdString();
        const bool isLog = file.type == "LOG";
        const auto majorVersion = VersionNumber(entry.value("major"));
        const auto minorVersion = VersionNumber(entry.value("minor"));
        const bool versionOk = !isLog || (majorVersion && minorVersion);
        const bool nameOk = IsSafeFileName(file.fileName) && (!isLog || IsLogName(file.fileName));
        if (!versionOk || (!nameOk && !uncheckedNames)) {
            ReportRejectedName(file.fileName);
            continue;
        }
        if (isLog) {
            file.majorVersion = *majorVersion;
            file.minorVersion = *minorVersion;
        }
        files.push_back(std::move(file));
    }
    return files;
}

std::unique_ptr<DownloadPlan> DropPresentFiles(std::unique_ptr<DownloadPlan> plan, const std::filesystem::path& showFolder)
{
    if (!plan)
        plan = std::make_unique<DownloadPlan>();
    plan->targetFolder = showFolder;
    std::optional<std::optional<cmn::VEMOVersion>> localLog;
    std::vector<DownloadPlanEntry> missing;
    for (DownloadPlanEntry& entry : plan->entries) {
        bool present = false;
        try {
            if (entry.type == "LOG") {
                if (!localLog)
                    localLog = HighestLocalLog(showFolder);
                const cmn::VEMOVersion wanted{entry.majorVersion, entry.minorVersion};
                present = localLog->has_value() && !(**localLog < wanted);
            } else {
                present = IsPresent(entry, showFolder);
            }
        } catch (const std::exception& failure) {
            std::cerr << "Cannot check " << EscapeFileName(entry.fileName) << ": " << failure.what() << std::endl;
        }
        if (!present)
            missing.push_back(std::move(entry));
    }
    plan->entries = std::move(missing);
    return plan;
}

} // namespace vemo::networking::detail
