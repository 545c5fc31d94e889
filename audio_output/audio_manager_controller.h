#pragma once

#include "app/qml_controller.h"

#include <fonexa/device_control.h>

#include <QString>

#include <memory>
#include <vector>

class Interface;
class QQmlEngine;

namespace vemo::qt {

// The "Audio Manager" window: picks the audio device the player plays on. It opens on the
// player's current device and volume; OK hands the chosen device id and the volume (the player's,
// kept within the window's -80 to 0 dB) to whoever handles audioSettingsUpdated(). A new
// controller is made at each opening:
//
//     audio = std::make_unique<AudioManagerController>(engine, player, root);
//     connect(audio.get(), &AudioManagerController::audioSettingsUpdated, main, [&] {
//         player->SetOutputDeviceUid(audio->DeviceId().toStdString().c_str());
//         player->SetVolume(audio->Volume(), vemo::VolumeType::Master);
//     });
//     audio->SetVisible(true);
class AudioManagerController : public QmlController {
    Q_OBJECT

public:
    AudioManagerController(QQmlEngine* engine, std::shared_ptr<Interface> player, QObject* parent);
    ~AudioManagerController() override;

    // The linear gain chosen at the last OK; 0 before.
    double Volume() const { return volume; }
    // The device id chosen at the last OK; "" before, and for the system's default device.
    QString DeviceId() const { return deviceId; }

signals:
    void audioSettingsUpdated();

public slots:
    void onOkayClicked_();

private:
    std::shared_ptr<Interface> player;
    std::vector<vemo::audio::AudioDevice> devices;
    double volume = 0.0;
    QString deviceId;
};

} // namespace vemo::qt
