// Linked into both programs the start-up benchmark starts: when the first window whose title begins
// with FIRST_FRAME_TITLE has swapped its first frame, it prints "first-frame <ns> <kB>" (the monotonic
// clock's time and the process's resident set, VmRSS, at that moment) on standard output and ends the
// run.
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QQuickWindow>

#include <atomic>
#include <ctime>
#include <fstream>
#include <iostream>
#include <string>

namespace {

long long MonotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

long long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stoll(line.substr(6));
    }
    return -1;
}

// Watches the windows' expose events and hooks the first matching window's frameSwapped, which the
// render thread emits.
class FirstFrameReporter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && !hooked) {
            auto* window = qobject_cast<QQuickWindow*>(watched);
            if (window != nullptr && window->title().startsWith(FIRST_FRAME_TITLE)) {
                hooked = true;
                connect(window, &QQuickWindow::frameSwapped, this, &FirstFrameReporter::Report, Qt::DirectConnection);
            }
        }
        return false;
    }

private:
    void Report()
    {
        if (reported.test_and_set())
            return;
        const long long at = MonotonicNanoseconds();
        std::cout << "first-frame " << at << " " << ResidentKilobytes() << std::endl;
        QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }

    bool hooked = false;
    std::atomic_flag reported = ATOMIC_FLAG_INIT;
};

void InstallReporter()
{
    auto* reporter = new FirstFrameReporter();
    reporter->setParent(qApp);
    qApp->installEventFilter(reporter);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallReporter)
