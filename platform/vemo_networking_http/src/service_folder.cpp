#include "service_folder.h"

#include "vemo_networking_http/file_names.h"
#include "vemo_networking_http/network_api.h"

#include <vemo_core/regular_file.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QUrl>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <mutex>

namespace vemo::networking {

std::string DefaultApiBaseAddress()
{
    if (const char* base = std::getenv("VEMO_WEB_BASE"); base != nullptr && *base != '\0')
        return base;
    return "file://" + QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString()
           + "/vemo_webservice";
}

namespace detail {
namespace {

constexpr std::uintmax_t kMaxServiceFileBytes = 4 * 1024 * 1024;

std::mutex& JournalMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace

Service OpenService(const std::string& baseAddress)
{
    const QUrl url(QString::fromStdString(baseAddress));
    if (!url.isLocalFile())
        return {{}, "This build reaches the web service only through file:// addresses"};
    const std::filesystem::path folder = url.toLocalFile().toStdString();
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return {folder, "Web service folder not found: " + folder.string()};
    return {folder, {}};
}

Service OpenDefaultService()
{
    return OpenService(DefaultApiBaseAddress());
}

MalformedServiceFile::MalformedServiceFile(const std::filesystem::path& file)
    : std::runtime_error("The web service sent a malformed answer: " + file.filename().string())
{
}

std::optional<QJsonObject> ReadServiceObject(const std::filesystem::path& file)
{
    std::optional<std::string> bytes;
    try {
        bytes = vemo::core::ReadRegularFileIfPresent(file, kMaxServiceFileBytes);
    } catch (const std::exception&) {
        throw MalformedServiceFile(file);
    }
    if (!bytes)
        return std::nullopt;
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(*bytes), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        throw MalformedServiceFile(file);
    return document.object();
}

Faults::Faults(const std::filesystem::path& serviceFolder)
    : folder_(serviceFolder)
{
    try {
        faults_ = ReadServiceObject(serviceFolder / "_faults.json").value_or(QJsonObject());
    } catch (const MalformedServiceFile&) {
        faults_ = QJsonObject();
    }
}

Faults::Scripted Faults::For(std::string_view operation) const
{
    const QJsonObject entry = faults_.value(QString::fromUtf8(operation.data(), qsizetype(operation.size()))).toObject();
    Scripted scripted;
    if (entry.contains("throw")) {
        scripted.kind = Scripted::Kind::Throw;
        scripted.message = entry.value("throw").toString().toStdString();
    } else if (entry.value("fail").toBool()) {
        scripted.kind = Scripted::Kind::Fail;
    } else if (entry.contains("status")) {
        scripted.kind = Scripted::Kind::Status;
        scripted.status = entry.value("status").toInt(API_SERVER_ERROR);
        scripted.message = entry.value("message").toString().toStdString();
    }
    return scripted;
}

uint64_t Faults::BytesPerSecond() const
{
    if (const char* throttle = std::getenv("VEMO_WEB_THROTTLE_BPS"); throttle != nullptr && *throttle != '\0') {
        char* end = nullptr;
        const unsigned long long value = std::strtoull(throttle, &end, 10);
        if (end != throttle && *end == '\0')
            return value;
    }
    const double value = faults_.value("throttleBytesPerSecond").toDouble(0);
    return value >= 1 ? static_cast<uint64_t>(value) : 0;
}

bool Faults::FailsFile(std::string_view name) const
{
    const QString wanted = QString::fromUtf8(name.data(), qsizetype(name.size()));
    for (const QJsonValue& file : faults_.value("failFiles").toArray()) {
        if (file.toString() == wanted)
            return true;
    }
    return false;
}

bool Faults::UncheckedNames() const
{
    return faults_.value("uncheckedNames").toBool();
}

void Faults::Journal(const std::string& line) const
{
    if (!faults_.value("journal").toBool())
        return;
    std::lock_guard lock(JournalMutex());
    std::ofstream(folder_ / "_journal.log", std::ios::app) << line << '\n';
}

std::string ShowIdFor(const std::filesystem::path& serviceFolder, const std::string& credential)
{
    const std::optional<QJsonObject> credentials = ReadServiceObject(serviceFolder / "credentials.json");
    if (!credentials)
        return std::string();
    const QJsonValue id = credentials->value("tokens").toObject().value(QString::fromStdString(credential));
    const std::string showId = id.toString().toStdString();
    return IsSafeFileName(showId) ? showId : std::string();
}

std::optional<uint8_t> VersionNumber(const QJsonValue& value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number < 0 || number > 255 || std::floor(number) != number)
        return std::nullopt;
    return static_cast<uint8_t>(number);
}

std::optional<std::filesystem::path> ResolveInside(const std::string& fileUrl, const std::filesystem::path& folder)
{
    const QUrl url(QString::fromStdString(fileUrl));
    if (!url.isLocalFile())
        return std::nullopt;
    std::error_code error;
    const auto canonicalFolder = std::filesystem::canonical(folder, error);
    if (error)
        return std::nullopt;
    const auto file = std::filesystem::canonical(url.toLocalFile().toStdString(), error);
    if (error)
        return std::nullopt;
    const auto relative = file.lexically_relative(canonicalFolder);
    if (relative.empty() || relative == "." || *relative.begin() == "..")
        return std::nullopt;
    return file;
}

std::string FileAddress(const std::filesystem::path& file)
{
    return QUrl::fromLocalFile(QString::fromStdString(file.string())).toString().toStdString();
}

} // namespace detail
} // namespace vemo::networking
