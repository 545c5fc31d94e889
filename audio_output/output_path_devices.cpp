#include "audio_output/output_path_devices.h"

#include <vemo_core/regular_file.h>

#include <QSaveFile>
#include <QString>

#include <filesystem>
#include <ios>
#include <stdexcept>

namespace vemo::qt {
namespace {

// A real file holds two short strings per path; anything larger is refused unread.
constexpr std::size_t kMaxFileBytes = 1024 * 1024;

// At most one byte more than the limit. A file that cannot be opened reads as empty text.
std::string ReadHead(const std::string& path)
{
    try {
        if (auto head = vemo::core::ReadRegularFileHeadIfPresent(path, kMaxFileBytes + 1)) {
            return std::move(head->bytes);
        }
    } catch (const vemo::core::FileReadError&) {
    }
    return {};
}

[[noreturn]] void FailWriting(QSaveFile& file, const std::string& path)
{
    const std::string reason = file.errorString().toStdString();
    file.cancelWriting();
    throw std::ios_base::failure("Cannot write " + path + ": " + reason);
}

} // namespace

OutputPathDeviceMap ReadOutputPathDevices(const std::string& path)
{
    if (!std::filesystem::exists(path)) {
        throw std::runtime_error("The Output path config file " + path + " does not exist.");
    }
    // Checked before any open: opening a FIFO would wait for a writer.
    if (!std::filesystem::is_regular_file(path)) {
        throw std::runtime_error("The output path config file " + path + " is not a regular file.");
    }
    const std::string text = ReadHead(path);
    if (text.size() > kMaxFileBytes) {
        throw std::runtime_error("The output path config file is larger than 1 MiB.");
    }
    return ParseOutputPathDevices(text);
}

bool WriteOutputPathDevices(const std::string& path, OutputPathDeviceMap paths)
{
    const std::string text = OutputPathDevicesText(paths);
    // A temporary file in the same folder, renamed over the old one only when all of it is written.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        FailWriting(file, path);
    }
    // commit() does not see a failure of its own final flush: flush first and check.
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())
        || !file.flush()) {
        FailWriting(file, path);
    }
    if (!file.commit()) {
        FailWriting(file, path);
    }
    return true;
}

} // namespace vemo::qt
