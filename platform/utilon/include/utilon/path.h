#pragma once

#include <string>
#include <utility>

namespace utilon::path {

// Splits at the last '.' of the last path component: "a/Show-2.5.logdata" gives
// ("a/Show-2.5", ".logdata"); a component without '.' gives (path, "").
std::pair<std::string, std::string> splitext(const std::string& path);

} // namespace utilon::path
