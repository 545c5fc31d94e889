#include "vemo_core/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vemo::core {
namespace {

std::string Reason(int error)
{
    return std::strerror(error);
}

FileReadError Unreadable(const std::filesystem::path& file, int error)
{
    return FileReadError(file.string() + " cannot be read: " + Reason(error));
}

FileReadError NotRegular(const std::filesystem::path& file)
{
    return FileReadError(file.string() + " is not a regular file");
}

// An open descriptor of a regular file, closed on destruction.
class RegularFile {
public:
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    RegularFile(RegularFile&& other) noexcept
        : descriptor_(std::exchange(other.descriptor_, -1))
        , file_(std::move(other.file_))
        , size_(other.size_)
    {
    }
    RegularFile& operator=(RegularFile&&) = delete;
    ~RegularFile()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }

    // Refuses what is not a regular file before opening it, and opens without waiting (a FIFO put
    // in its place meanwhile opens at once and is refused by the second check).
    static std::optional<RegularFile> OpenIfPresent(const std::filesystem::path& file)
    {
        struct stat status {};
        if (::stat(file.c_str(), &status) != 0) {
            if (errno == ENOENT)
                return std::nullopt;
            throw Unreadable(file, errno);
        }
        if (!S_ISREG(status.st_mode))
            throw NotRegular(file);
        const int descriptor = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (descriptor < 0) {
            if (errno == ENOENT)
                return std::nullopt;
            throw Unreadable(file, errno);
        }
        std::optional<RegularFile> opened(std::in_place, descriptor, file);
        if (::fstat(descriptor, &status) != 0)
            throw Unreadable(file, errno);
        if (!S_ISREG(status.st_mode))
            throw NotRegular(file);
        opened->size_ = static_cast<std::uintmax_t>(status.st_size);
        return opened;
    }

    RegularFile(int descriptor, const std::filesystem::path& file)
        : descriptor_(descriptor)
        , file_(file)
    {
    }

    std::uintmax_t Size() const { return size_; }

    // Up to `count` bytes from the start; stops early at the end of the file.
    std::string Read(std::uintmax_t count) const
    {
        std::string bytes;
        bytes.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(count, size_)));
        std::size_t done = 0;
        while (done < count) {
            if (done == bytes.size())
                bytes.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(count, done + 65536)));
            const ssize_t got = ::read(descriptor_, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                throw Unreadable(file_, errno);
            if (got == 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        bytes.resize(done);
        return bytes;
    }

private:
    int descriptor_;
    std::filesystem::path file_;
    std::uintmax_t size_ = 0;
};

FileReadError TooLarge(const std::filesystem::path& file, std::uintmax_t size, std::uintmax_t maxBytes)
{
    return FileReadError(file.string() + " is too large (" + std::to_string(size) + " bytes; at most "
                         + std::to_string(maxBytes) + ")");
}

} // namespace

std::optional<std::string> ReadRegularFileIfPresent(const std::filesystem::path& file, std::uintmax_t maxBytes)
{
    const std::optional<RegularFile> opened = RegularFile::OpenIfPresent(file);
    if (!opened)
        return std::nullopt;
    if (opened->Size() > maxBytes)
        throw TooLarge(file, opened->Size(), maxBytes);
    // One byte more than allowed shows a file that grew after it was measured.
    std::string bytes = opened->Read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        throw TooLarge(file, bytes.size(), maxBytes);
    return bytes;
}

std::string ReadRegularFile(const std::filesystem::path& file, std::uintmax_t maxBytes)
{
    std::optional<std::string> bytes = ReadRegularFileIfPresent(file, maxBytes);
    if (!bytes)
        throw FileReadError(file.string() + " does not exist");
    return std::move(*bytes);
}

std::optional<std::string> ReadRegularFileWithPrefix(const std::filesystem::path& file, const std::string& errorPrefix)
{
    try {
        return ReadRegularFileIfPresent(file);
    } catch (const FileReadError& error) {
        throw FileReadError(errorPrefix + error.what());
    }
}

std::optional<FileHead> ReadRegularFileHeadIfPresent(const std::filesystem::path& file, std::size_t count)
{
    const std::optional<RegularFile> opened = RegularFile::OpenIfPresent(file);
    if (!opened)
        return std::nullopt;
    return FileHead{opened->Read(count), opened->Size()};
}

} // namespace vemo::core
