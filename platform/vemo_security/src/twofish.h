#pragma once

#include "vemo_core/types.h"

#include <string>

namespace vemo_sec::detail {

enum class Direction { Encipher, Decipher };

// Enciphers or deciphers `bytes` in place with Twofish in CFB mode. Throws std::runtime_error
// "Score key material must be 32 and 16 bytes" or "Cipher error: <libgcrypt's text>".
void TwofishCfb(std::string& bytes, const vemo::core::DataVector& key, const vemo::core::DataVector& iv,
                Direction direction);

} // namespace vemo_sec::detail
