#include "vemo_core/types.h"

#include "vemo_core/events.h"
#include "vemo_core/properties.h"
#include "vemo_core/show_record.h"

#include <QMetaType>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace vemo::core {
namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Writes everything or throws with the system's reason.
void WriteAll(int fd, const std::string& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw std::runtime_error(std::strerror(errno));
        }
        written += static_cast<std::size_t>(n);
    }
}

// Makes a rename in the folder durable; a folder that cannot be opened is left as it is, the
// file itself is already on disk.
void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

DataVector convertHexToVec(const std::string& hex)
{
    if (hex.size() % 2 != 0)
        throw std::invalid_argument("Invalid hex text");
    DataVector bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]);
        const int low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0)
            throw std::invalid_argument("Invalid hex text");
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

std::string convertVecToHex(const DataVector& bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const std::uint8_t b : bytes) {
        hex.push_back(kDigits[b >> 4]);
        hex.push_back(kDigits[b & 0x0f]);
    }
    return hex;
}

void WriteFileAtomically(const std::filesystem::path& file, const std::string& bytes)
{
    const std::filesystem::path temporary = file.string() + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw std::runtime_error(std::strerror(errno));
    try {
        WriteAll(fd, bytes);
        if (::fsync(fd) != 0)
            throw std::runtime_error(std::strerror(errno));
    } catch (...) {
        ::close(fd);
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw;
    }
    if (::close(fd) != 0) {
        const int error = errno;
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw std::runtime_error(std::strerror(error));
    }
    if (std::rename(temporary.c_str(), file.c_str()) != 0) {
        const int error = errno;
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw std::runtime_error(std::strerror(error));
    }
    SyncFolder(file.parent_path());
}

void RegisterQtMetaTypes()
{
    qRegisterMetaType<CL::OutputPath>("CL::OutputPath");
    qRegisterMetaType<CL::Osc>("CL::Osc");
    qRegisterMetaType<ShowRecord>("ShowRecord");
    qRegisterMetaType<std::string>("std::string");
    qRegisterMetaType<UInt8>("UInt8");
    qRegisterMetaType<UInt32>("UInt32");
}

} // namespace vemo::core

namespace vemo {

void MakeDirectoryIfNeeded(const std::filesystem::path& folder)
{
    if (std::filesystem::is_directory(folder))
        return;
    std::filesystem::create_directories(folder);
}

} // namespace vemo
