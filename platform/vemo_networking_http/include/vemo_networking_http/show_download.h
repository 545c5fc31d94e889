#pragma once

#include "vemo_networking_http/types.h"

#include <vemo_core/show_record.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace vemo_download {

// Fetches the plan's files into its target folder, in plan order, on the calling thread. The
// callbacks run on this thread, one at a time, and never after the call returns. Reports
// "Preparing download", the expected total, per file "Downloading <name> (<i>/<n>)" and its
// progress, "Could not download <name>: <reason>" for a file that fails (the next file follows),
// and "Download complete" or "Download cancelled". `cancel` (may be null) is polled before every
// chunk and at least every 50 ms while throttled. Returns the record of the folder's show.record
// (the show id and credential when there is none), or an empty record when cancelled.
// Throws DownloadException when the download cannot start: no plan, a refused credential, a target
// folder that cannot be made, a service that cannot be reached.
vemo::core::ShowRecord PerformShowDownload(const std::string& credential, std::shared_ptr<DownloadCallbacks> callbacks,
                                           std::atomic<bool>* cancel, std::string reserved, int32_t productType,
                                           DownloadPlan* plan);

} // namespace vemo_download
