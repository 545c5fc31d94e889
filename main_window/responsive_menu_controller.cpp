#include "main_window/responsive_menu_controller.h"

#include <QMetaObject>
#include <QVariant>

#include <utility>

namespace vemo::qt {

namespace {

struct Relay {
    const char* from;
    const char* to;
};

// String-based connections of the automatic type; Qt reports a signature that does not exist.
template<std::size_t N>
void Connect(QObject* document, QObject* controller, const Relay (&relays)[N])
{
    if (document == nullptr)
        return;
    for (const Relay& relay : relays)
        QObject::connect(document, relay.from, controller, relay.to);
}

void SetFlags(QObject* document, bool canUndo, bool canRedo, bool canSave, bool canShare)
{
    if (document == nullptr)
        return;
    document->setProperty("canUndo", canUndo);
    document->setProperty("canRedo", canRedo);
    document->setProperty("canSave", canSave);
    document->setProperty("canShare", canShare);
}

} // namespace

ResponsiveMenuController::ResponsiveMenuController(bool showAudioManager, const QString& name, QObject* menuItem,
                                                   QQmlEngine* engine, bool oscEnabled)
    : QmlController(menuItem, engine), appName(name)
{
    QObject* menu = QmlObject();
    if (menu != nullptr) {
        menu->setProperty("showAudioManager", showAudioManager);
        menu->setProperty("oscEnabled", oscEnabled);
        menu->setProperty("appName", appName);
    }
    static const Relay relays[] = {
        {SIGNAL(aboutClicked()), SLOT(AboutClicked_())},
        {SIGNAL(midiCommandsClicked()), SIGNAL(midiCommandsClicked())},
        {SIGNAL(oscManagerClicked()), SIGNAL(oscManagerClicked())},
        {SIGNAL(audioManagerClicked()), SIGNAL(audioManagerClicked())},
        {SIGNAL(playPause()), SIGNAL(PlayPauseRequested())},
        {SIGNAL(stop()), SIGNAL(StopRequested())},
        {SIGNAL(continuePlay()), SIGNAL(ContinuePlayRequested())},
        {SIGNAL(nextMarker()), SIGNAL(SeekNextMarkerRequested())},
        {SIGNAL(previousMarker()), SIGNAL(SeekPrevMarkerRequested())},
        {SIGNAL(nextBar()), SIGNAL(SeekNextBarRequested())},
        {SIGNAL(previousBar()), SIGNAL(SeekPrevBarRequested())},
        {SIGNAL(zoomIn()), SIGNAL(ZoomInRequested())},
        {SIGNAL(zoomOut()), SIGNAL(ZoomOutRequested())},
        {SIGNAL(deleteSelected()), SIGNAL(DeleteRequested())},
        {SIGNAL(undo()), SIGNAL(UndoRequested())},
        {SIGNAL(redo()), SIGNAL(RedoRequested())},
        {SIGNAL(sfxManagerClicked()), SIGNAL(sfxManagerClicked())},
        {SIGNAL(getLatestLogClicked()), SIGNAL(getLatestChangelogClicked())},
        {SIGNAL(saveClicked()), SIGNAL(saveRequested())},
        {SIGNAL(shareClicked()), SIGNAL(shareRequested())},
        {SIGNAL(selectAll()), SIGNAL(selectAllRequested())},
    };
    Connect(menu, this, relays);
}

ResponsiveMenuController::~ResponsiveMenuController() = default;

void ResponsiveMenuController::SetMenuBarCompanion(std::unique_ptr<VemoMenuBarController> companion)
{
    menuBar = std::move(companion);
    if (!menuBar)
        return;
    if (QObject* menu = QmlObject())
        menuBar->setProperty("sfxPermissions", menu->property("sfxPermissions"));
    static const Relay relays[] = {
        {SIGNAL(midiCommandsClicked()), SIGNAL(midiCommandsClicked())},
        {SIGNAL(oscManagerClicked()), SIGNAL(oscManagerClicked())},
        {SIGNAL(audioManagerClicked()), SIGNAL(audioManagerClicked())},
        {SIGNAL(aboutClicked()), SLOT(AboutClicked_())},
        {SIGNAL(undoClicked()), SIGNAL(UndoRequested())},
        {SIGNAL(redoClicked()), SIGNAL(RedoRequested())},
        {SIGNAL(deleteClicked()), SIGNAL(DeleteRequested())},
        {SIGNAL(playPauseClicked()), SIGNAL(PlayPauseRequested())},
        {SIGNAL(stopClicked()), SIGNAL(StopRequested())},
        {SIGNAL(continuePlayClicked()), SIGNAL(ContinuePlayRequested())},
        {SIGNAL(jumpToBarClicked()), SIGNAL(JumpToBarStartRequested())},
        {SIGNAL(nextMarkerClicked()), SIGNAL(SeekNextMarkerRequested())},
        {SIGNAL(prevMarkerClicked()), SIGNAL(SeekPrevMarkerRequested())},
        {SIGNAL(nextBarClicked()), SIGNAL(SeekNextBarRequested())},
        {SIGNAL(prevBarClicked()), SIGNAL(SeekPrevBarRequested())},
        {SIGNAL(viewPastLogsClicked()), SIGNAL(ViewPastLogsRequested())},
        {SIGNAL(zoomInClicked()), SIGNAL(ZoomInRequested())},
        {SIGNAL(zoomOutClicked()), SIGNAL(ZoomOutRequested())},
        {SIGNAL(sfxManagerClicked()), SIGNAL(sfxManagerClicked())},
        {SIGNAL(getLatestLogClicked()), SIGNAL(getLatestChangelogClicked())},
        {SIGNAL(saveClicked()), SIGNAL(saveRequested())},
        {SIGNAL(shareClicked()), SIGNAL(shareRequested())},
        {SIGNAL(selectAllClicked()), SIGNAL(selectAllRequested())},
    };
    Connect(menuBar->QmlObject(), this, relays);
}

void ResponsiveMenuController::AboutClicked_()
{
    QObject* menu = QmlObject();
    QObject* about = menu != nullptr ? menu->property("aboutWindow").value<QObject*>() : nullptr;
    if (about != nullptr)
        QMetaObject::invokeMethod(about, "open");
}

void ResponsiveMenuController::UpdateUndoRedoState(bool canUndo, bool canRedo, bool canSave, bool canShare)
{
    if (menuBar)
        SetFlags(menuBar->QmlObject(), canUndo, canRedo, canSave, canShare);
    SetFlags(QmlObject(), canUndo, canRedo, canSave, canShare);
}

void ResponsiveMenuController::SetAdminPermission(bool admin)
{
    if (menuBar && menuBar->QmlObject() != nullptr)
        menuBar->QmlObject()->setProperty("isAdmin", admin);
}

void ResponsiveMenuController::SetSfxPermission(bool sfx)
{
    if (menuBar)
        menuBar->setSfxPermissions(sfx);
}

} // namespace vemo::qt
