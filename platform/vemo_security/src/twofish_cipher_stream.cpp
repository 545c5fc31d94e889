#include "vemo_security/twofish_cipher_stream.h"

#include "twofish.h"
#include "vemo_core/regular_file.h"
#include "vemo_security/score_package.h"

#include <stdexcept>
#include <system_error>

namespace vemo_sec {
namespace {

std::runtime_error CannotOpen(const std::filesystem::path& file)
{
    return std::runtime_error("Cannot open score package: " + file.string());
}

std::runtime_error TooLarge(const std::filesystem::path& file)
{
    return std::runtime_error("Score package is too large: " + file.string());
}

// Whether the file under that name (links followed) is longer than a package may be. Only looks
// at the file's status, so a FIFO is never opened.
bool IsOversized(const std::filesystem::path& file)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (error || !std::filesystem::is_regular_file(status))
        return false;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    return !error && size > kMaxScorePackageBytes;
}

std::string ReadPackage(const std::filesystem::path& file)
{
    if (IsOversized(file))
        throw TooLarge(file);
    try {
        return vemo::core::ReadRegularFile(file, kMaxScorePackageBytes);
    } catch (const vemo::core::FileReadError&) {
        if (IsOversized(file))
            throw TooLarge(file);
        throw CannotOpen(file);
    }
}

} // namespace

TwoFishCipherStream::TwoFishCipherStream(const std::filesystem::path& file,
                                         const vemo::core::DataVector& keyMaterial1,
                                         const vemo::core::DataVector& keyMaterial2)
{
    std::string bytes = ReadPackage(file);
    detail::TwofishCfb(bytes, keyMaterial1, keyMaterial2, detail::Direction::Decipher);
    if (!bytes.starts_with(kScorePackageLead))
        throw std::runtime_error("Score package could not be deciphered: " + file.string());
    plain_.str(std::move(bytes));
}

std::istream& TwoFishCipherStream::GetStream()
{
    return plain_;
}

} // namespace vemo_sec
