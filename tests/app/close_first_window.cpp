// Linked into a test build of the program: once the event loop runs, it closes the program's first
// visible window the way a user would, and reports its title on standard output.
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
            return;
        }
    }
    std::cout << "no visible window" << std::endl;
    QCoreApplication::exit(2);
}

void ScheduleClosing()
{
    QTimer::singleShot(0, &CloseFirstVisibleWindow);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(ScheduleClosing)
