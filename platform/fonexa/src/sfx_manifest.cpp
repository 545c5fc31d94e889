#include "fonexa/sfx_manifest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cstring>

namespace vemo::sfx {
namespace {

std::uint32_t littleEndian32(const QByteArray& bytes, int at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// Length of a PCM WAV file from its header (data bytes / byte rate); 0 when unreadable.
int wavDurationMs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const auto header = file.read(4096);
    if (header.size() < 44 || !header.startsWith("RIFF") || header.mid(8, 4) != "WAVE")
        return 0;
    std::uint32_t byteRate = 0;
    for (int at = 12; at + 8 <= header.size();) {
        const auto id = header.mid(at, 4);
        const auto size = littleEndian32(header, at + 4);
        if (id == "fmt " && at + 16 <= header.size())
            byteRate = littleEndian32(header, at + 8 + 8);
        if (id == "data")
            return byteRate ? static_cast<int>(std::uint64_t(size) * 1000 / byteRate) : 0;
        at += 8 + static_cast<int>(size + (size & 1));
    }
    return 0;
}

}  // namespace

std::string SfxManifest::Location()
{
    const auto locations = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    if (locations.size() < 2)
        return {};
    QString folder = locations[1];
    folder.remove(QRegularExpression("tolbrin2", QRegularExpression::CaseInsensitiveOption));
    folder.remove(QRegularExpression("Tolbrin", QRegularExpression::CaseInsensitiveOption));
    return QDir::cleanPath(folder + "/vemo_data/sfx/manifest.json").toStdString();
}

SfxManifest::SfxManifest()
{
    const auto location = QString::fromStdString(Location());
    QFile file(location);
    if (location.isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    const auto document = QJsonDocument::fromJson(file.readAll());
    const auto folder = QFileInfo(location).absolutePath();
    auto read = [&](const char* key, SfxType type) {
        for (const auto& value : document.object().value(key).toArray()) {
            const auto o = value.toObject();
            Entry entry;
            entry.id = o.value("id").toString().toStdString();
            entry.name = o.value("name").toString().toStdString();
            entry.type = type;
            const auto fileName = o.value("file").toString();
            if (!fileName.isEmpty())
                entry.path = QDir(folder).absoluteFilePath(fileName).toStdString();
            if (o.contains("durationMs"))
                entry.durationMs = o.value("durationMs").toInt(2000);
            else if (const int fromHeader = entry.path.empty() ? 0 : wavDurationMs(QString::fromStdString(entry.path)))
                entry.durationMs = fromHeader;
            if (!entry.id.empty())
                entries_.push_back(std::move(entry));
        }
    };
    read("sfx", SfxType::Primary);
    read("ambient", SfxType::Ambient);
}

const SfxManifest::Entry* SfxManifest::Find(const std::string& id) const
{
    const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.id == id; });
    return it == entries_.end() ? nullptr : &*it;
}

bool SfxManifest::HasEffectId(const std::string& id) const
{
    return Find(id) != nullptr;
}

std::optional<std::string> SfxManifest::path(const std::string& id) const
{
    const auto* entry = Find(id);
    if (!entry || entry->path.empty())
        return std::nullopt;
    return entry->path;
}

std::optional<SfxType> SfxManifest::type(const std::string& id) const
{
    const auto* entry = Find(id);
    return entry ? std::optional(entry->type) : std::nullopt;
}

std::optional<std::string> SfxManifest::displayName(const std::string& id) const
{
    const auto* entry = Find(id);
    return entry ? std::optional(entry->name) : std::nullopt;
}

int SfxManifest::durationMs(const std::string& id) const
{
    const auto* entry = Find(id);
    return entry ? entry->durationMs : 2000;
}

}  // namespace vemo::sfx
