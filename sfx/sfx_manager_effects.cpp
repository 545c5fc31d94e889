#include "sfx/sfx_manager_effects.h"

#include "editing/sfx_manifest.h"

#include <algorithm>
#include <stdexcept>

namespace vemo::qt {

std::vector<SfxEntry> ReadManagerSfxEntries()
{
    const auto manifest = editing::ReadSfxManifestDocument(editing::SfxManifestPath());
    if (!manifest.top.contains(QStringLiteral("ambient")))
        throw std::runtime_error("No ambient effects available");
    if (!manifest.top.contains(QStringLiteral("sfx")))
        throw std::runtime_error("No sound effects available");
    auto entries = editing::SfxEntriesOf(manifest.top, QStringLiteral("ambient"));
    const auto primary = editing::SfxEntriesOf(manifest.top, QStringLiteral("sfx"));
    entries.insert(entries.end(), primary.begin(), primary.end());
    std::stable_sort(entries.begin(), entries.end(),
                     [](const SfxEntry& a, const SfxEntry& b) { return a.displayName < b.displayName; });
    return entries;
}

}  // namespace vemo::qt
