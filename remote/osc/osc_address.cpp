#include "osc/osc_address.h"

#include <cmath>
#include <stdexcept>
#include <string_view>

namespace vemo::osc {

std::vector<std::string> SplitOscAddress(const std::string& address)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start < address.size()) {
        const std::size_t slash = address.find('/', start);
        if (slash == std::string::npos) {
            parts.push_back(address.substr(start));
            break;
        }
        parts.push_back(address.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

OscAddress ParseOscAddress(const std::string& address)
{
    constexpr std::string_view prefix = "/vemo/";
    if (address.size() < prefix.size()) {
        throw std::runtime_error("OSC command is too short for processing.");
    }
    if (std::string_view(address).substr(0, prefix.size()) != prefix) {
        throw std::runtime_error("OSC commands to VEMO software must start with /vemo/");
    }
    const std::vector<std::string> parts = SplitOscAddress(address);
    OscAddress parsed;
    for (std::size_t i = 2; i < parts.size(); i += 2) {
        const std::string& part = parts[i];
        if (i + 1 == parts.size()) {
            parsed.command = part;
            break;
        }
        const std::string& value = parts[i + 1];
        if (part == "show") {
            parsed.show = value;
        } else if (part == "song") {
            parsed.song = value;
        } else if (part == "event") {
            parsed.id = value;
            parsed.isEvent = true;
        } else if (part == "sfx") {
            parsed.id = value;
            parsed.isSfx = true;
        } else {
            throw std::runtime_error("Unknown OSC command part: " + part);
        }
    }
    return parsed;
}

std::string ToOscName(const std::string& name)
{
    constexpr std::string_view replaced = "#,* /?[]{}";
    std::string safe = name;
    for (char& c : safe) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || replaced.find(c) != std::string_view::npos) {
            c = '_';
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return safe;
}

double DbToGain(int db)
{
    return std::pow(10.0, db / 20.0);
}

} // namespace vemo::osc
