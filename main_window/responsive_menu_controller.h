#pragma once

#include "app/qml_controller.h"
#include "main_window/vemo_menu_bar_controller.h"

#include <QString>

#include <memory>

class QQmlEngine;

namespace vemo::qt {

// Drives the main window's menu (ResponsiveMenu.qml, an item of the main document, wrapped and
// not owned): gives it the product's settings and turns its commands into signals for the main
// window controller. It may also serve a native menu bar beside it, which it then owns.
class ResponsiveMenuController : public QmlController {
    Q_OBJECT

public:
    ResponsiveMenuController(bool showAudioManager, const QString& appName, QObject* menuItem, QQmlEngine* engine,
                             bool oscEnabled);
    ~ResponsiveMenuController() override;

    // Serves `companion` from now on: hands it the menu's sound-effect permission and relays its
    // commands as this controller's. A companion held before is destroyed.
    void SetMenuBarCompanion(std::unique_ptr<VemoMenuBarController> companion);

signals:
    void midiCommandsClicked();
    void oscManagerClicked();
    void audioManagerClicked();
    void PlayPauseRequested();
    void StopRequested();
    void ContinuePlayRequested();
    void SeekNextMarkerRequested();
    void SeekPrevMarkerRequested();
    void SeekNextBarRequested();
    void SeekPrevBarRequested();
    void ZoomInRequested();
    void ZoomOutRequested();
    void DeleteRequested();
    void UndoRequested();
    void RedoRequested();
    void sfxManagerClicked();
    void getLatestChangelogClicked();
    void saveRequested();
    void shareRequested();
    void selectAllRequested();
    // Raised only by a menu bar companion; the menu's own entries reach the main document.
    void JumpToBarStartRequested();
    void ViewPastLogsRequested();

public slots:
    // Opens the About window the menu holds.
    void AboutClicked_();
    // The companion's document first, then the menu.
    void UpdateUndoRedoState(bool canUndo, bool canRedo, bool canSave, bool canShare);
    // The companion's only: the menu takes the edit permission through its document function.
    void SetAdminPermission(bool admin);
    // The companion's only: the menu's own flag follows the main document's property.
    void SetSfxPermission(bool sfx);

private:
    QString appName;
    std::unique_ptr<VemoMenuBarController> menuBar;
};

} // namespace vemo::qt
