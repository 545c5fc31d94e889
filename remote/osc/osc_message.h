#pragma once

#include "osc/osc_param.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vemo::osc {

using OscArguments = std::vector<std::unique_ptr<OscParam>>;

// One decoded OSC message: its address and its arguments in datagram order. It owns its arguments,
// so it moves and does not copy.
struct OscMessage {
    std::string address;
    OscArguments arguments;
};

// Decodes one whole datagram. Throws std::runtime_error for every malformed input.
OscMessage ParseOscMessage(const std::uint8_t* data, std::size_t count);

// Reads one argument per character of `tags` from the `count` bytes at `data`.
OscArguments ParseOscArguments(std::string_view tags, const std::uint8_t* data, std::size_t count);

} // namespace vemo::osc
