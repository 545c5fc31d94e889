#pragma once

#include "vemo_networking_http/types.h"

#include <filesystem>
#include <memory>

namespace vemo::networking::detail {

// The show's files from the service's files.json: entries with unsafe names (unless names go
// unchecked), a "LOG" not ending in ".logdata" or versions outside 0..255 are dropped with the
// rejection line. Throws MalformedServiceFile.
ShowFileList ReadShowFiles(const std::filesystem::path& filesJson, bool uncheckedNames);

// The plan without what the show folder already holds; never throws.
std::unique_ptr<DownloadPlan> DropPresentFiles(std::unique_ptr<DownloadPlan> plan, const std::filesystem::path& showFolder);

} // namespace vemo::networking::detail
