#include "osc/osc_message.h"

#include <algorithm>
#include <stdexcept>

namespace vemo::osc {

namespace {

// Appends the argument of one type code and returns the count of bytes it took.
std::size_t ReadArgument(OscType type, const std::uint8_t* data, std::size_t count, OscArguments& arguments)
{
    std::size_t consumed = 0;
    switch (type) {
    case kOscTypeInt32:
        arguments.emplace_back(OscInt32::Read(data, count, consumed));
        return consumed;
    case kOscTypeFloat32:
        arguments.emplace_back(OscFloat32::Read(data, count, consumed));
        return consumed;
    case kOscTypeString:
        arguments.emplace_back(OscString::Read(data, count, consumed));
        return consumed;
    case kOscTypeBlob:
    case kOscTypeUnknown:
        break;
    }
    throw std::runtime_error("Unsupported or unknown OSC Type.");
}

} // namespace

OscArguments ParseOscArguments(std::string_view tags, const std::uint8_t* data, std::size_t count)
{
    OscArguments arguments;
    // Every argument takes at least 4 bytes, so a long tag string cannot make a large reservation.
    arguments.reserve(std::min(tags.size(), count / 4));
    std::size_t offset = 0;
    for (const char tag : tags) {
        offset += ReadArgument(OscTypeOfTag(tag), data + offset, count - offset, arguments);
    }
    return arguments;
}

OscMessage ParseOscMessage(const std::uint8_t* data, std::size_t count)
{
    std::size_t addressLength = 0;
    const std::string_view address = ReadPaddedString(data, count, addressLength);
    if (address == "#bundle") {
        throw std::runtime_error("OSC Bundle detected. OSC Bundles unsupported at this time.");
    }
    OscMessage message;
    message.address = std::string(address);
    if (addressLength == count || data[addressLength] != ',') {
        return message;
    }
    std::size_t tagsLength = 0;
    const std::string_view tags = ReadPaddedString(data + addressLength, count - addressLength, tagsLength);
    const std::size_t offset = addressLength + tagsLength;
    message.arguments = ParseOscArguments(tags.substr(1), data + offset, count - offset);
    return message;
}

} // namespace vemo::osc
