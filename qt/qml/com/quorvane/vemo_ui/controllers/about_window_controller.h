#pragma once

#include "app/qml_controller.h"
#include "vemo_ui/controllers/acknowledgements_window_controller.h"

#include <QString>

#include <memory>

class QQmlEngine;

namespace vemo::qt {

// Fills the menu's About window once with the version texts and the logo, and opens a freshly loaded
// acknowledgements window on each request, keeping at most one. The About item is not owned.
class AboutWindowController : public QmlController {
    Q_OBJECT

public:
    AboutWindowController(QObject* aboutWindow, QQmlEngine* engine, const QString& version, const QString& logo,
                          const QString& acknowledgementsPath, const QString& versionIdentifier);
    ~AboutWindowController() override;

public slots:
    void AcknowledgementsClicked();

private:
    std::unique_ptr<AcknowledgementsWindowController> acknowledgements;
    QString acknowledgementsPath;
};

} // namespace vemo::qt
