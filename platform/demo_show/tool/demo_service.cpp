#include "demo_service.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <optional>

namespace {

struct ShowFile {
    const char* type;
    QString source;
    QString name;
    int majorVersion = -1;
    int minorVersion = -1;
};

std::optional<QByteArray> readAll(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_demo_show: cannot read %s\n", qPrintable(file));
        return std::nullopt;
    }
    return in.readAll();
}

bool writeAll(const QString& file, const QByteArray& bytes)
{
    QFile out(file);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size();
}

QString sha256(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// Copies a file into `folder` under `name` and returns its bytes.
std::optional<QByteArray> copyInto(const QString& source, const QDir& folder, const QString& name)
{
    const std::optional<QByteArray> bytes = readAll(source);
    if (!bytes || !writeAll(folder.filePath(name), *bytes))
        return std::nullopt;
    return bytes;
}

bool writeLogs(const QDir& data, const QDir& logs)
{
    struct SharedLog {
        QString source;
        QString name;
        int majorVersion;
        int minorVersion;
        qint64 modified;
    };
    const SharedLog shared[] = {
        {data.filePath("show/TheLanternKeeper-1.0.logdata"), "TheLanternKeeper-1.0.logdata", 1, 0, 1735689600},
        {data.filePath("TheLanternKeeper-2.0.logdata"), "TheLanternKeeper-2.0.logdata", 2, 0, 1738368000},
    };
    QJsonArray entries;
    for (const SharedLog& log : shared) {
        const std::optional<QByteArray> bytes = copyInto(log.source, logs, log.name);
        if (!bytes)
            return false;
        entries.append(QJsonObject{{"major", log.majorVersion},
                                   {"minor", log.minorVersion},
                                   {"modified", log.modified},
                                   {"fileName", log.name},
                                   {"key", ""},
                                   {"text", sha256(*bytes)}});
    }
    const QJsonObject index{{"latest", QJsonObject{{"major", 2}, {"minor", 0}}}, {"logs", entries}};
    return writeAll(logs.filePath("index.json"), QJsonDocument(index).toJson(QJsonDocument::Indented));
}

bool writeShowFiles(const QDir& generated, const QDir& data, const QDir& show, const QDir& files)
{
    const ShowFile listed[] = {
        {"SHOW", data.filePath("show/show.json"), "show.json"},
        {"RECORD", data.filePath("show/show.record"), "show.record"},
        {"ART", generated.filePath("show/AlbumArtwork.jpg"), "AlbumArtwork.jpg"},
        {"SCORE", generated.filePath("show/TheLanternKeeper.score"), "TheLanternKeeper.score"},
        {"LOG", data.filePath("TheLanternKeeper-2.0.logdata"), "TheLanternKeeper-2.0.logdata", 2, 0},
    };
    QJsonArray entries;
    for (const ShowFile& file : listed) {
        const std::optional<QByteArray> bytes = copyInto(file.source, files, file.name);
        if (!bytes)
            return false;
        QJsonObject entry{{"type", file.type}, {"name", file.name}, {"size", bytes->size()}, {"sha256", sha256(*bytes)}};
        if (file.majorVersion >= 0) {
            entry.insert("major", file.majorVersion);
            entry.insert("minor", file.minorVersion);
        }
        entries.append(entry);
    }
    const QJsonObject root{{"files", entries}};
    return writeAll(show.filePath("files.json"), QJsonDocument(root).toJson(QJsonDocument::Indented));
}

} // namespace

bool writeDemoService(const QDir& generated, const QDir& data)
{
    const QDir show(generated.filePath("service/shows/the-lantern-keeper"));
    if (!QDir().mkpath(show.filePath("logs")) || !QDir().mkpath(show.filePath("files"))) {
        std::fprintf(stderr, "make_demo_show: cannot create %s\n", qPrintable(show.path()));
        return false;
    }
    return writeLogs(data, QDir(show.filePath("logs"))) && writeShowFiles(generated, data, show, QDir(show.filePath("files")));
}
