#include "osc/osc_settings.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QSaveFile>

#include <cmath>
#include <iostream>
#include <optional>
#include <stdexcept>

namespace vemo::osc {

namespace {

constexpr auto kVersionKey = "version";
constexpr auto kEnabledKey = "oscEnabled";
constexpr auto kPortKey = "oscListenPort";
constexpr auto kVersion = "1.0";

// The port a JSON value names: 0 when it is not a number, nothing when it is a number that is not a
// whole number in 0 to 65535.
std::optional<std::int32_t> PortFromJson(const QJsonValue& value)
{
    if (!value.isDouble()) {
        return 0;
    }
    const double number = value.toDouble();
    if (number < 0.0 || number > 65535.0 || std::trunc(number) != number) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(number);
}

} // namespace

void OscSettings::Load(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Failed to open osc settings file.");
        return;
    }
    const QJsonObject settings = QJsonDocument::fromJson(file.readAll()).object();
    if (settings.value(kVersionKey).toString() != kVersion) {
        return;
    }
    oscEnabled = settings.value(kEnabledKey).toBool(false);
    const QJsonValue port = settings.value(kPortKey);
    if (const auto listenPort = PortFromJson(port)) {
        oscListenPort = *listenPort;
    } else {
        qWarning().noquote() << "OSC listen port" << QString::number(port.toDouble(), 'g', 17)
                             << "in the osc settings file is not a port number from 0 to 65535; keeping"
                             << oscListenPort;
    }
}

void OscSettings::Save(const std::string& path) const
{
    QJsonObject settings;
    settings.insert(kEnabledKey, oscEnabled);
    settings.insert(kPortKey, oscListenPort);
    settings.insert(kVersionKey, kVersion);
    const QByteArray content = QJsonDocument(settings).toJson(QJsonDocument::Indented);

    const QString filePath = QString::fromStdString(path);
    const auto failure = [&path](const QString& reason) {
        return std::runtime_error("Failed to save osc settings to " + path + ": " + reason.toStdString());
    };

    std::optional<QString> folderError;
    const QString folder = QFileInfo(filePath).absolutePath();
    if (!QDir().mkpath(folder)) {
        std::cerr << "Failed to create path for saving osc settings." << std::endl;
        folderError = "cannot create the folder " + folder;
    }
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        throw failure(folderError.value_or(file.errorString()));
    }
    if (file.write(content) != content.size()) {
        throw failure(file.errorString());
    }
    // A write error at the final flush is not reported by commit(): flush first, so that a full disk
    // or a file size limit keeps the old file instead of replacing it with a cut one.
    if (!file.flush() || !file.commit()) {
        throw failure(file.errorString());
    }
}

} // namespace vemo::osc
