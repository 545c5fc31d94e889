#pragma once

#include <vemo_player_core/callbacks.h>
#include <vemo_player_core/interface.h>

#include <QString>

#include <cstdint>
#include <memory>
#include <string>

class QQmlEngine;
class QQuickItem;

namespace vemo {
class AppSettings;
} // namespace vemo

namespace vemo::qt {
class MixerController;
} // namespace vemo::qt

namespace vemo {

// The description of the product this build is, and the factory of its audio engine.
class PlayerFactory {
public:
    PlayerFactory() = default;
    PlayerFactory(const PlayerFactory&) = delete;
    PlayerFactory& operator=(const PlayerFactory&) = delete;

    virtual std::unique_ptr<Interface> CreateAudioInterface(const QString& showFolder,
                                                            std::shared_ptr<vemo::PlayerOscCallback> oscCallback,
                                                            bool soundEffects) = 0;
    virtual ~PlayerFactory();
    // The mixer window's controller for the mixer item; this base has none.
    virtual std::unique_ptr<vemo::qt::MixerController> CreateMixerController(QQuickItem* mixerItem, QQmlEngine* engine,
                                                                            std::shared_ptr<Interface> player,
                                                                            std::shared_ptr<vemo::AppSettings> settings);

    // "major.minor.patch".
    QString Version() const;
    QString BuildTag() const;
    // The engine's data directory, created when missing (a failure leaves it missing).
    QString ApplicationDataDirectory() const;
    // The crash log's directory, created when missing; throws std::filesystem::filesystem_error when it cannot be.
    std::string GenericDataDirectory() const;

    QString displayName;
    QString productKey;
    std::int32_t productType = 0;
    std::int32_t versionMajor = 0;
    std::int32_t versionMinor = 0;
    std::int32_t versionPatch = 0;
    QString buildTag;
    QString logoUrl;
    QString iconUrl;
    bool showAlbumArtImage = false;
    bool showAudioManager = false;
    bool showFade = false;
    bool showScore = false;
    bool showMixer = false;
    bool showAudioFadeRegion = true;
    bool oscEnabled = true;
};

} // namespace vemo
