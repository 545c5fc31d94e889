#include "osc/osc_message.h"

#include <algorithm>
#include <stdexcept>

namespace vemo::osc {

namespace {

std::unique_ptr<OscParam> ReadArgument(OscType type, const std::uint8_t* data, std::size_t count, std::size_t& consumed)
{
    switch (type) {
    case kOscTypeInt32:
        return OscInt32::Read(data, count, consumed);
    case kOscTypeFloat32:
        return OscFloat32::Read(data, count, consumed);
    case kOscTypeString:
        return OscString::Read(data, count, consumed);
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
        std::size_t consumed = 0;
        arguments.push_back(ReadArgument(OscTypeOfTag(tag), data + offset, count - offset, consumed));
        offset += consumed;
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
