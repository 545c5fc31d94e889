#pragma once

#include <vemo_player_core/interface.h>

#include <rapidjson/ostreamwrapper.h>
#include <rapidjson/prettywriter.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace vemo::osc {

// Writes the QLab network patch that describes this program's OSC commands, so that QLab can send
// them. The player gives the default song number.
class QLabPatchWriter {
public:
    using Writer = rapidjson::PrettyWriter<rapidjson::OStreamWrapper>;
    using Values = std::vector<std::pair<std::string, std::string>>;

    explicit QLabPatchWriter(std::shared_ptr<Interface> player);

    static std::string QLabPatchFileName();

    // Writes the whole document, indented by four blanks. Throws std::runtime_error
    // "QLab File Writer has no data to write." without a player.
    void WriteQLabPatch(std::ostream& out) const;

    static void WriteQLabParameter(Writer& writer, const std::string& key, const std::string& displayName,
                                   const std::string& type, const std::string& defaultValue, bool hidden,
                                   const Values& values, bool fadeable);

private:
    std::shared_ptr<Interface> player_;
};

} // namespace vemo::osc
