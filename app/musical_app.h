#pragma once

#include "app/crash_log_writer.h"

#include <QObject>

#include <memory>

class QGuiApplication;
class QQmlApplicationEngine;

namespace vemo {
class PlayerFactory;
} // namespace vemo

namespace vemo::qt {

// The application object. Its constructor performs the whole start-up, runs the Qt event loop and
// returns when the loop has ended or start-up failed; an exception that escapes is written to the crash
// log. The owner then releases the launcher, the engine and the application, in that order.
class MusicalApp : public QObject {
public:
    MusicalApp(int argc, char** argv, std::unique_ptr<PlayerFactory> factory);
    ~MusicalApp() override;

    void DeleteLauncher();
    void DeleteEngine();
    void DeleteApplication();

    // 1 when an exception reached the crash log during this run, otherwise 0.
    int ExitCode() const;

private:
    void Run(char** argv, std::unique_ptr<PlayerFactory> factory);

    CrashLogWriter crashLog;
    // QGuiApplication keeps a reference to the argument count for its whole life.
    int argumentCount;
    std::unique_ptr<QGuiApplication> application;
    std::unique_ptr<QQmlApplicationEngine> engine;
    std::unique_ptr<QObject> launcher;
};

// Qt runs no deferred deletion once exec() has returned: after the launcher is gone this delivers the
// documents that its controllers released, so that they die before their engine.
void DeliverDeferredDeletes();

// The launcher of a run, made at the end of start-up (the program links its Launcher; a process test
// links one of its own).
std::unique_ptr<QObject> NewLauncher(QQmlApplicationEngine* engine, std::unique_ptr<PlayerFactory> factory);

} // namespace vemo::qt
