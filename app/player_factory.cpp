#include "app/player_factory.h"

#include "app/data_directory.h"
#include "audio_output/mixer_controller.h"

#include <QDir>

#include <filesystem>

namespace vemo {

PlayerFactory::~PlayerFactory() = default;

std::unique_ptr<vemo::qt::MixerController> PlayerFactory::CreateMixerController(QQuickItem*, QQmlEngine*,
                                                                                std::shared_ptr<Interface>,
                                                                                std::shared_ptr<vemo::AppSettings>)
{
    return {};
}

QString PlayerFactory::Version() const
{
    return QString::number(versionMajor) + "." + QString::number(versionMinor) + "." + QString::number(versionPatch);
}

QString PlayerFactory::BuildTag() const
{
    return buildTag;
}

QString PlayerFactory::ApplicationDataDirectory() const
{
    QDir directory(QString::fromStdString(ProductDataDirectory(productKey).string()));
    if (!directory.exists()) {
        directory.mkpath(".");
    }
    return directory.absolutePath();
}

std::string PlayerFactory::GenericDataDirectory() const
{
    const std::filesystem::path directory = ProductDataDirectory(productKey);
    std::filesystem::create_directories(directory);
    return directory.string();
}

} // namespace vemo
