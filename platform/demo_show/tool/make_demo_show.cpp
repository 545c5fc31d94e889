// Makes the demo show's generated assets: the album art, the silent effect recordings
// and the web-service folder.
// Usage: make_demo_show <output folder> <data folder>

#include "demo_service.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

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

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_demo_show <output folder> <data folder>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QString show = root.filePath("show");
    const QString effects = root.filePath("machine/vemo_data/sfx");
    if (!QDir().mkpath(show) || !QDir().mkpath(effects)) {
        std::fprintf(stderr, "make_demo_show: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = writeAlbumArt(show + "/AlbumArtwork.jpg");
    ok = writeSilentWav(effects + "/thunder.wav", 3000) && ok;
    ok = writeSilentWav(effects + "/rain.wav", 8000) && ok;
    if (!ok) {
        std::fprintf(stderr, "make_demo_show: writing the assets failed\n");
        return 1;
    }
    if (!writeDemoService(root, QDir(QString::fromLocal8Bit(argv[2]))))
        return 1;
    return 0;
}
