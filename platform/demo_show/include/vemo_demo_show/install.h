#pragma once

#include <filesystem>

namespace vemo::demo {

// Installs the bundled demo show "The Lantern Keeper" into `dataDirectory` and makes it the current
// show, unless a current show exists or VEMO_NO_DEMO=1. Never overwrites an existing file. Also
// installs the demo's sound-effect manifest into the machine-wide data folder when it has none.
// Returns whether the demo was installed.
bool InstallIfNoCurrentShow(const std::filesystem::path& dataDirectory);

}  // namespace vemo::demo
