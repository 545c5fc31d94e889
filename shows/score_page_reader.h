#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

struct archive;
struct archive_entry;

namespace vemo::shows {

// How much of a score archive is read: a package may be small and still unpack to far more.
struct ScorePageLimits {
    std::uint64_t pageBytes = 32ull << 20; // one page; a larger page is left blank
    std::uint64_t totalPageBytes = 256ull << 20; // all pages together
    std::size_t pages = 10000;
    std::uint64_t archiveBytes = 1ull << 30; // of the unpacked archive stream walked through
};

// The pages of a score archive. A page is a "*.png" entry; its number is the run of digits just
// before the name's final extension, and its URL is "data:image/png;base64," and the image's bytes.
// Reads the plain package (a 16-byte lead, then a tar archive, optionally compressed) and keeps
// the archive's bytes and handle until it is destroyed. Problems are written as warnings; the
// pages read before one are kept.
class ScorePageReader {
public:
    explicit ScorePageReader(ScorePageLimits limits = {});
    ~ScorePageReader();
    ScorePageReader(const ScorePageReader&) = delete;
    ScorePageReader& operator=(const ScorePageReader&) = delete;

    // Reads every page from the stream's current position and returns their URLs in page order;
    // an archive that cannot be opened gives an empty list.
    QStringList Read(std::istream& plain);

    // The number in an entry's name ("score/p12.png" gives 12); 0 when there is none or it does
    // not fit an int.
    static int PageNumberFromName(const QString& name);

private:
    struct ArchiveFree {
        void operator()(archive* handle) const;
    };
    struct Page {
        int number = 0;
        QString url;
    };
    enum class Walk { Continue, Stop };

    bool OpenArchive();
    Walk ReadEntry(archive_entry* entry);
    Walk ReadPage(archive_entry* entry, const QString& name);

    ScorePageLimits limits_;
    std::vector<Page> pages_;
    std::uint64_t pageBytesRead_ = 0;
    std::string archiveBytes_;
    // Declared after the bytes it reads, so that it is freed first.
    std::unique_ptr<archive, ArchiveFree> archive_;
};

} // namespace vemo::shows
