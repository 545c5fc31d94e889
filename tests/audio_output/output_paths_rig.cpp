#include "output_paths_rig.h"

#include <vemo_core/types.h>
#include <vemo_test/qml_engine.h>

#include <fonexa/device_control.h>

#include <QRegularExpression>
#include <QtTest>

#include <fstream>

namespace vemo::testing {

void StartOutputPathsTest()
{
    vemo::audio::DeviceControlWin32::SetDevicesForTesting(std::vector<vemo::audio::AudioDevice>{
        {"Virtual Output 1-2", "virtual-out-1-2"}, {"Virtual Output 3-4", "virtual-out-3-4"}});
    QTest::failOnWarning(QRegularExpression(".?"));
}

void EndOutputPathsTest()
{
    vemo::audio::DeviceControlWin32::SetDevicesForTesting(std::nullopt);
}

OutputPathsRig::OutputPathsRig(std::initializer_list<OutputPath> paths, const std::string* deviceFile)
{
    vemo::core::RegisterQtMetaTypes();
    FixtureShow fixture;
    fixture.songs = {{.number = "1", .bars = 4}};
    fixture.outputPaths = paths;
    show = fixture.Write();
    if (deviceFile != nullptr) {
        std::ofstream(show / "outputpathdevices.json", std::ios::binary) << *deviceFile;
    }
    vemo::AudioInterface::Options options;
    options.clock = vemo::AudioInterface::Options::Clock::Manual;
    player = std::make_shared<vemo::AudioInterface>(show.string(), (show.parent_path() / "data").string(), false,
                                                    nullptr, options);
    player->ThrowIfThreadExceptions();
    player->Probe().Drain();
    player->Probe().ClearJournal();
    qml = MakeQmlEngine();
    relay = std::make_unique<PlayerRelay>(player);
}

OutputPathsRig::~OutputPathsRig()
{
    manager.reset();
    DeliverDeferredDeletes();
}

void OutputPathsRig::MakeManager()
{
    manager = std::make_unique<vemo::qt::OutputPathsManagerController>(player->GetOutputPathMap(), qml.get(), nullptr);
    QObject::connect(manager.get(), SIGNAL(AddOutputPathSignal(CL::OutputPath)), relay.get(),
                     SLOT(onAddOutputhPath(CL::OutputPath)));
    QObject::connect(manager.get(), SIGNAL(RemoveOutputPathSignal(CL::OutputPath)), relay.get(),
                     SLOT(onRemoveOutputhPath(CL::OutputPath)));
}

std::string OutputPathsRig::DeviceFile() const
{
    return (show / "outputpathdevices.json").string();
}

QStringList OutputPathsRig::EngineCalls() const
{
    player->Probe().Drain();
    QStringList calls;
    for (const std::string& line : player->Probe().Journal()) {
        if (!line.starts_with("> notify")) {
            calls << QString::fromStdString(line);
        }
    }
    return calls;
}

}  // namespace vemo::testing
