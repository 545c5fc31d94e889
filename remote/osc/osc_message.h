#pragma once

#include "osc/osc_param.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace vemo::osc {

// One argument of a message, held in place and used through its OscParam base.
class OscArgument {
public:
    template <typename Param>
        requires std::is_base_of_v<OscParam, Param>
    OscArgument(Param&& param) : param_(std::in_place_type<Param>, std::move(param))
    {
    }

    const OscParam& operator*() const
    {
        return std::visit([](const OscParam& param) -> const OscParam& { return param; }, param_);
    }
    const OscParam* operator->() const { return &**this; }

private:
    std::variant<OscInt32, OscFloat32, OscString> param_;
};

using OscArguments = std::vector<OscArgument>;

// One decoded OSC message: its address and its arguments in datagram order. It owns its arguments
// and moves rather than copies.
struct OscMessage {
    OscMessage() = default;
    OscMessage(OscMessage&&) = default;
    OscMessage& operator=(OscMessage&&) = default;

    std::string address;
    OscArguments arguments;
};

// Decodes one whole datagram. Throws std::runtime_error for every malformed input.
OscMessage ParseOscMessage(const std::uint8_t* data, std::size_t count);

// Reads one argument per character of `tags` from the `count` bytes at `data`.
OscArguments ParseOscArguments(std::string_view tags, const std::uint8_t* data, std::size_t count);

} // namespace vemo::osc
