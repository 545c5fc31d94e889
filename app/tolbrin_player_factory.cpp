#include "app/tolbrin_player_factory.h"

#include <vemo_tolbrin2/tn2_audio_interface.h>

#include <string>

namespace vemo::qt {
namespace {

// The build tag compiled into this product; it has none.
const std::string kBuildTag;

} // namespace

TolbrinPlayerFactory::TolbrinPlayerFactory()
{
    displayName = "Tol|brin";
    productKey = "tolbrin";
    productType = 1;
    versionMajor = 2;
    versionMinor = 14;
    versionPatch = 0;
    buildTag = QString::fromStdString(kBuildTag);
    logoUrl = "qrc:/images/tolbrin_logo_light_long";
    iconUrl = "qrc:/images/tolbrin";
    showAlbumArtImage = true;
    showAudioManager = true;
    showFade = true;
    showScore = true;
    showMixer = false;
    showAudioFadeRegion = true;
    oscEnabled = true;
}

std::unique_ptr<Interface> TolbrinPlayerFactory::CreateAudioInterface(const QString& showFolder,
                                                                      std::shared_ptr<vemo::PlayerOscCallback> oscCallback,
                                                                      bool soundEffects)
{
    const std::string dataDirectory = ApplicationDataDirectory().toStdString();
    auto engine = std::make_unique<vemo::Tn2AudioInterface>(showFolder.toStdString(), dataDirectory, soundEffects,
                                                            std::move(oscCallback));
    engine->ThrowIfThreadExceptions();
    return engine;
}

} // namespace vemo::qt
