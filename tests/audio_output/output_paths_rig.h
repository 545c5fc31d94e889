#pragma once

// A loaded fixture show, its engine on the manual clock and a QML engine, for the tests of the
// output paths manager and its documents. The manager's path signals reach the engine through a
// relay wired by signature strings, as the main window wires them.

#include "audio_output/output_paths_manager_controller.h"

#include <vemo_player_core/audio_interface.h>
#include <vemo_test/fixture_show.h>

#include <QObject>
#include <QQmlEngine>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace vemo::testing {

// Passes the manager's path signals on to the engine.
class PlayerRelay : public QObject {
    Q_OBJECT

public:
    explicit PlayerRelay(std::shared_ptr<vemo::AudioInterface> player)
        : player(std::move(player))
    {
    }

public slots:
    void onAddOutputhPath(CL::OutputPath path) { player->onAddOutputhPath(path); }
    void onRemoveOutputhPath(CL::OutputPath path) { player->onRemoveOutputhPath(path); }

private:
    std::shared_ptr<vemo::AudioInterface> player;
};

// Each test of the output paths windows starts with the two virtual outputs as the machine's
// devices and fails on any warning; EndOutputPathsTest() gives the device list back.
void StartOutputPathsTest();
void EndOutputPathsTest();

struct OutputPathsRig {
    // Writes a show with these output paths, loads it and, when `deviceFile` is given, writes it
    // as the show's device file first. The manager is made by MakeManager().
    explicit OutputPathsRig(std::initializer_list<OutputPath> paths, const std::string* deviceFile = nullptr);
    ~OutputPathsRig();

    void MakeManager();
    std::string DeviceFile() const;
    // The engine's journal lines of calls (no notifications).
    QStringList EngineCalls() const;

    std::filesystem::path show;
    std::shared_ptr<vemo::AudioInterface> player;
    std::unique_ptr<QQmlEngine> qml;
    std::unique_ptr<vemo::qt::OutputPathsManagerController> manager;
    std::unique_ptr<PlayerRelay> relay;
};

}  // namespace vemo::testing
