#pragma once

// The main window's controller made as the launcher makes it, over the demo show (or a fixture
// show made current) in the test's own data folder, with the engine's manual clock.

#include "app/tolbrin_player_factory.h"
#include "main_window/musical_main_controller.h"

#include <vemo_player_core/engine_probe.h>

#include <QQmlApplicationEngine>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace vemo::testing {

// The product's factory with a hook that runs on each new engine (to script it or arm failures).
class HookedFactory : public vemo::qt::TolbrinPlayerFactory {
public:
    std::unique_ptr<Interface> CreateAudioInterface(const QString& showFolder,
                                                    std::shared_ptr<vemo::PlayerOscCallback> oscCallback,
                                                    bool soundEffects) override;

    std::function<void(EngineProbe&)> onEngine;
};

// The product's data folder of this test run.
std::filesystem::path DataDirectory();
// Installs the demo show as the current show (once per data folder).
void InstallDemo();
// Writes "osc_settings.vemo" with OSC on and this listen port.
void WriteOscListenPort(int port);
void RemoveOscSettings();

// Made with "osc_settings.vemo" naming a free listen port.
struct MainWindowRig {
    MainWindowRig();
    ~MainWindowRig();
    MainWindowRig(const MainWindowRig&) = delete;
    MainWindowRig& operator=(const MainWindowRig&) = delete;

    // Makes the controller; a failing construction passes its exception on.
    void Create();
    QObject* Root() const;
    QObject* Child(const char* objectName) const;
    EngineProbe& Engine() const;
    // Runs the engine's clock, then lets the handed-over notifications arrive.
    void Advance(int milliseconds) const;
    // Whether a line of the engine's journal starts with `prefix`.
    bool JournalHas(const std::string& prefix) const;
    // Titles of the message dialogs open over the main window.
    QStringList DialogTitles() const;

    std::unique_ptr<QQmlApplicationEngine> engine;
    HookedFactory factory;
    std::unique_ptr<vemo::qt::MusicalMainController> controller;
};

} // namespace vemo::testing
