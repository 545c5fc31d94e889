#pragma once

#include <QObject>
#include <QSettings>
#include <QString>

#include <memory>

namespace vemo {

// The user's general settings, kept from run to run in the INI file "general_settings.vemo".
class AppSettings : public QObject {
    Q_OBJECT

public:
    explicit AppSettings(std::unique_ptr<QSettings> settings);

    bool Load();
    // Leaves writing the file to QSettings' own schedule and its destruction.
    bool Save();

    double DefaultVolume() const;
    void SetDefaultVolume(double volume);
    const QString& DefaultOutputDevice() const;
    void SetDefaultOutputDevice(const QString& device);

    void SetDialogShow(const QString& dialogId, bool show);
    bool DialogShow(const QString& dialogId) const;

private:
    double ReadVolume(const QString& key, double fallback) const;

    double volumeDefault = 1.0;
    double clickVolumeDefault = 1.0;
    QString outputDeviceDefault;
    std::unique_ptr<QSettings> settings;
    double defaultVolume = 1.0;
    double clickVolumeLinear = 1.0;
    QString defaultOutputDeviceString;

public:
    // Written directly by the MIDI manager window, which then calls Save().
    QString currentMidiSourceName;
};

} // namespace vemo
