#pragma once

#include "app/qml_controller.h"

class QQmlEngine;

namespace vemo::qt {

// Drives the native menu bar document (VemoMenuBar.qml), which it creates and owns. The program
// itself never makes one: a responsive menu controller serves it when handed one.
class VemoMenuBarController : public QmlController {
    Q_OBJECT
    Q_PROPERTY(bool sfxPermissions READ sfxPermissions WRITE setSfxPermissions NOTIFY sfxPermissionsChanged)

public:
    explicit VemoMenuBarController(QQmlEngine* engine);

    bool sfxPermissions() const { return sfx; }
    // Stores the flag, hands it to the document, then announces it.
    void setSfxPermissions(bool permissions);

signals:
    void sfxPermissionsChanged(bool permissions);
    void getLatestChangelogClicked();

private:
    bool sfx = false;
};

} // namespace vemo::qt
