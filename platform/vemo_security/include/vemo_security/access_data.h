#pragma once

#include "vemo_core/types.h"

#include <filesystem>

namespace vemo_sec {

// The two access blocks of a show: the score key (block1, 32 bytes) and its IV (block2, 16 bytes).
struct AccessData {
    vemo::core::DataVector block1;
    vemo::core::DataVector block2;
};

// The record file's "keyMaterial1" and "keyMaterial2" (hexadecimal text) as bytes. The file must be
// a regular file of at most 64 KiB holding a JSON object with both texts; anything else throws
// std::runtime_error("Cannot read show access data: <path>").
AccessData ReadAccessData(const std::filesystem::path& recordFile);

} // namespace vemo_sec
