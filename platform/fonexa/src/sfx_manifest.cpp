#include "fonexa/sfx_manifest.h"
#include "fonexa/wav_header.h"

#include <vemo_core/regular_file.h>

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <iostream>

namespace vemo::sfx {
namespace {

// Length of a PCM WAV file from its header; 0 (no length from the file) when the file is missing,
// and also, with one line on stderr naming the file, when it or its header cannot be read.
int wavDurationMs(const std::string& path)
{
    try {
        const auto head = vemo::core::ReadRegularFileHeadIfPresent(path, kWavHeadBytes);
        return head ? WavDurationMs(head->bytes, head->size) : 0;
    } catch (const vemo::core::FileReadError& error) {
        std::cerr << "Sound effect length unknown: " << error.what() << std::endl;
    } catch (const WavHeaderError& error) {
        std::cerr << "Sound effect length unknown: " << path << ": " << error.what() << std::endl;
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
    if (location.isEmpty())
        return;
    std::optional<std::string> bytes;
    try {
        bytes = vemo::core::ReadRegularFileIfPresent(location.toStdString());
    } catch (const vemo::core::FileReadError& error) {
        std::cerr << "Ignoring the sound-effect manifest: " << error.what() << std::endl;
        return;
    }
    if (!bytes)
        return;
    const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(*bytes));
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
            if (const int given = o.value("durationMs").toInt(0); given > 0)
                entry.durationMs = given;
            else if (const int fromHeader = entry.path.empty() ? 0 : wavDurationMs(entry.path))
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

std::vector<std::pair<std::string, std::string>> SfxManifest::ambientEffects() const
{
    std::vector<std::pair<std::string, std::string>> effects;
    for (const auto& entry : entries_) {
        if (entry.type == SfxType::Ambient)
            effects.emplace_back(entry.id, entry.path);
    }
    return effects;
}

int SfxManifest::durationMs(const std::string& id) const
{
    const auto* entry = Find(id);
    return entry ? entry->durationMs : 2000;
}

}  // namespace vemo::sfx
