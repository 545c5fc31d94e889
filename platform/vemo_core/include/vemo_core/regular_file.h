#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace vemo::core {

// The most bytes read from one file of a show, data or machine folder.
inline constexpr std::uintmax_t kMaxUserFileBytes = 64ull * 1024 * 1024;

// A file of user or machine data that cannot be read; what() names the file and says why:
// "<path> is not a regular file", "<path> is too large (<n> bytes; at most <cap>)",
// "<path> does not exist" or "<path> cannot be read: <reason>".
class FileReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads files that come from user or machine data. Only a regular file is read (a link is followed,
// but never to a FIFO, device or socket, which are refused without waiting for a writer), and never
// more than a cap. Safe to call from any thread.

// The whole file; FileReadError when it is missing, not a regular file, longer than maxBytes or
// unreadable.
std::string ReadRegularFile(const std::filesystem::path& file, std::uintmax_t maxBytes = kMaxUserFileBytes);

// As ReadRegularFile, but nullopt when there is nothing under that name.
std::optional<std::string> ReadRegularFileIfPresent(const std::filesystem::path& file,
                                                     std::uintmax_t maxBytes = kMaxUserFileBytes);

// As ReadRegularFileIfPresent (with the default cap), for readers that report in their own words:
// the FileReadError's text comes after `errorPrefix` ("Show description cannot be read: ").
std::optional<std::string> ReadRegularFileWithPrefix(const std::filesystem::path& file, const std::string& errorPrefix);

// The first bytes of a regular file and its full length, for readers of headers of files that may be
// larger than the cap (sound files).
struct FileHead {
    std::string bytes;
    std::uintmax_t size = 0;
};

// Up to `count` bytes from the start of the file (fewer when it is shorter); nullopt when there is
// nothing under that name; FileReadError as ReadRegularFile.
std::optional<FileHead> ReadRegularFileHeadIfPresent(const std::filesystem::path& file, std::size_t count);

} // namespace vemo::core
