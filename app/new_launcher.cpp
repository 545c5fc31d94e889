// The program's own launcher, made at the end of start-up. Kept out of the libraries so that a test
// build of the program can link a launcher of its own.
#include "app/launcher.h"
#include "app/musical_app.h"

namespace vemo::qt {

std::unique_ptr<QObject> NewLauncher(QQmlApplicationEngine* engine, std::unique_ptr<PlayerFactory> factory)
{
    return std::make_unique<Launcher>(engine, std::move(factory), nullptr);
}

} // namespace vemo::qt
