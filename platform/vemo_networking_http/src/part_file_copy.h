#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace vemo::networking::detail {

// One file copied from the service into a show folder through "<target>.part".
struct PartCopy {
    std::filesystem::path source; // checked to lie inside the service folder
    std::optional<uint64_t> declaredSize; // none: the size the source has when opened
    std::string sha256; // checked when it is 64 hex digits
    std::filesystem::path target;
    const std::atomic<bool>* cancel = nullptr;
    uint64_t bytesPerSecond = 0; // 0: unthrottled
    bool failHalfway = false; // scripted: fails once half the bytes are copied
    std::function<void(uint64_t received, uint64_t size)> progress;
};

enum class CopyOutcome { Written, Failed, Cancelled };

struct CopyResult {
    CopyOutcome outcome = CopyOutcome::Failed;
    std::string reason; // why it failed
};

// Removes a leftover part file, creates a new one without following a planted link, copies in
// chunks (throttled slices of at most 50 ms of bytes, cancel polled before each and at least every
// 50 ms while waiting), checks size and sha256 and renames the part over the target. Every failure
// and a cancel remove the part file. Reads at most the declared size plus one byte.
CopyResult CopyThroughPart(const PartCopy& copy);

// sha256 (lower-case hex) of a regular file that has exactly `size` bytes; nullopt for anything
// else (absent, not a regular file, another size, unreadable). Never waits on a FIFO.
std::optional<std::string> Sha256OfRegularFile(const std::filesystem::path& file, uint64_t size);

// Whether text is 64 hex digits.
bool IsSha256Text(const std::string& text);

} // namespace vemo::networking::detail
