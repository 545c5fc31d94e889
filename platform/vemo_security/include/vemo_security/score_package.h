#pragma once

#include "vemo_core/types.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace vemo_sec {

// The plain start of every score package, before the archive.
inline constexpr std::string_view kScorePackageLead{"VEMO-SCORE-v1\0\0\0", 16};

// The largest score package that is read.
inline constexpr std::uintmax_t kMaxScorePackageBytes = 256ull * 1024 * 1024;

// Writes a score package: the lead and `archiveBytes`, enciphered with `key` (32 bytes) and `iv`
// (16 bytes), replacing `out` atomically. Throws std::runtime_error on a wrong key size, a cipher
// error or a failed write.
void WriteScorePackage(const std::filesystem::path& out, const std::string& archiveBytes,
                       const vemo::core::DataVector& key, const vemo::core::DataVector& iv);

} // namespace vemo_sec
