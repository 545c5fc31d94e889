#include "score_page_reader.h"

#include "png_data_url.h"

#include <archive.h>
#include <archive_entry.h>

#include <QDebug>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <string_view>

namespace vemo::shows {
namespace {

constexpr std::streamsize kLeadBytes = 16;

// The archive formats' compression filters that libarchive decodes itself; the others would start
// an outside program on the first bytes of an untrusted file.
constexpr std::array<int (*)(archive*), 10> kInProcessFilters{
    archive_read_support_filter_bzip2, archive_read_support_filter_compress, archive_read_support_filter_gzip,
    archive_read_support_filter_lz4, archive_read_support_filter_lzip, archive_read_support_filter_lzma,
    archive_read_support_filter_rpm, archive_read_support_filter_uu, archive_read_support_filter_xz,
    archive_read_support_filter_zstd};

std::string RestOf(std::istream& plain)
{
    std::string bytes;
    const std::istream::pos_type start = plain.tellg();
    if (start != std::istream::pos_type(-1) && plain.seekg(0, std::ios::end)) {
        const std::istream::pos_type end = plain.tellg();
        plain.seekg(start);
        if (end > start)
            bytes.reserve(static_cast<std::size_t>(end - start));
    }
    plain.clear();
    std::array<char, 65536> chunk{};
    while (plain.read(chunk.data(), chunk.size()) || plain.gcount() > 0)
        bytes.append(chunk.data(), static_cast<std::size_t>(plain.gcount()));
    return bytes;
}

QString ErrorText(archive* handle)
{
    const char* text = archive_error_string(handle);
    return text ? QString::fromUtf8(text) : QString();
}

void Warn(const QString& text)
{
    qWarning().noquote() << text;
}

void WalkStopped(const QString& reason)
{
    Warn("Score archive reading stopped: " + reason);
}

std::uint64_t DeclaredSize(archive_entry* entry)
{
    if (!archive_entry_size_is_set(entry))
        return 0;
    return static_cast<std::uint64_t>(std::max<la_int64_t>(0, archive_entry_size(entry)));
}

} // namespace

void ScorePageReader::ArchiveFree::operator()(archive* handle) const
{
    archive_read_free(handle);
}

ScorePageReader::ScorePageReader(ScorePageLimits limits)
    : limits_(limits)
{
}

ScorePageReader::~ScorePageReader() = default;

int ScorePageReader::PageNumberFromName(const QString& name)
{
    static const QRegularExpression digits(QStringLiteral(R"((\d+)(?=\.\w+$))"));
    const QRegularExpressionMatch match = digits.match(name);
    if (!match.hasMatch())
        return 0;
    bool fits = false;
    const int number = match.capturedView(1).toInt(&fits, 10);
    return fits ? number : 0;
}

QStringList ScorePageReader::Read(std::istream& plain)
{
    archive_.reset();
    pages_.clear();
    pageBytesRead_ = 0;
    plain.ignore(kLeadBytes);
    archiveBytes_ = RestOf(plain);
    if (!OpenArchive())
        return {};

    archive_entry* entry = nullptr;
    for (;;) {
        const int result = archive_read_next_header(archive_.get(), &entry);
        if (result == ARCHIVE_EOF)
            break;
        if (result != ARCHIVE_OK) {
            WalkStopped(ErrorText(archive_.get()));
            break;
        }
        if (ReadEntry(entry) == Walk::Stop)
            break;
    }

    std::stable_sort(pages_.begin(), pages_.end(), [](const Page& a, const Page& b) { return a.number < b.number; });
    QStringList urls;
    urls.reserve(static_cast<qsizetype>(pages_.size()));
    for (Page& page : pages_)
        urls.append(std::move(page.url));
    pages_.clear();
    return urls;
}

bool ScorePageReader::OpenArchive()
{
    archive_.reset(archive_read_new());
    archive* handle = archive_.get();
    if (!handle || archive_read_support_format_tar(handle) != ARCHIVE_OK) {
        Warn("Failed to add TAR Support.");
        archive_.reset();
        return false;
    }
    for (const auto addFilter : kInProcessFilters) {
        if (addFilter(handle) != ARCHIVE_OK) {
            Warn("Failed to add ALL Support.");
            archive_.reset();
            return false;
        }
    }
    if (archive_read_open_memory(handle, archiveBytes_.data(), archiveBytes_.size()) != ARCHIVE_OK) {
        Warn("Failed to open in-memory archive: " + ErrorText(handle));
        archive_.reset();
        return false;
    }
    return true;
}

ScorePageReader::Walk ScorePageReader::ReadEntry(archive_entry* entry)
{
    // Moving past an entry unpacks it, so its size counts before the walk goes on.
    const la_int64_t walked = archive_filter_bytes(archive_.get(), 0);
    const auto position = static_cast<std::uint64_t>(std::max<la_int64_t>(0, walked));
    if (position + DeclaredSize(entry) > limits_.archiveBytes) {
        WalkStopped("too much archive data");
        return Walk::Stop;
    }
    const char* name = archive_entry_pathname(entry);
    if (!name || !std::string_view(name).ends_with(".png"))
        return Walk::Continue;
    if (pages_.size() >= limits_.pages) {
        WalkStopped("too many pages");
        return Walk::Stop;
    }
    return ReadPage(entry, QString::fromUtf8(name));
}

ScorePageReader::Walk ScorePageReader::ReadPage(archive_entry* entry, const QString& name)
{
    const int number = PageNumberFromName(name);
    const auto blank = [&](const char* reason) {
        Warn("Score page " + name + " left blank: " + reason);
        pages_.push_back({number, QString()});
        return Walk::Continue;
    };
    if (archive_entry_filetype(entry) != AE_IFREG || archive_entry_hardlink(entry) != nullptr)
        return blank("not a file");
    const std::uint64_t declared = DeclaredSize(entry);
    if (declared > limits_.pageBytes)
        return blank("too large");
    if (pageBytesRead_ + declared > limits_.totalPageBytes) {
        WalkStopped("too much page data");
        return Walk::Stop;
    }

    std::string collected;
    std::string_view bytes;
    for (;;) {
        const void* block = nullptr;
        std::size_t size = 0;
        la_int64_t offset = 0;
        const int result = archive_read_data_block(archive_.get(), &block, &size, &offset);
        if (result == ARCHIVE_EOF)
            break;
        if (result != ARCHIVE_OK) {
            Warn("Score page " + name + " is incomplete: " + ErrorText(archive_.get()));
            break;
        }
        const std::uint64_t received = collected.size() + size;
        if (received > limits_.pageBytes) {
            pageBytesRead_ += collected.size();
            return blank("too large");
        }
        if (pageBytesRead_ + received > limits_.totalPageBytes) {
            WalkStopped("too much page data");
            return Walk::Stop;
        }
        if (offset == 0 && size == declared) {
            // The whole page in one block: read straight from it.
            bytes = std::string_view(static_cast<const char*>(block), size);
            break;
        }
        collected.append(static_cast<const char*>(block), size);
        bytes = collected;
    }
    pageBytesRead_ += bytes.size();
    if (!bytes.starts_with(kPngSignature))
        return blank("not a PNG image");
    pages_.push_back({number, PngDataUrl(bytes)});
    return Walk::Continue;
}

} // namespace vemo::shows
