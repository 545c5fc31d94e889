#pragma once

// The program's real launcher in the test's own process: the engine set up as the application object
// sets up its own, on a fresh data folder where the launcher installs the demo show and its web
// service; windows found by their titles, runs of the event loop ended as the program ends them.

#include "app/launcher.h"

#include <QQmlApplicationEngine>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>

class QQuickWindow;
class QWindow;

namespace vemo::testing {

inline const QString kMainTitle = "Tol|brin - The Lantern Keeper - Riverside Community Players";
inline constexpr const char* kShowId = "the-lantern-keeper";
inline constexpr const char* kCredential = "demo-lantern-keeper";
inline const QString kPromptTitle = "Unsaved Changes";
// What RunLoop returns when nothing ended the run.
inline constexpr int kStillRunning = 99;

// A window's "title" property: a dialog's names its heading.
QString TitleOf(const QWindow* window);
QQuickWindow* VisibleWindow(const QString& title);
int WindowsTitled(const QString& title);
// A shown window's text, for dialogs and prompts.
QString TextOf(const QString& title);

// Asks the main window to close and gives the "Unsaved Changes" prompt this answer as a user would:
// a button's text, "Escape" or "title bar" (its close button). False when no prompt showed.
bool CloseAndAnswer(QQuickWindow* mainWindow, const QString& answer);
// Whether the main window's editor bar offers to save within a few seconds.
bool SaveOffered(QQuickWindow* mainWindow);

// Runs the event loop with `steps` run inside it, and returns what exec() returns: the program's
// exit code, or kStillRunning when the run was still going `settleMs` after the steps.
int RunLoop(const std::function<void()>& steps, int settleMs = 300);

struct LauncherRig {
    LauncherRig();
    ~LauncherRig();
    LauncherRig(const LauncherRig&) = delete;
    LauncherRig& operator=(const LauncherRig&) = delete;

    // A fresh data folder, as on a machine where the program never ran, but for the OSC settings.
    void FreshDataHome();
    // The engine as the application object makes it, then the launcher; a run still going is
    // stopped first.
    void Start();
    void Stop();
    // Starts; on a fresh folder waits for the first download and dismisses "Files Were Updated".
    // Returns the main window, or null when it did not open.
    QQuickWindow* StartAndSettle();

    std::filesystem::path ShowFolder() const;
    // The web service the launcher installed with the demo show.
    std::filesystem::path ServiceFolder() const;

    std::filesystem::path dataHome;
    std::unique_ptr<QQmlApplicationEngine> engine;
    std::unique_ptr<vemo::qt::Launcher> launcher;
};

} // namespace vemo::testing
