// Builds the page list of a score of 200 PNG pages (100 to 300 KB each, an uncompressed ustar
// archive behind the package's lead) and compares it with reading the same PNG files from a folder
// into the same data URLs. Rounds alternate the two sides; the ratio compares their medians and
// should stay at or below 1.5. Also prints, without a goal, deciphering the package and reading
// a gzip'd archive.
#include "shows/score_page_reader.h"

#include <vemo_security/score_package.h>
#include <vemo_security/twofish_cipher_stream.h>

#include <archive.h>
#include <archive_entry.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kPages = 200;
constexpr int kRounds = 9;
constexpr double kGoal = 1.5;

struct PageFile {
    QString name; // "page-NNN.png"
    std::string bytes;
};

// Noise does not compress, so a page of n pixels is about 3n bytes of PNG.
std::string NoisePng(int side, QRandomGenerator& random)
{
    QImage image(side, side, QImage::Format_RGB888);
    for (int y = 0; y < side; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < side * 3; ++x)
            line[x] = static_cast<uchar>(random.bounded(256));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

std::vector<PageFile> MakePages()
{
    QRandomGenerator random(20);
    std::vector<PageFile> pages;
    for (int i = 0; i < kPages; ++i) {
        const double bytes = 100e3 + 200e3 * i / (kPages - 1);
        pages.push_back({QString("page-%1.png").arg(i + 1, 3, 10, QChar('0')),
                         NoisePng(static_cast<int>(std::sqrt(bytes / 3)), random)});
    }
    return pages;
}

la_ssize_t Append(archive*, void* out, const void* bytes, size_t length)
{
    static_cast<std::string*>(out)->append(static_cast<const char*>(bytes), length);
    return static_cast<la_ssize_t>(length);
}

std::string Tar(const std::vector<PageFile>& pages, bool gzip)
{
    const std::unique_ptr<archive, decltype(&archive_write_free)> tar(archive_write_new(), archive_write_free);
    archive_write_set_format_ustar(tar.get());
    if (gzip)
        archive_write_add_filter_gzip(tar.get());
    std::string out;
    archive_write_open(tar.get(), &out, nullptr, Append, nullptr);
    for (const PageFile& page : pages) {
        const std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                                  archive_entry_free);
        archive_entry_set_pathname(entry.get(), ("pages/" + page.name).toStdString().c_str());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_size(entry.get(), static_cast<la_int64_t>(page.bytes.size()));
        archive_write_header(tar.get(), entry.get());
        archive_write_data(tar.get(), page.bytes.data(), page.bytes.size());
    }
    archive_write_close(tar.get());
    return out;
}

double Micros(const std::function<void()>& work)
{
    const auto started = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - started).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QStringList ReadPages(const std::string& plain)
{
    std::istringstream stream(plain);
    return vemo::shows::ScorePageReader().Read(stream);
}

QStringList ReadFiles(const QDir& folder, const std::vector<PageFile>& pages)
{
    QStringList urls;
    for (const PageFile& page : pages) {
        QFile file(folder.filePath(page.name));
        file.open(QIODevice::ReadOnly);
        urls.append("data:image/png;base64," + QString::fromLatin1(file.readAll().toBase64()));
    }
    return urls;
}

void Print(const char* name, double micros)
{
    std::printf("%-44s median %10.1f us\n", name, micros);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::vector<PageFile> pages = MakePages();
    QTemporaryDir root;
    const QDir folder(root.path());
    std::size_t total = 0;
    for (const PageFile& page : pages) {
        QFile file(folder.filePath(page.name));
        file.open(QIODevice::WriteOnly);
        file.write(page.bytes.data(), static_cast<qint64>(page.bytes.size()));
        total += page.bytes.size();
    }
    const std::string lead(vemo_sec::kScorePackageLead);
    const std::string tar = Tar(pages, false);
    const std::string plain = lead + tar;
    const std::string gzipPlain = lead + Tar(pages, true);
    std::printf("%d pages, %.1f MB of PNG data\n", kPages, total / 1e6);

    if (ReadPages(plain) != ReadFiles(folder, pages) || ReadPages(gzipPlain) != ReadFiles(folder, pages)) {
        std::fprintf(stderr, "bench_score_pages: the page lists differ\n");
        return 1;
    }

    std::vector<double> reader, reference, gzip, decipher;
    const vemo::core::DataVector key(32, 7), iv(16, 9);
    const std::filesystem::path package = (root.path() + "/Bench.score").toStdString();
    vemo_sec::WriteScorePackage(package, tar, key, iv);
    for (int round = 0; round < kRounds; ++round) {
        {
            std::istringstream stream(plain);
            vemo::shows::ScorePageReader pageReader;
            reader.push_back(Micros([&] { pageReader.Read(stream); }));
        }
        reference.push_back(Micros([&] { ReadFiles(folder, pages); }));
        {
            std::istringstream stream(gzipPlain);
            vemo::shows::ScorePageReader pageReader;
            gzip.push_back(Micros([&] { pageReader.Read(stream); }));
        }
        decipher.push_back(Micros([&] { vemo_sec::TwoFishCipherStream opened(package, key, iv); }));
    }
    Print("page list from the plain package", Median(reader));
    Print("reference: the PNG files read into data URLs", Median(reference));
    const double ratio = Median(reader) / Median(reference);
    std::printf("ratio %.2f (goal at most %.1f)%s\n", ratio, kGoal, ratio <= kGoal ? "" : "  OVER THE GOAL");
    Print("page list from a gzip'd archive", Median(gzip));
    Print("deciphering the package", Median(decipher));
    return 0;
}
