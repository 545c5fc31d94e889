#include "editing/sfx_manifest.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>

#include <algorithm>
#include <stdexcept>

namespace vemo::editing {
namespace {

const QString kRelativePath = QStringLiteral("vemo_data/sfx/manifest.json");

std::vector<SfxEntry> ReadArrays(const QJsonObject& top, std::initializer_list<QString> keys, long long counted)
{
    std::vector<std::vector<SfxEntry>> arrays;
    std::size_t available = 0;
    for (const QString& key : keys) {
        arrays.push_back(SfxEntriesOf(top, key));
        available += arrays.back().size();
    }
    std::vector<SfxEntry> entries;
    entries.reserve(SfxReservation(counted, available));
    for (auto& array : arrays)
        entries.insert(entries.end(), array.begin(), array.end());
    return entries;
}

}  // namespace

QString SfxManifestPathIn(const QString& dataFolder)
{
    QString folder = dataFolder;
    folder.remove(QStringLiteral("tolbrin2"), Qt::CaseInsensitive);
    folder.remove(QStringLiteral("Tolbrin"), Qt::CaseInsensitive);
    if (folder.isEmpty())
        return kRelativePath;
    if (folder.endsWith('/') || folder.endsWith('\\'))
        return folder + kRelativePath;
    return folder + '/' + kRelativePath;
}

QString SfxManifestPath()
{
    const QStringList locations = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    if (locations.size() < 2)
        throw std::runtime_error("Cannot open the manifest file");
    return SfxManifestPathIn(locations.at(1));
}

SfxManifestDocument ReadSfxManifestDocument(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("Cannot open the manifest file");
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (document.isNull())
        throw std::runtime_error("Error parsing sound effects manifest");
    SfxManifestDocument manifest;
    manifest.top = document.object();
    if (!manifest.top.contains(QStringLiteral("metadata")))
        throw std::runtime_error("No metadata available for sound effects");
    const QJsonObject metadata = manifest.top.value(QStringLiteral("metadata")).toObject();
    manifest.count = metadata.value(QStringLiteral("count")).toInt(0);
    manifest.ambientCount = metadata.value(QStringLiteral("ambientCount")).toInt(0);
    return manifest;
}

SfxEntry SfxEntryOf(const QJsonValue& element)
{
    const QJsonObject object = element.toObject();
    return {object.value(QStringLiteral("name")).toString(), object.value(QStringLiteral("id")).toString()};
}

std::vector<SfxEntry> SfxEntriesOf(const QJsonObject& top, const QString& key)
{
    std::vector<SfxEntry> entries;
    for (const QJsonValue& element : top.value(key).toArray())
        entries.push_back(SfxEntryOf(element));
    return entries;
}

std::size_t SfxReservation(long long counted, std::size_t available)
{
    if (counted <= 0)
        return 0;
    return std::min(static_cast<std::size_t>(counted), available);
}

std::vector<SfxEntry> ReadPrimarySfxEntries(const SfxManifestDocument& manifest)
{
    if (!manifest.top.contains(QStringLiteral("sfx")))
        throw std::runtime_error("No sound effects available");
    return ReadArrays(manifest.top, {QStringLiteral("sfx"), QStringLiteral("ambient")},
                      static_cast<long long>(manifest.count) + manifest.ambientCount);
}

std::vector<SfxEntry> ReadAmbientSfxEntries(const SfxManifestDocument& manifest)
{
    if (!manifest.top.contains(QStringLiteral("ambient")))
        throw std::runtime_error("No ambient effects available");
    return ReadArrays(manifest.top, {QStringLiteral("ambient")}, manifest.ambientCount);
}

std::vector<SfxEntry> ReadPrimarySfxEntries()
{
    return ReadPrimarySfxEntries(ReadSfxManifestDocument(SfxManifestPath()));
}

std::vector<SfxEntry> ReadAmbientSfxEntries()
{
    return ReadAmbientSfxEntries(ReadSfxManifestDocument(SfxManifestPath()));
}

}  // namespace vemo::editing
