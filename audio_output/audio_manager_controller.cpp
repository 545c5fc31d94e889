#include "audio_output/audio_manager_controller.h"

#include <vemo_player_core/interface.h>

#include <QStringList>
#include <QUrl>
#include <QVariant>

#include <cmath>
#include <exception>

namespace vemo::qt {
namespace {

// Below this the window's gain counts as silence.
constexpr double kSilentGain = 0.00002;

// The fader position that shows a linear gain.
double FaderPosition(double gain)
{
    return std::exp(std::log10(gain) * 20.0 / 25.0);
}

} // namespace

AudioManagerController::AudioManagerController(QQmlEngine* engine, std::shared_ptr<Interface> player,
                                               QObject* parent)
    : QmlController(engine, QUrl(QStringLiteral("qrc:/qt/qml/com/quorvane/musical_ui/qml/AudioManager.qml")),
                    parent, true, {})
    , player(std::move(player))
{
    const std::string current = this->player->GetOutputDeviceUid();
    devices = vemo::audio::DeviceControlWin32().GetOutputDevices();
    QStringList choices{QStringLiteral("(default)")};
    int selected = 0;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        choices << QString::fromStdString(devices[i].name);
        if (devices[i].id == current) {
            selected = static_cast<int>(i) + 1;
        }
    }
    QObject* window = QmlObject();
    if (window == nullptr) {
        return;
    }
    window->setProperty("outputDeviceModel", choices);
    window->setProperty("outputVolume", FaderPosition(this->player->GetVolume()));
    window->setProperty("outputDeviceIndex", selected);
    connect(window, SIGNAL(okay()), this, SLOT(onOkayClicked_()));
}

AudioManagerController::~AudioManagerController() = default;

void AudioManagerController::onOkayClicked_()
{
    try {
        SetVisible(false);
        const QObject* window = QmlObject();
        const double linear = window->property("outputVolumeLinear").toDouble();
        volume = linear < kSilentGain ? 0.0 : linear;
        const int row = window->property("outputDeviceIndex").toInt();
        deviceId = row >= 1 && row <= static_cast<int>(devices.size())
                       ? QString::fromStdString(devices[static_cast<std::size_t>(row) - 1].id)
                       : QString();
        emit audioSettingsUpdated();
    } catch (const std::exception& failure) {
        emit error(failure.what(), "Error Configuring Audio");
    }
}

} // namespace vemo::qt
