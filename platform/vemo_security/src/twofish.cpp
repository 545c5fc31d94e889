#include "twofish.h"

#include <gcrypt.h>

#include <memory>
#include <mutex>
#include <stdexcept>
#include <type_traits>

namespace vemo_sec::detail {
namespace {

constexpr std::size_t kKeyBytes = 32;
constexpr std::size_t kIvBytes = 16;

void InitialiseOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        gcry_check_version(GCRYPT_VERSION);
        gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
        gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    });
}

void Check(gcry_error_t error)
{
    if (error != 0)
        throw std::runtime_error(std::string("Cipher error: ") + gcry_strerror(error));
}

struct HandleCloser {
    void operator()(gcry_cipher_hd_t handle) const { gcry_cipher_close(handle); }
};

} // namespace

void TwofishCfb(std::string& bytes, const vemo::core::DataVector& key, const vemo::core::DataVector& iv,
                Direction direction)
{
    if (key.size() != kKeyBytes || iv.size() != kIvBytes)
        throw std::runtime_error("Score key material must be 32 and 16 bytes");
    InitialiseOnce();
    gcry_cipher_hd_t raw = nullptr;
    Check(gcry_cipher_open(&raw, GCRY_CIPHER_TWOFISH, GCRY_CIPHER_MODE_CFB, 0));
    const std::unique_ptr<std::remove_pointer_t<gcry_cipher_hd_t>, HandleCloser> handle(raw);
    Check(gcry_cipher_setkey(handle.get(), key.data(), key.size()));
    Check(gcry_cipher_setiv(handle.get(), iv.data(), iv.size()));
    if (bytes.empty())
        return;
    if (direction == Direction::Encipher)
        Check(gcry_cipher_encrypt(handle.get(), bytes.data(), bytes.size(), nullptr, 0));
    else
        Check(gcry_cipher_decrypt(handle.get(), bytes.data(), bytes.size(), nullptr, 0));
}

} // namespace vemo_sec::detail
