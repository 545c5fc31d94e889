#include "score_archive.h"

#include <archive.h>
#include <archive_entry.h>

#include <QBuffer>
#include <QColor>
#include <QImage>

#include <memory>
#include <sstream>
#include <stdexcept>

namespace score_tests {
namespace {

MessageLog* activeLog = nullptr;

la_ssize_t Append(archive*, void* text, const void* buffer, size_t length)
{
    static_cast<std::string*>(text)->append(static_cast<const char*>(buffer), length);
    return static_cast<la_ssize_t>(length);
}

void Check(archive* handle, int result)
{
    if (result != ARCHIVE_OK)
        throw std::runtime_error(std::string("archive writing failed: ") + archive_error_string(handle));
}

void AddFilter(archive* handle, Filter filter)
{
    switch (filter) {
    case Filter::None:
        return;
    case Filter::Gzip:
        return Check(handle, archive_write_add_filter_gzip(handle));
    case Filter::Bzip2:
        return Check(handle, archive_write_add_filter_bzip2(handle));
    case Filter::Xz:
        return Check(handle, archive_write_add_filter_xz(handle));
    case Filter::Zstd:
        return Check(handle, archive_write_add_filter_zstd(handle));
    case Filter::Lz4:
        return Check(handle, archive_write_add_filter_lz4(handle));
    case Filter::Lzip:
        return Check(handle, archive_write_add_filter_lzip(handle));
    case Filter::Lzma:
        return Check(handle, archive_write_add_filter_lzma(handle));
    case Filter::Compress:
        return Check(handle, archive_write_add_filter_compress(handle));
    }
}

} // namespace

std::string MakeTar(const std::vector<Entry>& entries, Filter filter)
{
    const std::unique_ptr<archive, decltype(&archive_write_free)> handle(archive_write_new(), archive_write_free);
    Check(handle.get(), archive_write_set_format_ustar(handle.get()));
    AddFilter(handle.get(), filter);
    Check(handle.get(), archive_write_set_bytes_in_last_block(handle.get(), 1));
    std::string out;
    Check(handle.get(), archive_write_open(handle.get(), &out, nullptr, Append, nullptr));
    for (const Entry& source : entries) {
        const std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                                  archive_entry_free);
        archive_entry_set_pathname(entry.get(), source.name.c_str());
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_mtime(entry.get(), 1700000000, 0);
        switch (source.kind) {
        case Entry::Kind::File:
            archive_entry_set_filetype(entry.get(), AE_IFREG);
            archive_entry_set_size(entry.get(), static_cast<la_int64_t>(source.bytes.size()));
            break;
        case Entry::Kind::Symlink:
            archive_entry_set_filetype(entry.get(), AE_IFLNK);
            archive_entry_set_symlink(entry.get(), source.target.c_str());
            break;
        case Entry::Kind::Hardlink:
            archive_entry_set_filetype(entry.get(), AE_IFREG);
            archive_entry_set_hardlink(entry.get(), source.target.c_str());
            break;
        case Entry::Kind::Directory:
            archive_entry_set_filetype(entry.get(), AE_IFDIR);
            archive_entry_set_perm(entry.get(), 0755);
            break;
        }
        Check(handle.get(), archive_write_header(handle.get(), entry.get()));
        if (source.kind == Entry::Kind::File && !source.bytes.empty()) {
            if (archive_write_data(handle.get(), source.bytes.data(), source.bytes.size()) < 0)
                Check(handle.get(), ARCHIVE_FATAL);
        }
    }
    Check(handle.get(), archive_write_close(handle.get()));
    return out;
}

std::string Png(int width, int height, int shade)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((shade * 47) % 360, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

std::string Plain(const std::string& archive)
{
    return std::string("VEMO-SCORE-v1\0\0\0", 16) + archive;
}

QStringList ReadPages(const std::string& archive, vemo::shows::ScorePageLimits limits)
{
    std::istringstream plain(Plain(archive));
    vemo::shows::ScorePageReader reader(limits);
    return reader.Read(plain);
}

QByteArray Decoded(const QString& url)
{
    const QString prefix = "data:image/png;base64,";
    if (!url.startsWith(prefix))
        return {};
    const auto decoded = QByteArray::fromBase64Encoding(url.mid(prefix.size()).toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? *decoded : QByteArray("<not Base64>");
}

MessageLog::MessageLog()
    : previous_(qInstallMessageHandler(Handle))
{
    activeLog = this;
}

MessageLog::~MessageLog()
{
    activeLog = nullptr;
    qInstallMessageHandler(previous_);
}

void MessageLog::Handle(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (!activeLog)
        return;
    if (type == QtDebugMsg)
        activeLog->debugs << message;
    else if (type == QtWarningMsg)
        activeLog->warnings << message;
}

} // namespace score_tests
