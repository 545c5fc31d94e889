#include "listen/listen_options.h"

#include <QCommandLineParser>

#include <stdexcept>

namespace vemo::osc {

ListenOptions ListenOptions::Parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Receives OSC commands over UDP and carries them out on the simulated "
                                     "player engine with the current show.");
    parser.addHelpOption();
    const QCommandLineOption settingsOption("settings", "The OSC settings file to read.", "file");
    const QCommandLineOption portOption("port", "The UDP port to listen on (1 to 65535).", "port");
    const QCommandLineOption notificationsOption(
        "notifications", "Print the engine's notifications (position, tempo, volume...) as well as its calls.");
    parser.addOption(settingsOption);
    parser.addOption(portOption);
    parser.addOption(notificationsOption);
    if (!parser.parse(arguments)) {
        throw std::runtime_error(parser.errorText().toStdString());
    }
    if (parser.isSet("help")) {
        parser.showHelp(0);
    }
    if (!parser.positionalArguments().isEmpty()) {
        throw std::runtime_error("Unexpected argument: " + parser.positionalArguments().first().toStdString());
    }

    ListenOptions options;
    options.notifications = parser.isSet(notificationsOption);
    if (parser.isSet(settingsOption)) {
        options.settingsPath = parser.value(settingsOption).toStdString();
    }
    if (parser.isSet(portOption)) {
        bool ok = false;
        const int port = parser.value(portOption).toInt(&ok, 10);
        if (!ok) {
            throw std::runtime_error("The port must be a whole number: " + parser.value(portOption).toStdString());
        }
        options.port = port;
    }
    return options;
}

} // namespace vemo::osc
