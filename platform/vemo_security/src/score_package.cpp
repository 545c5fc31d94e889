#include "vemo_security/score_package.h"

#include "twofish.h"

namespace vemo_sec {

void WriteScorePackage(const std::filesystem::path& out, const std::string& archiveBytes,
                       const vemo::core::DataVector& key, const vemo::core::DataVector& iv)
{
    std::string bytes;
    bytes.reserve(kScorePackageLead.size() + archiveBytes.size());
    bytes.append(kScorePackageLead);
    bytes.append(archiveBytes);
    detail::TwofishCfb(bytes, key, iv, detail::Direction::Encipher);
    vemo::core::WriteFileAtomically(out, bytes);
}

} // namespace vemo_sec
