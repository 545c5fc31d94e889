// The score's page reader: page names and order, the page URLs' bytes, every compression filter
// it accepts, its limits on memory and work, the compression programs it never starts, and the
// entries it leaves blank.
#include "score_archive.h"

#include <vemo_test/test_environment.h>

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using score_tests::Entry;
using score_tests::Filter;
using vemo::shows::ScorePageLimits;
using vemo::shows::ScorePageReader;

Q_DECLARE_METATYPE(Filter)
Q_DECLARE_METATYPE(ScorePageLimits)
Q_DECLARE_METATYPE(std::vector<Entry>)

namespace {

// What each published page holds: the index of the entry whose bytes it carries, or -1 for blank.
QList<int> Sources(const QStringList& urls, const std::vector<Entry>& entries)
{
    QList<int> sources;
    for (const QString& url : urls) {
        int source = url.isEmpty() ? -1 : -2;
        for (std::size_t i = 0; i < entries.size() && !url.isEmpty(); ++i) {
            const QByteArray bytes = QByteArray::fromStdString(entries[i].bytes);
            if (entries[i].kind == Entry::Kind::File && score_tests::Decoded(url) == bytes)
                source = static_cast<int>(i);
        }
        sources << source;
    }
    return sources;
}

Entry Page(const std::string& name, int shade)
{
    return {name, score_tests::Png(4, 6, shade)};
}

std::string PngOfSize(std::size_t size, int shade)
{
    std::string bytes = score_tests::Png(4, 6, shade);
    bytes.resize(size, '\0');
    return bytes;
}

// The three compression formats whose decoders are outside programs: their first bytes.
std::string ExternalMagic(const QString& program)
{
    if (program == "lrzip")
        return std::string("LRZI\x00\x06", 6);
    if (program == "lzop")
        return std::string("\x89LZO\x00\r\n\x1a\n", 9);
    return std::string("GRZipII\x00\x02\x04:)", 12);
}

fs::path NewFolder(const std::string& name)
{
    const fs::path folder = vemo::testing::TestRoot() / "reader" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

QStringList FolderContent(const fs::path& folder)
{
    QStringList names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names << QString::fromStdString(entry.path().string());
    names.sort();
    return names;
}

} // namespace

class TestScorePageReader : public QObject {
    Q_OBJECT

private slots:
    void pageNumberFromName_data();
    void pageNumberFromName();
    void pagesArePublishedInNumberOrder_data();
    void pagesArePublishedInNumberOrder();
    void urlsCarryTheEntryBytes();
    void everyInProcessFilterGivesTheSameList_data();
    void everyInProcessFilterGivesTheSameList();
    void limitsEndTheWalkOrBlankAPage_data();
    void limitsEndTheWalkOrBlankAPage();
    void aLargePageIsLeftBlankWithTheDefaults();
    void outsideDecompressorsAreNeverStarted_data();
    void outsideDecompressorsAreNeverStarted();
    void onlyRegularPngEntriesArePages_data();
    void onlyRegularPngEntriesArePages();
    void archivesThatDoNotOpen_data();
    void archivesThatDoNotOpen();
};

void TestScorePageReader::pageNumberFromName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::newRow("folder and letters") << "score/p12.png" << 12;
    QTest::newRow("leading zeros") << "007.png" << 7;
    QTest::newRow("no digits") << "cover.png" << 0;
    QTest::newRow("digits before an inner dot") << "a1.b.png" << 0;
    QTest::newRow("first run of several") << "p1-2.png" << 2;
    QTest::newRow("any extension") << "page-03.jpeg" << 3;
    QTest::newRow("largest int") << "p2147483647.png" << 2147483647;
    QTest::newRow("beyond int") << "p2147483648.png" << 0;
    QTest::newRow("far beyond int") << "p99999999999999999999.png" << 0;
    QTest::newRow("a sign is no part") << "p-3.png" << 3;
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("p\u0663.png") << 0;
    QTest::newRow("not UTF-8") << QString::fromUtf8("p\xff" "5.png") << 5;
    QTest::newRow("empty") << "" << 0;
}

void TestScorePageReader::pageNumberFromName()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QCOMPARE(ScorePageReader::PageNumberFromName(name), number);
}

void TestScorePageReader::pagesArePublishedInNumberOrder_data()
{
    QTest::addColumn<std::vector<Entry>>("entries");
    QTest::addColumn<QList<int>>("sources");
    QTest::newRow("2, 10, 1") << std::vector<Entry>{Page("p2.png", 1), Page("p10.png", 2), Page("p1.png", 3)}
                              << QList<int>{2, 0, 1};
    QTest::newRow("names") << std::vector<Entry>{Page("score/p12.png", 1), Page("007.png", 2),
                                                 Page("cover.png", 3), Page("a1.b.png", 4), Page("p3.PNG", 5),
                                                 Entry{"notes.txt", "text"},
                                                 Entry{"pages", "", Entry::Kind::Directory}}
                           << QList<int>{2, 3, 1, 0};
    QTest::newRow("no pages") << std::vector<Entry>{Entry{"notes.txt", "text"}} << QList<int>{};
}

void TestScorePageReader::pagesArePublishedInNumberOrder()
{
    QFETCH(std::vector<Entry>, entries);
    QFETCH(QList<int>, sources);
    score_tests::MessageLog log;
    QCOMPARE(Sources(score_tests::ReadPages(score_tests::MakeTar(entries)), entries), sources);
    QCOMPARE(log.warnings, QStringList());
}

void TestScorePageReader::urlsCarryTheEntryBytes()
{
    // Every length modulo three, so that each padding of the Base64 text is met.
    std::vector<Entry> entries;
    for (int extra = 0; extra < 6; ++extra)
        entries.push_back({"p" + std::to_string(extra + 1) + ".png", PngOfSize(8 + extra, 0)});
    entries.push_back({"p7.png", score_tests::Png(300, 200, 5)});
    const QStringList urls = score_tests::ReadPages(score_tests::MakeTar(entries));
    QCOMPARE(urls.size(), 7);
    for (int i = 0; i < urls.size(); ++i) {
        const QByteArray bytes = QByteArray::fromStdString(entries[static_cast<std::size_t>(i)].bytes);
        QCOMPARE(score_tests::Decoded(urls[i]), bytes);
        QCOMPARE(urls[i], "data:image/png;base64," + bytes.toBase64());
    }
}

void TestScorePageReader::everyInProcessFilterGivesTheSameList_data()
{
    QTest::addColumn<Filter>("filter");
    QTest::newRow("gzip") << Filter::Gzip;
    QTest::newRow("bzip2") << Filter::Bzip2;
    QTest::newRow("xz") << Filter::Xz;
    QTest::newRow("zstd") << Filter::Zstd;
    QTest::newRow("lz4") << Filter::Lz4;
    QTest::newRow("lzip") << Filter::Lzip;
    QTest::newRow("lzma") << Filter::Lzma;
    QTest::newRow("compress") << Filter::Compress;
}

void TestScorePageReader::everyInProcessFilterGivesTheSameList()
{
    QFETCH(Filter, filter);
    const std::vector<Entry> entries{Page("p3.png", 1), Page("p1.png", 2),
                                     Entry{"p2.png", score_tests::Png(120, 90, 3)}};
    const QStringList plain = score_tests::ReadPages(score_tests::MakeTar(entries));
    QCOMPARE(plain.size(), 3);
    score_tests::MessageLog log;
    QCOMPARE(score_tests::ReadPages(score_tests::MakeTar(entries, filter)), plain);
    QCOMPARE(log.warnings, QStringList());
}

void TestScorePageReader::limitsEndTheWalkOrBlankAPage_data()
{
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<ScorePageLimits>("limits");
    QTest::addColumn<std::vector<Entry>>("entries");
    QTest::addColumn<QList<int>>("sources");
    QTest::addColumn<QStringList>("warnings");

    const std::vector<Entry> three{Entry{"p1.png", PngOfSize(500, 1)}, Entry{"p2.png", PngOfSize(2000, 2)},
                                   Entry{"p3.png", PngOfSize(500, 3)}};
    const std::vector<Entry> withFiller{Entry{"p1.png", PngOfSize(500, 1)},
                                        Entry{"filler.bin", std::string(30000, 'x')},
                                        Entry{"p2.png", PngOfSize(500, 2)}};
    for (const auto& [filter, filterName] : {std::pair{Filter::Gzip, "gzip"}, std::pair{Filter::Xz, "xz"}}) {
        const auto row = [&](const char* name) -> QTestData& { return QTest::addRow("%s, %s", filterName, name); };
        row("page over its limit") << filter << ScorePageLimits{.pageBytes = 1000} << three << QList<int>{0, -1, 2}
                                   << QStringList{"Score page p2.png left blank: too large"};
        row("page at its limit") << filter << ScorePageLimits{.pageBytes = 2000} << three << QList<int>{0, 1, 2}
                                 << QStringList{};
        row("too many pages") << filter << ScorePageLimits{.pages = 2} << three << QList<int>{0, 1}
                              << QStringList{"Score archive reading stopped: too many pages"};
        row("too much page data") << filter << ScorePageLimits{.totalPageBytes = 2600} << three << QList<int>{0, 1}
                                  << QStringList{"Score archive reading stopped: too much page data"};
        row("page data at its limit") << filter << ScorePageLimits{.totalPageBytes = 3000} << three
                                      << QList<int>{0, 1, 2} << QStringList{};
        row("too much archive data") << filter << ScorePageLimits{.archiveBytes = 20000} << withFiller
                                     << QList<int>{0}
                                     << QStringList{"Score archive reading stopped: too much archive data"};
        row("archive data within its limit") << filter << ScorePageLimits{.archiveBytes = 40000} << withFiller
                                             << QList<int>{0, 2} << QStringList{};
    }
}

void TestScorePageReader::limitsEndTheWalkOrBlankAPage()
{
    QFETCH(Filter, filter);
    QFETCH(ScorePageLimits, limits);
    QFETCH(std::vector<Entry>, entries);
    QFETCH(QList<int>, sources);
    QFETCH(QStringList, warnings);
    score_tests::MessageLog log;
    QCOMPARE(Sources(score_tests::ReadPages(score_tests::MakeTar(entries, filter), limits), entries), sources);
    QCOMPARE(log.warnings, warnings);
}

void TestScorePageReader::aLargePageIsLeftBlankWithTheDefaults()
{
    const std::vector<Entry> entries{Entry{"p1.png", PngOfSize(64u << 20, 1)}, Page("p2.png", 2)};
    const std::string archive = score_tests::MakeTar(entries, Filter::Gzip);
    QVERIFY(archive.size() < (1u << 20));
    score_tests::MessageLog log;
    QCOMPARE(Sources(score_tests::ReadPages(archive), entries), (QList<int>{-1, 1}));
    QCOMPARE(log.warnings, QStringList{"Score page p1.png left blank: too large"});
}

void TestScorePageReader::outsideDecompressorsAreNeverStarted_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("lrzip") << "lrzip";
    QTest::newRow("lzop") << "lzop";
    QTest::newRow("grzip") << "grzip";
}

void TestScorePageReader::outsideDecompressorsAreNeverStarted()
{
    QFETCH(QString, program);
    const fs::path bin = NewFolder("bin");
    const fs::path marker = NewFolder("marker") / "started";
    for (const char* name : {"lrzip", "lzop", "grzip"}) {
        const fs::path script = bin / name;
        std::ofstream(script) << "#!/bin/sh\ntouch '" << marker.string() << "'\ncat >/dev/null\n";
        fs::permissions(script, fs::perms::owner_all);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.string()) + ":" + path);

    score_tests::MessageLog log;
    const QStringList urls = score_tests::ReadPages(ExternalMagic(program) + std::string(4096, 'z'));
    qputenv("PATH", path);
    QCOMPARE(urls, QStringList());
    QCOMPARE(log.warnings, QStringList{"Failed to open in-memory archive: Unrecognized archive format"});
    QVERIFY(!fs::exists(marker));
}

void TestScorePageReader::onlyRegularPngEntriesArePages_data()
{
    QTest::addColumn<std::vector<Entry>>("entries");
    QTest::addColumn<int>("truncateTo"); // bytes of the archive kept; 0 keeps all
    QTest::addColumn<QList<int>>("sources");
    QTest::addColumn<QStringList>("warnings");

    QImage bitmap(4, 4, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    QByteArray bmp;
    {
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        bitmap.save(&buffer, "BMP");
    }
    const auto around = [](Entry odd) {
        return std::vector<Entry>{Page("p1.png", 1), std::move(odd), Page("p3.png", 3)};
    };
    QTest::newRow("symbolic link") << around(Entry{"p2.png", "", Entry::Kind::Symlink, "p1.png"}) << 0
                                   << QList<int>{0, -1, 2}
                                   << QStringList{"Score page p2.png left blank: not a file"};
    QTest::newRow("hard link") << around(Entry{"p2.png", "", Entry::Kind::Hardlink, "p1.png"}) << 0
                               << QList<int>{0, -1, 2} << QStringList{"Score page p2.png left blank: not a file"};
    // A folder's name ends in "/", so it is no page at all.
    QTest::newRow("folder") << around(Entry{"p2.png", "", Entry::Kind::Directory}) << 0 << QList<int>{0, 2}
                            << QStringList{};
    QTest::newRow("empty") << around(Entry{"p2.png", ""}) << 0 << QList<int>{0, -1, 2}
                           << QStringList{"Score page p2.png left blank: not a PNG image"};
    QTest::newRow("BMP") << around(Entry{"p2.png", bmp.toStdString()}) << 0 << QList<int>{0, -1, 2}
                         << QStringList{"Score page p2.png left blank: not a PNG image"};
    QTest::newRow("SVG") << around(Entry{"p2.png", R"(<svg xmlns="http://www.w3.org/2000/svg"/>)"}) << 0
                         << QList<int>{0, -1, 2} << QStringList{"Score page p2.png left blank: not a PNG image"};
    QTest::newRow("PNG signature cut short") << around(Entry{"p2.png", "\x89PNG\r\n"}) << 0 << QList<int>{0, -1, 2}
                                             << QStringList{"Score page p2.png left blank: not a PNG image"};
    QTest::newRow("absolute and parent names")
        << std::vector<Entry>{Page("/abs/p8.png", 8), Page("../p9.png", 9), Page("p1.png", 1)} << 0
        << QList<int>{2, 0, 1} << QStringList{};
    // p1 (header and one padded block), p2's header, then 100 of p2's bytes.
    QTest::newRow("truncated page")
        << std::vector<Entry>{Page("p1.png", 1), Entry{"p2.png", PngOfSize(3000, 2)}, Page("p3.png", 3)}
        << 512 + 512 + 512 + 100 << QList<int>{0, -2}
        << QStringList{"Score page p2.png is incomplete: Truncated tar archive",
                       "Score archive reading stopped: Truncated input file (needed 2972 bytes, only 0 available)"};
}

void TestScorePageReader::onlyRegularPngEntriesArePages()
{
    QFETCH(std::vector<Entry>, entries);
    QFETCH(int, truncateTo);
    QFETCH(QList<int>, sources);
    QFETCH(QStringList, warnings);
    std::string archive = score_tests::MakeTar(entries);
    if (truncateTo > 0)
        archive.resize(static_cast<std::size_t>(truncateTo));

    const fs::path folder = NewFolder("work");
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QString::fromStdString(folder.string())));
    score_tests::MessageLog log;
    const QStringList urls = score_tests::ReadPages(archive);
    QDir::setCurrent(before);

    QCOMPARE(Sources(urls, entries), sources);
    QCOMPARE(log.warnings, warnings);
    QCOMPARE(FolderContent(folder), QStringList());
    if (truncateTo > 0) {
        // The page keeps what was read of it.
        QCOMPARE(score_tests::Decoded(urls[1]), QByteArray::fromStdString(entries[1].bytes.substr(0, 100)));
    }
}

void TestScorePageReader::archivesThatDoNotOpen_data()
{
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QStringList>("warnings");
    const QString unrecognised = "Failed to open in-memory archive: Unrecognized archive format";
    QTest::newRow("not an archive") << QByteArray(score_tests::Plain("this is no archive at all").c_str())
                                    << QStringList{unrecognised};
    QTest::newRow("only the lead") << QByteArray::fromStdString(score_tests::Plain("")) << QStringList{unrecognised};
    QTest::newRow("shorter than the lead") << QByteArray("VEMO") << QStringList{unrecognised};
    QTest::newRow("empty") << QByteArray() << QStringList{unrecognised};
}

void TestScorePageReader::archivesThatDoNotOpen()
{
    QFETCH(QByteArray, plain);
    QFETCH(QStringList, warnings);
    score_tests::MessageLog log;
    std::istringstream stream(plain.toStdString());
    ScorePageReader reader;
    QCOMPARE(reader.Read(stream), QStringList());
    QCOMPARE(log.warnings, warnings);
}

QTEST_GUILESS_MAIN(TestScorePageReader)
#include "test_score_page_reader.moc"
