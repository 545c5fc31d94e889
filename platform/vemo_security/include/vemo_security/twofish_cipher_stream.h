#pragma once

#include "vemo_core/types.h"

#include <filesystem>
#include <istream>
#include <sstream>

namespace vemo_sec {

// An opened score package: the whole file, deciphered (Twofish, 256-bit key, CFB mode), as a
// stream at offset 0. Its first 16 bytes are the package's lead; the rest is the archive.
// Errors (std::runtime_error): "Cannot open score package: <path>", "Score package is too large:
// <path>" (over 256 MiB), "Score key material must be 32 and 16 bytes", "Score package could not
// be deciphered: <path>" (the lead does not match, as with a wrong key) and "Cipher error: <text>".
class TwoFishCipherStream {
public:
    TwoFishCipherStream(const std::filesystem::path& file, const vemo::core::DataVector& keyMaterial1,
                        const vemo::core::DataVector& keyMaterial2);

    std::istream& GetStream();

private:
    std::istringstream plain_;
};

} // namespace vemo_sec
