#include "vemo_networking_http/network_api.h"

#include "vemo_networking_http/file_names.h"
#include "part_file_copy.h"
#include "service_folder.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

#include <fstream>
#include <iostream>

namespace vemo::networking {
namespace {

void WriteObject(const std::filesystem::path& file, const QJsonObject& object)
{
    vemo::core::WriteFileAtomically(file, QJsonDocument(object).toJson(QJsonDocument::Indented).toStdString());
}

QJsonObject VersionObject(int majorVersion, int minorVersion)
{
    return QJsonObject{{"major", majorVersion}, {"minor", minorVersion}};
}

// Replaces the index entry of the version (or adds one) and makes it the latest.
void UpdateIndex(const std::filesystem::path& indexFile, const std::string& fileName, int majorVersion,
                 int minorVersion, const std::string& sha256)
{
    QJsonObject index = detail::ReadServiceObject(indexFile).value_or(QJsonObject());
    QJsonArray logs;
    for (const QJsonValue& log : index.value("logs").toArray()) {
        const QJsonObject entry = log.toObject();
        if (entry.value("major").toInt(-1) != majorVersion || entry.value("minor").toInt(-1) != minorVersion)
            logs.append(entry);
    }
    logs.append(QJsonObject{{"major", majorVersion},
                            {"minor", minorVersion},
                            {"modified", QDateTime::currentSecsSinceEpoch()},
                            {"fileName", QString::fromStdString(fileName)},
                            {"key", ""},
                            {"text", QString::fromStdString(sha256)}});
    index.insert("logs", logs);
    index.insert("latest", VersionObject(majorVersion, minorVersion));
    WriteObject(indexFile, index);
}

// Makes the version the show's "LOG" file.
void UpdateShowFiles(const std::filesystem::path& filesJson, const std::string& fileName, int majorVersion,
                     int minorVersion, uint64_t size, const std::string& sha256)
{
    QJsonObject root = detail::ReadServiceObject(filesJson).value_or(QJsonObject());
    QJsonArray files;
    for (const QJsonValue& file : root.value("files").toArray()) {
        if (file.toObject().value("type").toString() != "LOG")
            files.append(file);
    }
    files.append(QJsonObject{{"type", "LOG"},
                             {"name", QString::fromStdString(fileName)},
                             {"size", double(size)},
                             {"sha256", QString::fromStdString(sha256)},
                             {"major", majorVersion},
                             {"minor", minorVersion}});
    root.insert("files", files);
    WriteObject(filesJson, root);
}

bool Copy(const std::filesystem::path& source, const std::filesystem::path& target)
{
    detail::PartCopy copy;
    copy.source = source;
    copy.target = target;
    return detail::CopyThroughPart(copy).outcome == detail::CopyOutcome::Written;
}

} // namespace

bool UploadChangelog(const vemo::core::DataVector& authorization, const std::string& fileName, int majorVersion,
                     int minorVersion, const std::string& credential, const std::filesystem::path& showFolder,
                     int productType)
{
    try {
        const detail::Service service = detail::OpenDefaultService();
        if (!service.reachable())
            return false;
        const detail::Faults faults(service.folder);
        const std::string line = "UploadChangelog " + EscapeFileName(fileName) + " " + std::to_string(majorVersion) + "."
                                 + std::to_string(minorVersion) + " product=" + std::to_string(productType) + " -> ";
        const std::string showId = detail::ShowIdFor(service.folder, credential);
        const bool versionOk = majorVersion >= 0 && majorVersion <= 255 && minorVersion >= 0 && minorVersion <= 255;
        if (faults.For("UploadChangelog").kind != detail::Faults::Scripted::Kind::None || authorization.empty()
            || showId.empty() || !versionOk || !IsSafeFileName(fileName) || !fileName.ends_with(".logdata")) {
            faults.Journal(line + "false");
            return false;
        }
        const std::filesystem::path source = showFolder / fileName;
        std::error_code error;
        const uint64_t size = std::filesystem::file_size(source, error);
        const std::optional<std::string> digest = error ? std::nullopt : detail::Sha256OfRegularFile(source, size);
        const std::filesystem::path show = service.folder / "shows" / showId;
        std::filesystem::create_directories(show / "logs", error);
        std::filesystem::create_directories(show / "files", error);
        if (!digest || !Copy(source, show / "logs" / fileName) || !Copy(source, show / "files" / fileName)) {
            faults.Journal(line + "false");
            return false;
        }
        UpdateIndex(show / "logs" / "index.json", fileName, majorVersion, minorVersion, *digest);
        UpdateShowFiles(show / "files.json", fileName, majorVersion, minorVersion, size, *digest);
        std::ofstream(show / "uploads.jsonl", std::ios::app)
            << QJsonDocument(QJsonObject{{"time", QDateTime::currentSecsSinceEpoch()},
                                         {"fileName", QString::fromStdString(fileName)},
                                         {"version", QString::fromStdString(std::to_string(majorVersion) + "."
                                                                            + std::to_string(minorVersion))},
                                         {"productType", productType},
                                         {"authorizationBytes", qint64(authorization.size())}})
                   .toJson(QJsonDocument::Compact)
                   .toStdString()
            << '\n';
        faults.Journal(line + "true");
        return true;
    } catch (const std::exception& failure) {
        std::cerr << "Upload failed: " << failure.what() << std::endl;
        return false;
    }
}

} // namespace vemo::networking
