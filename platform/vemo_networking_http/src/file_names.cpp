#include "vemo_networking_http/file_names.h"

#include <cstdio>
#include <iostream>
#include <system_error>

namespace vemo::networking {

namespace {
constexpr std::size_t kMaxNameBytes = 255;
}

bool IsSafeFileName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxNameBytes || name == "." || name == ".." || name.front() == '.')
        return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || c == ':' || byte < 0x20 || byte == 0x7f)
            return false;
    }
    return true;
}

std::string EscapeFileName(std::string_view name)
{
    std::string escaped;
    for (const char c : name.substr(0, kMaxNameBytes)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02x", byte);
            escaped += code;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

bool IsDirectlyInside(const std::filesystem::path& target, const std::filesystem::path& folder)
{
    std::error_code error;
    const auto canonicalFolder = std::filesystem::canonical(folder, error);
    if (error)
        return false;
    const auto parent = std::filesystem::weakly_canonical(target, error).parent_path();
    return !error && parent == canonicalFolder;
}

void ReportRejectedName(std::string_view name)
{
    std::cerr << "Rejected unsafe file name from the web service: " << EscapeFileName(name) << std::endl;
}

} // namespace vemo::networking
