#pragma once

#include <QStringList>

#include <optional>
#include <string>

namespace vemo::osc {

// The command line of vemo-osc-listen.
struct ListenOptions {
    // The settings file named by --settings; none means the data directory's file, when it exists.
    std::optional<std::string> settingsPath;
    // --port, which overrides the settings' port.
    std::optional<int> port;
    // --notifications: print the engine's notifications too, not only its calls.
    bool notifications = false;

    // Throws std::runtime_error with a message for the user when the arguments are not understood.
    static ListenOptions Parse(const QStringList& arguments);
};

} // namespace vemo::osc
