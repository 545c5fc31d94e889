#pragma once

#include <filesystem>

namespace vemo::testing {

// The temporary folder that holds this test process's data, config, cache and runtime folders.
// It is made before main() runs and removed when the process ends.
const std::filesystem::path& TestRoot();

// True when Qt's generic data folders (the writable one and the machine-wide one) lie inside
// TestRoot(). Call after the application object exists.
bool DataFoldersAreIsolated();

} // namespace vemo::testing
