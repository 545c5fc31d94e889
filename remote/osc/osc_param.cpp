#include "osc/osc_param.h"

#include <bit>
#include <charconv>
#include <cstring>
#include <stdexcept>

namespace vemo::osc {

namespace {

std::uint32_t ReadBigEndian32(const std::uint8_t* data)
{
    return (std::uint32_t(data[0]) << 24) | (std::uint32_t(data[1]) << 16) | (std::uint32_t(data[2]) << 8)
        | std::uint32_t(data[3]);
}

} // namespace

std::string_view ReadPaddedString(const std::uint8_t* data, std::size_t count, std::size_t& consumed)
{
    const void* nul = count == 0 ? nullptr : std::memchr(data, 0, count);
    if (nul == nullptr) {
        throw std::runtime_error("OSC string is larger than buffer during read of null terminator.");
    }
    const std::size_t length = static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - data);
    const std::string_view text(reinterpret_cast<const char*>(data), length);
    const std::size_t padded = (length + 4) & ~std::size_t(3);
    if (padded > count) {
        throw std::runtime_error("The OSC string " + std::string(text) + " is larger than buffer while zero padding.");
    }
    for (std::size_t i = length + 1; i < padded; ++i) {
        if (data[i] != 0) {
            throw std::runtime_error("The OSC string " + std::string(text)
                + " does not contain proper pad to extend the string to a multiple of 4.");
        }
    }
    consumed = padded;
    return text;
}

std::string OscParam::toString() const
{
    throw std::runtime_error("Parameter does not convert to string.");
}

std::int32_t OscParam::toInt32() const
{
    throw std::runtime_error("Parameter does not convert to int32.");
}

float OscParam::toFloat32() const
{
    throw std::runtime_error("Parameter does not convert to float32.");
}

OscInt32 OscInt32::Read(const std::uint8_t* data, std::size_t count, std::size_t& consumed)
{
    if (count < 4) {
        throw std::runtime_error("Cannot read OSC Param of type int32 in less than four bytes.");
    }
    consumed = 4;
    return OscInt32(static_cast<std::int32_t>(ReadBigEndian32(data)));
}

std::string OscInt32::toString() const
{
    return std::to_string(value_);
}

OscFloat32 OscFloat32::Read(const std::uint8_t* data, std::size_t count, std::size_t& consumed)
{
    if (count < 4) {
        throw std::runtime_error("Cannot read OSC Param of type float32 in less than four bytes.");
    }
    consumed = 4;
    return OscFloat32(std::bit_cast<float>(ReadBigEndian32(data)));
}

std::string OscFloat32::toString() const
{
    // Large enough for the longest fixed form of a float: 39 digits, sign, point and 6 decimals.
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value_, std::chars_format::fixed, 6);
    return std::string(text, result.ptr);
}

OscString OscString::Read(const std::uint8_t* data, std::size_t count, std::size_t& consumed)
{
    return OscString(std::string(ReadPaddedString(data, count, consumed)));
}

} // namespace vemo::osc
