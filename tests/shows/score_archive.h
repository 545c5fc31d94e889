#pragma once

// Score archives and packages for the score tests, built in memory with libarchive, and a log of the
// messages the code under test writes.

#include "shows/score_page_reader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtMessageHandler>

#include <string>
#include <vector>

namespace score_tests {

struct Entry {
    enum class Kind { File, Symlink, Hardlink, Directory };
    std::string name;
    std::string bytes{};
    Kind kind = Kind::File;
    std::string target{}; // of a link
};

enum class Filter { None, Gzip, Bzip2, Xz, Zstd, Lz4, Lzip, Lzma, Compress };

// A ustar archive of the entries, in their order, compressed with the filter.
std::string MakeTar(const std::vector<Entry>& entries, Filter filter = Filter::None);

// A PNG image of that size; `shade` gives different images the same size.
std::string Png(int width, int height, int shade = 0);

// The plain bytes of a score package: the 16-byte lead, then the archive.
std::string Plain(const std::string& archive);

// The page URLs a fresh reader gives for the plain package of `archive`.
QStringList ReadPages(const std::string& archive, vemo::shows::ScorePageLimits limits = {});

// The bytes behind a page URL "data:image/png;base64,..."; empty for any other text.
QByteArray Decoded(const QString& url);

// Collects the debug and warning messages written while it lives.
class MessageLog {
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    QStringList warnings;
    QStringList debugs;

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message);
    QtMessageHandler previous_;
};

} // namespace score_tests
