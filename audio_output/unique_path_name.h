#pragma once

#include <string>
#include <vector>

namespace vemo::qt {

// `name` made unique among `taken`: unchanged when no taken name is `name` itself or `name`
// followed by one white-space character and decimal digits; else `name` + " " + one more than the
// highest such number (`name` alone counts as 1). The name is compared literally, and the numbers
// as digit text, so a suffix of any length counts without overflow.
std::string UniquePathName(const std::string& name, const std::vector<std::string>& taken);

} // namespace vemo::qt
