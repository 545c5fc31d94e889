#pragma once

// The main window over the demo show, with its show folder's event logs set per test, a web
// service folder of the demo's credential, and readers of the dialogs and the prompt it shows.

#include "main_window_rig.h"

#include <vemo_test/service_fixture.h>

#include <QObject>
#include <QString>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vemo::testing {

struct ShownDialog {
    QString title;
    QString text;
};

class VersionsRig {
public:
    // The demo show's folder holds exactly the logs `versions` ("1.0", ...), named as the engine
    // names them; the engine is made after.
    explicit VersionsRig(const std::vector<std::string>& versions = {"1.0", "1.1"});

    static std::filesystem::path ShowFolder();
    // The engine's file name of a version: "TheLanternKeeper-<version>.logdata".
    static std::string LogName(const std::string& version);
    // A log file of the demo show with this version.
    static std::string LogBytes(int majorVersion, int minorVersion);
    // Every regular file of the show folder named "*.logdata", with its bytes.
    static std::map<std::string, std::string> LogFiles();
    static void WriteLog(const std::string& fileName, const std::string& bytes);

    // The service of the demo's credential, made the default address on first use.
    ServiceFixture& Service();
    // A log the service shares, stored under the engine's name of its version.
    void ShareOnService(int majorVersion, int minorVersion);

    // An edit of the log: song 1's attacca.
    void Edit();
    // The message dialogs over the main window, oldest first.
    std::vector<ShownDialog> Dialogs() const;
    // The open unsaved-changes prompt, or null.
    static QObject* Prompt();
    // Answers the open prompt by emitting one of its signals, then lets its release happen.
    static void Answer(const char* signal);
    // Whether the event-log manager window is open.
    static bool ManagerOpen();

    MainWindowRig window;
    vemo::qt::MusicalMainController& controller() const { return *window.controller; }

private:
    std::unique_ptr<ServiceFixture> service;
};

} // namespace vemo::testing
