#include "vemo_core/show_record.h"

#include "json_fields.h"
#include "vemo_core/regular_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <stdexcept>

namespace vemo::core {
namespace {

using json::FieldError;
using json::Fields;

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::mutex& DirectoriesMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::string& ShowDirectory()
{
    static std::string folder;
    return folder;
}

} // namespace

ShowRecordStore::ShowRecordStore(std::filesystem::path dataDirectory)
    : dataDirectory_(std::move(dataDirectory))
{
    const std::string malformed = "Show record store is malformed: ";
    const std::optional<std::string> bytes = ReadRegularFileWithPrefix(StoreFile(), malformed);
    if (!bytes)
        return;
    try {
        const Fields root(json::ParseObject(*bytes), "");
        current_ = root.Text("current", "");
        const QJsonArray shows = root.Array("shows", {});
        for (qsizetype i = 0; i < shows.size(); ++i) {
            const Fields show(root.Entry(shows, i, "shows"), "show " + std::to_string(i + 1));
            ShowRecord record;
            record.id = show.Text("id");
            record.directory = show.Text("directory");
            record.showName = show.Text("showName", "");
            record.customerName = show.Text("customerName", "");
            record.credential = show.Text("credential", "");
            records_.push_back(std::move(record));
        }
    } catch (const FieldError&) {
        throw std::runtime_error(malformed + StoreFile().string());
    }
}

bool ShowRecordStore::HasCurrentShow() const
{
    return !current_.empty() && std::any_of(records_.begin(), records_.end(), [&](const ShowRecord& record) {
        return record.id == current_;
    });
}

std::string ShowRecordStore::CurrentShowId() const
{
    return HasCurrentShow() ? current_ : std::string();
}

std::filesystem::path ShowRecordStore::StoreFile() const
{
    return dataDirectory_ / "showrecords.json";
}

std::filesystem::path ShowRecordStore::CurrentShowFolder() const
{
    if (!HasCurrentShow())
        throw std::runtime_error("No current show in " + StoreFile().string());
    const auto found = std::find_if(records_.begin(), records_.end(), [&](const ShowRecord& r) { return r.id == current_; });
    return dataDirectory_ / found->directory;
}

std::filesystem::path ShowRecordStore::CurrentRecordFile() const
{
    return CurrentShowFolder() / "show.record";
}

const ShowRecord& ShowRecordStore::CurrentRecord() const
{
    if (!HasCurrentShow())
        throw std::runtime_error("No current show in " + StoreFile().string());
    return Record(current_);
}

const ShowRecord& ShowRecordStore::Record(const std::string& id) const
{
    const auto found = std::find_if(records_.begin(), records_.end(), [&](const ShowRecord& r) { return r.id == id; });
    if (found == records_.end())
        throw std::out_of_range("No show record for " + id);
    return WithKeyMaterial(*found);
}

std::vector<std::string> ShowRecordStore::ShowIds() const
{
    std::vector<std::string> ids;
    for (const ShowRecord& record : records_)
        ids.push_back(record.id);
    return ids;
}

void ShowRecordStore::Put(const ShowRecord& record)
{
    ShowRecord stored = record;
    stored.keyMaterial1.clear();
    stored.keyMaterial2.clear();
    const auto found = std::find_if(records_.begin(), records_.end(), [&](const ShowRecord& r) { return r.id == record.id; });
    if (found == records_.end())
        records_.push_back(std::move(stored));
    else
        *found = std::move(stored);
}

void ShowRecordStore::SetCurrent(const std::string& id)
{
    current_ = id;
}

void ShowRecordStore::Save() const
{
    QJsonArray shows;
    for (const ShowRecord& record : records_) {
        shows.append(QJsonObject{{"id", Q(record.id)}, {"directory", Q(record.directory)},
            {"showName", Q(record.showName)}, {"customerName", Q(record.customerName)},
            {"credential", Q(record.credential)}});
    }
    const QJsonObject root{{"version", 1}, {"current", Q(current_)}, {"shows", shows}};
    try {
        MakeDirectoryIfNeeded(dataDirectory_);
        WriteFileAtomically(StoreFile(), QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString());
    } catch (const std::exception& error) {
        throw std::runtime_error("Cannot write " + StoreFile().string() + ": " + error.what());
    }
}

const ShowRecord& ShowRecordStore::WithKeyMaterial(const ShowRecord& stored) const
{
    const ShowRecord keys = ReadShowRecordFile(dataDirectory_ / stored.directory / "show.record");
    ShowRecord record = stored;
    if (keys.id.empty() || keys.id == stored.id) {
        record.keyMaterial1 = keys.keyMaterial1;
        record.keyMaterial2 = keys.keyMaterial2;
    }
    std::lock_guard lock(cacheMutex_);
    for (auto earlier = handedOut_.rbegin(); earlier != handedOut_.rend(); ++earlier) {
        if ((*earlier)->id == record.id) {
            if (**earlier == record)
                return **earlier;
            break;
        }
    }
    handedOut_.push_back(std::make_unique<const ShowRecord>(std::move(record)));
    return *handedOut_.back();
}

void WriteShowRecordFile(const std::filesystem::path& recordFile, const ShowRecord& record)
{
    const QJsonObject root{{"id", Q(record.id)}, {"keyMaterial1", Q(convertVecToHex(record.keyMaterial1))},
        {"keyMaterial2", Q(convertVecToHex(record.keyMaterial2))}};
    try {
        WriteFileAtomically(recordFile, QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString());
    } catch (const std::exception& error) {
        throw std::runtime_error("Cannot write " + recordFile.string() + ": " + error.what());
    }
}

ShowRecord ReadShowRecordFile(const std::filesystem::path& recordFile)
{
    const std::string malformed = "Show record file is malformed: ";
    const std::optional<std::string> bytes = ReadRegularFileWithPrefix(recordFile, malformed);
    ShowRecord record;
    if (!bytes)
        return record;
    try {
        const Fields root(json::ParseObject(*bytes), "");
        record.id = root.Text("id");
        record.keyMaterial1 = convertHexToVec(root.Text("keyMaterial1", ""));
        record.keyMaterial2 = convertHexToVec(root.Text("keyMaterial2", ""));
    } catch (const FieldError& error) {
        throw std::runtime_error(malformed + recordFile.string() + " (" + error.what() + ")");
    } catch (const std::invalid_argument& error) {
        throw std::runtime_error(malformed + recordFile.string() + " (" + error.what() + ")");
    }
    return record;
}

std::string Directories::GetShowDirectory()
{
    std::lock_guard lock(DirectoriesMutex());
    return ShowDirectory();
}

void Directories::SetShowDirectory(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    std::lock_guard lock(DirectoriesMutex());
    ShowDirectory() = std::move(folder);
}

} // namespace vemo::core
