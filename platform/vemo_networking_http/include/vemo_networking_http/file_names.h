#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vemo::networking {

// True only for a plain file name: not empty, at most 255 bytes, not "." or "..", no '/', '\\',
// ':' or control character (NUL included), not starting with '.'.
bool IsSafeFileName(std::string_view name);

// A name as it may appear in a message or on the console: control characters and bytes 0x7f are
// written as "\xNN", and the text is cut after 255 bytes of the name.
std::string EscapeFileName(std::string_view name);

// Whether `target` would land directly inside `folder`: the weakly canonical parent of the
// target equals the canonical folder. False when the folder does not exist.
bool IsDirectlyInside(const std::filesystem::path& target, const std::filesystem::path& folder);

// The line written on standard error for a name from the service that is not used.
void ReportRejectedName(std::string_view name);

} // namespace vemo::networking

using vemo::networking::IsSafeFileName;
