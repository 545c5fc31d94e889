#include "vemo_ui/controllers/about_window_controller.h"

namespace vemo::qt {

AboutWindowController::AboutWindowController(QObject* aboutWindow, QQmlEngine* engine, const QString& version,
                                             const QString& logo, const QString& acknowledgementsPath,
                                             const QString& versionIdentifier)
    : QmlController(aboutWindow, engine), acknowledgementsPath(acknowledgementsPath)
{
    if (aboutWindow == nullptr) {
        return;
    }
    connect(aboutWindow, SIGNAL(acknowledgementsClicked()), this, SLOT(AcknowledgementsClicked()));
    aboutWindow->setProperty("version", version);
    aboutWindow->setProperty("versionIdentifier", versionIdentifier);
    aboutWindow->setProperty("logoSource", logo);
}

AboutWindowController::~AboutWindowController() = default;

void AboutWindowController::AcknowledgementsClicked()
{
    acknowledgements = std::make_unique<AcknowledgementsWindowController>(QmlObject(), engine, acknowledgementsPath);
}

} // namespace vemo::qt
