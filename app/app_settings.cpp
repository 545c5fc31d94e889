#include "app/app_settings.h"

#include <QStringList>
#include <QVariant>

#include <cmath>

namespace vemo {
namespace {

const QString kDefaultVolumeKey = QStringLiteral("defaultVolume");
const QString kClickVolumeKey = QStringLiteral("clickVolumeLinear");
const QString kOutputDeviceKey = QStringLiteral("defaultOutputDeviceString");
const QString kMidiSourceKey = QStringLiteral("currentMidiSourceName");
const QString kDialogsGroup = QStringLiteral("Dialogs");

} // namespace

AppSettings::AppSettings(std::unique_ptr<QSettings> settings) : settings(std::move(settings)) {}

bool AppSettings::Load()
{
    defaultVolume = ReadVolume(kDefaultVolumeKey, volumeDefault);
    clickVolumeLinear = ReadVolume(kClickVolumeKey, clickVolumeDefault);
    defaultOutputDeviceString = settings->value(kOutputDeviceKey, outputDeviceDefault).toString();
    currentMidiSourceName = settings->value(kMidiSourceKey, QString()).toString();
    return true;
}

// A volume that does not read as a finite number keeps the default: a damaged file must not silence the show.
double AppSettings::ReadVolume(const QString& key, double fallback) const
{
    const QVariant stored = settings->value(key);
    if (!stored.isValid()) {
        return fallback;
    }
    bool ok = false;
    const double value = stored.toDouble(&ok);
    return ok && std::isfinite(value) ? value : fallback;
}

bool AppSettings::Save()
{
    settings->setValue(kDefaultVolumeKey, defaultVolume);
    settings->setValue(kOutputDeviceKey, defaultOutputDeviceString);
    settings->setValue(kClickVolumeKey, clickVolumeLinear);
    settings->setValue(kMidiSourceKey, currentMidiSourceName);
    return true;
}

double AppSettings::DefaultVolume() const
{
    return defaultVolume;
}

void AppSettings::SetDefaultVolume(double volume)
{
    defaultVolume = volume;
}

const QString& AppSettings::DefaultOutputDevice() const
{
    return defaultOutputDeviceString;
}

void AppSettings::SetDefaultOutputDevice(const QString& device)
{
    defaultOutputDeviceString = device;
}

void AppSettings::SetDialogShow(const QString& dialogId, bool show)
{
    settings->beginGroup(kDialogsGroup);
    settings->setValue(dialogId, QStringList{show ? QStringLiteral("true") : QStringLiteral("false")});
    settings->endGroup();
}

bool AppSettings::DialogShow(const QString& dialogId) const
{
    settings->beginGroup(kDialogsGroup);
    const QStringList stored = settings->value(dialogId).toStringList();
    settings->endGroup();
    return stored.isEmpty() || QVariant(stored.first()).toBool();
}

} // namespace vemo
