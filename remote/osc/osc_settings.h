#pragma once

#include <cstdint>
#include <string>

namespace vemo::osc {

// Whether incoming OSC is enabled and the port it listens on, kept in "osc_settings.vemo".
struct OscSettings {
    OscSettings() = default;
    OscSettings(bool enabled, std::int32_t listenPort) : oscEnabled(enabled), oscListenPort(listenPort) {}

    // Reads a version "1.0" file. A missing or unreadable file, invalid JSON or another version
    // change nothing; a port that is not a whole number in 0 to 65535 keeps the current port.
    void Load(const std::string& path);

    // Writes the settings, creating the folder when it is missing. The old file survives a failed
    // save, which throws std::runtime_error "Failed to save osc settings to <path>: <reason>".
    void Save(const std::string& path) const;

    bool oscEnabled = true;
    std::int32_t oscListenPort = 55037;
};

} // namespace vemo::osc
