#pragma once

#include <optional>
#include <QMetaType>
#include <string>
#include <utility>
#include <vector>

namespace vemo::audio {
enum class SfxType : int { Ambient = 0, Primary = 1 };
}
Q_DECLARE_METATYPE(vemo::audio::SfxType)

namespace vemo::sfx {

using SfxType = vemo::audio::SfxType;

// The machine's sound-effect manifest: <second GenericDataLocation without the product folder>/
// vemo_data/sfx/manifest.json. Read when made; a missing or bad file gives an empty manifest.
class SfxManifest {
public:
    SfxManifest();

    bool HasEffectId(const std::string& id) const;
    std::optional<std::string> path(const std::string& id) const;  // absolute; none without "file"
    std::optional<SfxType> type(const std::string& id) const;
    std::optional<std::string> displayName(const std::string& id) const;
    // Play length of one pass: a positive "durationMs", else the WAV header, else 2000 ms.
    int durationMs(const std::string& id) const;
    // The "ambient" entries in file order: (effect id, absolute path or "" without "file").
    std::vector<std::pair<std::string, std::string>> ambientEffects() const;

    // The manifest file this machine uses ("" when there are fewer than two data locations).
    static std::string Location();

private:
    struct Entry {
        std::string id, name, path;
        SfxType type = SfxType::Primary;
        int durationMs = 2000;
    };
    const Entry* Find(const std::string& id) const;
    std::vector<Entry> entries_;
};

}  // namespace vemo::sfx
