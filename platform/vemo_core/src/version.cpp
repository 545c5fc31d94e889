#include "vemo_core/version.h"

#include <charconv>
#include <tuple>

namespace cmn {
namespace {

// Reads a whole decimal number of at most `limit`; false on anything else.
bool ParsePart(std::string_view text, unsigned long limit, unsigned long& value)
{
    if (text.empty())
        return false;
    unsigned long parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || parsed > limit)
        return false;
    value = parsed;
    return true;
}

} // namespace

std::string VEMOVersion::GetAsString() const
{
    return std::to_string(majorVersion) + "." + std::to_string(minorVersion);
}

bool VEMOVersion::SetWithString(const std::string& text)
{
    const std::size_t dot = text.find('.');
    if (dot == std::string::npos)
        return false;
    unsigned long majorPart = 0;
    unsigned long minorPart = 0;
    const std::string_view view(text);
    if (!ParsePart(view.substr(0, dot), 0xffff, majorPart) || !ParsePart(view.substr(dot + 1), 0xffff, minorPart))
        return false;
    majorVersion = static_cast<UInt16>(majorPart);
    minorVersion = static_cast<UInt16>(minorPart);
    return true;
}

bool VEMOVersion::operator<(const VEMOVersion& other) const
{
    return std::tie(majorVersion, minorVersion) < std::tie(other.majorVersion, other.minorVersion);
}

bool VEMOVersion::operator==(const VEMOVersion& other) const
{
    return majorVersion == other.majorVersion && minorVersion == other.minorVersion;
}

FileVersion::FileVersion(const std::string& text)
{
    const std::size_t dot = text.find('.');
    const std::string_view view(text);
    if (!ParsePart(view.substr(0, dot), static_cast<unsigned long>(-1), major_))
        major_ = 0;
    if (dot != std::string::npos && !ParsePart(view.substr(dot + 1), static_cast<unsigned long>(-1), minor_))
        minor_ = 0;
}

bool FileVersion::operator>=(const FileVersion& other) const
{
    return !(*this < other);
}

bool FileVersion::operator<(const FileVersion& other) const
{
    return std::tie(major_, minor_) < std::tie(other.major_, other.minor_);
}

bool FileVersion::operator==(const FileVersion& other) const
{
    return major_ == other.major_ && minor_ == other.minor_;
}

} // namespace cmn
