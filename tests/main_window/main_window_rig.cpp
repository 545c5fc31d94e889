#include "main_window_rig.h"

#include "app/data_directory.h"

#include <osc/osc_settings.h>
#include <osc_test_support.h>
#include <vemo_demo_show/install.h>
#include <vemo_test/qml_engine.h>

#include <QtTest>

#include <chrono>

namespace vemo::testing {

std::unique_ptr<Interface> HookedFactory::CreateAudioInterface(const QString& showFolder,
                                                               std::shared_ptr<vemo::PlayerOscCallback> oscCallback,
                                                               bool soundEffects)
{
    auto engine = TolbrinPlayerFactory::CreateAudioInterface(showFolder, std::move(oscCallback), soundEffects);
    if (onEngine)
        onEngine(*CurrentEngine());
    return engine;
}

std::filesystem::path DataDirectory()
{
    return vemo::ProductDataDirectory("tolbrin");
}

void InstallDemo()
{
    const QByteArray noDemo = qgetenv("VEMO_NO_DEMO");
    qunsetenv("VEMO_NO_DEMO");
    vemo::demo::InstallIfNoCurrentShow(DataDirectory());
    qputenv("VEMO_NO_DEMO", noDemo);
}

void WriteOscListenPort(int port)
{
    vemo::osc::OscSettings(true, port).Save((DataDirectory() / "osc_settings.vemo").string());
}

void RemoveOscSettings()
{
    std::filesystem::remove(DataDirectory() / "osc_settings.vemo");
}

MainWindowRig::MainWindowRig() : engine(std::make_unique<QQmlApplicationEngine>())
{
    PrepareQmlEngine(*engine);
    InstallDemo();
    // Tests run side by side: each listens on a port of its own, never on the default one.
    WriteOscListenPort(vemo::osc::testing::FreeUdpPort());
}

MainWindowRig::~MainWindowRig()
{
    controller.reset();
    DeliverDeferredDeletes();
}

void MainWindowRig::Create()
{
    controller = std::make_unique<vemo::qt::MusicalMainController>(engine.get(), &factory);
}

QObject* MainWindowRig::Root() const
{
    return controller->QmlObject();
}

QObject* MainWindowRig::Child(const char* objectName) const
{
    return vemo::testing::Child(Root(), objectName);
}

EngineProbe& MainWindowRig::Engine() const
{
    return *CurrentEngine();
}

void MainWindowRig::Advance(int milliseconds) const
{
    Engine().Advance(std::chrono::milliseconds(milliseconds));
    Engine().Drain();
    QCoreApplication::processEvents();
}

bool MainWindowRig::JournalHas(const std::string& prefix) const
{
    for (const std::string& line : Engine().Journal()) {
        if (line.rfind(prefix, 0) == 0)
            return true;
    }
    return false;
}

QStringList MainWindowRig::DialogTitles() const
{
    DeliverDeferredDeletes();
    QStringList titles;
    for (QObject* child : Root()->children()) {
        if (QString(child->metaObject()->className()).startsWith("FlatDialogWindow") &&
            child->property("visible").toBool())
            titles.append(child->property("title").toString());
    }
    return titles;
}

} // namespace vemo::testing
