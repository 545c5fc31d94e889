// Makes the demo show's generated assets: the album art, the score package, the silent effect
// recordings and the web-service folder.
// Usage: make_demo_show <output folder> <data folder (show/show.record holds the score's keys)>

#include "demo_service.h"

#include <vemo_security/access_data.h>
#include <vemo_security/score_package.h>

#include <archive.h>
#include <archive_entry.h>

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

namespace {

bool writeAlbumArt(const QString& file)
{
    QImage image(300, 300, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0.0, QColor("#0b1d3a"));
    sky.setColorAt(1.0, QColor("#2d4a7a"));
    painter.fillRect(image.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor("#f4c95d"));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(150, 120), 36, 36);
    painter.setBrush(QColor("#1a1a1a"));
    painter.drawRect(140, 150, 20, 90);
    painter.setPen(QColor("#f6f1e1"));
    QFont title("DejaVu Sans", 20, QFont::Bold);
    painter.setFont(title);
    painter.drawText(QRect(0, 245, 300, 30), Qt::AlignCenter, "The Lantern Keeper");
    QFont subtitle("DejaVu Sans", 10);
    painter.setFont(subtitle);
    painter.drawText(QRect(0, 272, 300, 20), Qt::AlignCenter, "Riverside Community Players");
    painter.end();
    return image.save(file, "JPG", 90);
}

// A silent 8 kHz, 8-bit mono PCM recording.
bool writeSilentWav(const QString& file, int milliseconds)
{
    const quint32 rate = 8000;
    const quint32 samples = rate * static_cast<quint32>(milliseconds) / 1000;
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QDataStream stream(&out);
    stream.setByteOrder(QDataStream::LittleEndian);
    stream.writeRawData("RIFF", 4);
    stream << quint32(36 + samples);
    stream.writeRawData("WAVEfmt ", 8);
    stream << quint32(16) << quint16(1) << quint16(1) << rate << rate << quint16(1) << quint16(8);
    stream.writeRawData("data", 4);
    stream << samples;
    const QByteArray silence(static_cast<int>(samples), char(0x80));
    stream.writeRawData(silence.constData(), silence.size());
    return stream.status() == QDataStream::Ok;
}

// One score page: what it shows and where the engine places it.
struct ScorePage {
    int number;
    const char* song;
    const char* title;
    const char* firstBar;
};

constexpr ScorePage kScorePages[] = {
    {1, "1", "Overture", "1"},
    {2, "1", "Overture", "9"},
    {3, "2", "Lantern Waltz", "0"},
    {4, "2", "Lantern Waltz", "13"},
    {5, "3", "Finale: Lights Out", "1"},
    {6, "3", "Finale: Lights Out", "7"},
};

// A 600 x 800 page: show title, song, first bar and five empty staves, as PNG bytes.
std::string drawScorePage(const ScorePage& page)
{
    QImage image(600, 800, QImage::Format_RGB32);
    image.fill(QColor("#fbf8ef"));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor("#1a1a1a"));
    painter.setFont(QFont("DejaVu Sans", 11));
    painter.drawText(QRect(40, 30, 520, 20), Qt::AlignLeft, "The Lantern Keeper");
    painter.drawText(QRect(40, 30, 520, 20), Qt::AlignRight, QString("Page %1").arg(page.number));
    painter.setFont(QFont("DejaVu Sans", 22, QFont::Bold));
    painter.drawText(QRect(40, 70, 520, 40), Qt::AlignCenter, QString("%1. %2").arg(page.song, page.title));
    painter.setFont(QFont("DejaVu Sans", 12));
    painter.drawText(QRect(40, 120, 520, 24), Qt::AlignCenter, QString("from bar %1").arg(page.firstBar));
    for (int staff = 0; staff < 5; ++staff) {
        const int top = 200 + staff * 110;
        for (int line = 0; line < 5; ++line)
            painter.drawLine(40, top + line * 10, 560, top + line * 10);
        for (int barLine = 0; barLine < 5; ++barLine)
            painter.drawLine(40 + barLine * 130, top, 40 + barLine * 130, top + 40);
    }
    painter.setFont(QFont("DejaVu Sans", 9));
    painter.drawText(QRect(40, 182, 100, 16), Qt::AlignLeft, page.firstBar);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

la_ssize_t appendToString(archive*, void* out, const void* bytes, size_t length)
{
    static_cast<std::string*>(out)->append(static_cast<const char*>(bytes), length);
    return static_cast<la_ssize_t>(length);
}

// The pages as "pages/page-NN.png" in an uncompressed ustar archive with fixed times, owners and
// modes, so that every build makes the same bytes. Empty when writing fails.
std::string scoreArchive()
{
    const std::unique_ptr<archive, decltype(&archive_write_free)> tar(archive_write_new(), archive_write_free);
    std::string out;
    if (archive_write_set_format_ustar(tar.get()) != ARCHIVE_OK
        || archive_write_open(tar.get(), &out, nullptr, appendToString, nullptr) != ARCHIVE_OK)
        return {};
    for (const ScorePage& page : kScorePages) {
        const std::string png = drawScorePage(page);
        const std::string name = QString("pages/page-%1.png").arg(page.number, 2, 10, QChar('0')).toStdString();
        const std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                                  archive_entry_free);
        archive_entry_set_pathname(entry.get(), name.c_str());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_uid(entry.get(), 0);
        archive_entry_set_gid(entry.get(), 0);
        archive_entry_set_mtime(entry.get(), 1767225600, 0);
        archive_entry_set_size(entry.get(), static_cast<la_int64_t>(png.size()));
        if (archive_write_header(tar.get(), entry.get()) != ARCHIVE_OK
            || archive_write_data(tar.get(), png.data(), png.size()) != static_cast<la_ssize_t>(png.size()))
            return {};
    }
    if (archive_write_close(tar.get()) != ARCHIVE_OK)
        return {};
    return out;
}

bool writeScorePackage(const QString& file, const char* recordFile)
{
    try {
        const std::string tar = scoreArchive();
        if (tar.empty())
            return false;
        const vemo_sec::AccessData keys = vemo_sec::ReadAccessData(recordFile);
        vemo_sec::WriteScorePackage(file.toStdString(), tar, keys.block1, keys.block2);
        return true;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_demo_show: %s\n", error.what());
        return false;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_demo_show <output folder> <data folder>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QDir data(QString::fromLocal8Bit(argv[2]));
    const QString show = root.filePath("show");
    const QString effects = root.filePath("machine/vemo_data/sfx");
    if (!QDir().mkpath(show) || !QDir().mkpath(effects)) {
        std::fprintf(stderr, "make_demo_show: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = writeAlbumArt(show + "/AlbumArtwork.jpg");
    ok = writeScorePackage(show + "/TheLanternKeeper.score", QFile::encodeName(data.filePath("show/show.record")).constData())
         && ok;
    ok = writeSilentWav(effects + "/thunder.wav", 3000) && ok;
    ok = writeSilentWav(effects + "/rain.wav", 8000) && ok;
    if (!ok) {
        std::fprintf(stderr, "make_demo_show: writing the assets failed\n");
        return 1;
    }
    if (!writeDemoService(root, data))
        return 1;
    return 0;
}
