#pragma once

#include "editing/sfx_list_model.h"

#include <QJsonObject>
#include <QString>

#include <vector>

// Reading the machine's sound-effect manifest, in three layers: where the file lies, opening and
// parsing it, and the primary and ambient readings of its effect arrays. Every failure throws
// std::runtime_error with a text meant for the user; nothing is cached between readings.
namespace vemo::editing {

// The manifest under a machine-wide data folder text: the folder without any "tolbrin2", then
// without any "Tolbrin" (both in any letter case), joined with "vemo_data/sfx/manifest.json".
QString SfxManifestPathIn(const QString& dataFolder);

// The manifest this machine uses: under the second generic data location. Fewer than two
// locations throw "Cannot open the manifest file".
QString SfxManifestPath();

// A manifest that opened and parsed, with the top-level object holding "metadata".
struct SfxManifestDocument {
    QJsonObject top;
    int count = 0;         // "metadata"/"count"; 0 when missing or not an integer
    int ambientCount = 0;  // "metadata"/"ambientCount"; likewise
};

// Opens and parses the file at `path` and checks for "metadata".
SfxManifestDocument ReadSfxManifestDocument(const QString& path);

// One array element as an entry: its "name" and "id" strings, empty when missing or not strings.
SfxEntry SfxEntryOf(const QJsonValue& element);

// Every element of the named array, in file order; none when the key is missing or no array.
std::vector<SfxEntry> SfxEntriesOf(const QJsonObject& top, const QString& key);

// How many entries to make room for: the counts' sum, never below 0 or above the arrays' length.
std::size_t SfxReservation(long long counted, std::size_t available);

// The primary tools' reading: requires "sfx"; the "sfx" entries, then the "ambient" ones.
std::vector<SfxEntry> ReadPrimarySfxEntries(const SfxManifestDocument& manifest);
// The ambient tool's reading: requires "ambient"; the "ambient" entries only.
std::vector<SfxEntry> ReadAmbientSfxEntries(const SfxManifestDocument& manifest);

// The machine's manifest read by one of the readings above.
std::vector<SfxEntry> ReadPrimarySfxEntries();
std::vector<SfxEntry> ReadAmbientSfxEntries();

}  // namespace vemo::editing
