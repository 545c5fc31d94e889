#include "part_file_copy.h"

#include <QCryptographicHash>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vemo::networking::detail {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr auto kSlice = std::chrono::milliseconds(50);

// A source opened for reading: a regular file, opened without waiting.
class Source {
public:
    explicit Source(const std::filesystem::path& file)
    {
        struct stat status {};
        if (::stat(file.c_str(), &status) != 0) {
            problem_ = std::strerror(errno);
            return;
        }
        if (!S_ISREG(status.st_mode)) {
            problem_ = "not a regular file";
            return;
        }
        descriptor_ = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (descriptor_ < 0) {
            problem_ = std::strerror(errno);
            return;
        }
        if (::fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode)) {
            problem_ = "not a regular file";
            return;
        }
        size_ = static_cast<uint64_t>(status.st_size);
    }
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;
    ~Source()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }

    const std::string& problem() const { return problem_; }
    uint64_t size() const { return size_; }

    // Up to `count` bytes; 0 at the end; -1 on an error.
    long long Read(char* buffer, std::size_t count)
    {
        for (;;) {
            const ssize_t got = ::read(descriptor_, buffer, count);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                problem_ = std::strerror(errno);
            return got;
        }
    }

private:
    int descriptor_ = -1;
    std::string problem_;
    uint64_t size_ = 0;
};

bool Cancelled(const std::atomic<bool>* cancel)
{
    return cancel != nullptr && cancel->load();
}

// Paces a copy: before each slice it waits until the bytes copied so far are due, polling the
// cancel flag at least every 50 ms. Unthrottled it only polls.
class Pacer {
public:
    Pacer(uint64_t bytesPerSecond, const std::atomic<bool>* cancel)
        : bytesPerSecond_(bytesPerSecond), cancel_(cancel), start_(Clock::now())
    {
    }

    std::size_t SliceBytes() const
    {
        if (bytesPerSecond_ == 0)
            return kChunkBytes;
        const uint64_t slice = bytesPerSecond_ * kSlice.count() / 1000;
        return static_cast<std::size_t>(std::clamp<uint64_t>(slice, 1, kChunkBytes));
    }

    // False when cancel was seen.
    bool WaitUntilDue(uint64_t copied) const
    {
        if (Cancelled(cancel_))
            return false;
        if (bytesPerSecond_ == 0)
            return true;
        const auto due = start_ + std::chrono::duration_cast<Clock::duration>(
                                      std::chrono::duration<double>(double(copied) / double(bytesPerSecond_)));
        for (auto now = Clock::now(); now < due; now = Clock::now()) {
            std::this_thread::sleep_for(std::min<Clock::duration>(kSlice, due - now));
            if (Cancelled(cancel_))
                return false;
        }
        return true;
    }

private:
    uint64_t bytesPerSecond_;
    const std::atomic<bool>* cancel_;
    Clock::time_point start_;
};

CopyResult Fail(const std::filesystem::path& part, std::string reason)
{
    std::error_code ignored;
    std::filesystem::remove(part, ignored);
    return {CopyOutcome::Failed, std::move(reason)};
}

CopyResult Cancel(const std::filesystem::path& part)
{
    std::error_code ignored;
    std::filesystem::remove(part, ignored);
    return {CopyOutcome::Cancelled, {}};
}

} // namespace

bool IsSha256Text(const std::string& text)
{
    return text.size() == 64 && std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

CopyResult CopyThroughPart(const PartCopy& copy)
{
    std::filesystem::path part = copy.target;
    part += ".part";
    std::error_code error;
    std::filesystem::remove(part, error);
    if (error)
        return {CopyOutcome::Failed, "cannot remove " + part.filename().string() + ": " + error.message()};

    Source source(copy.source);
    if (!source.problem().empty())
        return {CopyOutcome::Failed, "source " + source.problem()};
    const uint64_t size = copy.declaredSize.value_or(source.size());

    QFile out(QString::fromStdString(part.string()));
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return {CopyOutcome::Failed, "cannot create " + part.filename().string() + ": " + out.errorString().toStdString()};

    QCryptographicHash hash(QCryptographicHash::Sha256);
    const Pacer pacer(copy.bytesPerSecond, copy.cancel);
    std::vector<char> buffer(pacer.SliceBytes());
    uint64_t received = 0;
    for (;;) {
        if (!pacer.WaitUntilDue(received)) {
            out.close();
            return Cancel(part);
        }
        if (copy.failHalfway && received >= size / 2 && (received > 0 || size == 0))
            return Fail(part, "the transfer broke off");
        const uint64_t allowed = size + 1 - received;
        const long long got = source.Read(buffer.data(), static_cast<std::size_t>(std::min<uint64_t>(buffer.size(), allowed)));
        if (got < 0)
            return Fail(part, "source " + source.problem());
        if (got == 0)
            break;
        if (out.write(buffer.data(), got) != got)
            return Fail(part, "cannot write " + part.filename().string() + ": " + out.errorString().toStdString());
        hash.addData(QByteArrayView(buffer.data(), got));
        received += static_cast<uint64_t>(got);
        if (received > size)
            return Fail(part, "the file is larger than " + std::to_string(size) + " bytes");
        if (copy.progress)
            copy.progress(received, size);
        if (received == size && size > 0 && copy.failHalfway)
            return Fail(part, "the transfer broke off");
    }
    if (received != size)
        return Fail(part, "received " + std::to_string(received) + " of " + std::to_string(size) + " bytes");
    if (!out.flush())
        return Fail(part, "cannot write " + part.filename().string() + ": " + out.errorString().toStdString());
    out.close();
    const std::string digest = hash.result().toHex().toStdString();
    if (IsSha256Text(copy.sha256) && QByteArray::fromStdString(copy.sha256).toLower().toStdString() != digest)
        return Fail(part, "checksum mismatch");
    std::filesystem::rename(part, copy.target, error);
    if (error)
        return Fail(part, "cannot replace " + copy.target.filename().string() + ": " + error.message());
    return {CopyOutcome::Written, {}};
}

std::optional<std::string> Sha256OfRegularFile(const std::filesystem::path& file, uint64_t size)
{
    Source source(file);
    if (!source.problem().empty() || source.size() != size)
        return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    std::vector<char> buffer(kChunkBytes);
    uint64_t received = 0;
    while (received <= size) {
        const long long got = source.Read(buffer.data(), static_cast<std::size_t>(std::min<uint64_t>(buffer.size(), size + 1 - received)));
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        hash.addData(QByteArrayView(buffer.data(), got));
        received += static_cast<uint64_t>(got);
    }
    if (received != size)
        return std::nullopt;
    return hash.result().toHex().toStdString();
}

} // namespace vemo::networking::detail
