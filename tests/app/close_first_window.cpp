// Linked into a test build of the program: once the event loop runs, it closes the program's first
// visible window the way a user would, and reports its title on standard output. Qt's own quit on
// the last window's close is turned off, so the run ends only if the program ends it itself; if it
// is still running a few seconds after the close, it says so and ends with 3.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

#include <iostream>

namespace {

void CloseFirstVisibleWindow()
{
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->isVisible()) {
            std::cout << "closing window \"" << window->title().toStdString() << "\"" << std::endl;
            window->close();
            QTimer::singleShot(5000, [] {
                std::cout << "still running after the window closed" << std::endl;
                QCoreApplication::exit(3);
            });
            return;
        }
    }
    std::cout << "no visible window" << std::endl;
    QCoreApplication::exit(2);
}

void ScheduleClosing()
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QTimer::singleShot(0, &CloseFirstVisibleWindow);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(ScheduleClosing)
