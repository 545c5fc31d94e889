#pragma once

#include <vemo_core/types.h>

#include <cstddef>
#include <filesystem>
#include <string>

namespace vemo::networking {

// Fetches one shared event-log file. The file is copied to "<target>.part" and renamed over
// `target` once it is whole; a 64-digit hex `text` must equal the copy's sha256. The key, the code
// and the access blocks are journaled. Returns true only when the target was written; a link
// outside the service folder, an unsafe target name, a missing or irregular source, a mismatch or
// a scripted failure give false with the target untouched. Never throws.
class VEMODownloader {
public:
    bool Download(const std::string& link, const std::filesystem::path& target, const std::string& text,
                  const UInt8* key, std::size_t keyLen, const std::string& code, const UInt8* access1,
                  std::size_t n1, const UInt8* access2, std::size_t n2);
    bool Download(const std::string& link, const std::filesystem::path& target, const std::string& text,
                  const vemo::core::DataVector& key, const std::string& code, const vemo::core::DataVector& access1,
                  const vemo::core::DataVector& access2);
};

} // namespace vemo::networking
