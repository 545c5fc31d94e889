#include "launcher_rig.h"

#include "app/tolbrin_player_factory.h"
#include "main_window_rig.h"

#include <osc_test_support.h>

#include <vemo_test/qml_engine.h>
#include <vemo_test/test_environment.h>

#include <QGuiApplication>
#include <QQuickWindow>
#include <QTimer>
#include <QtTest>

#include <string>

namespace vemo::testing {

QString TitleOf(const QWindow* window)
{
    return window->property("title").toString();
}

QQuickWindow* VisibleWindow(const QString& title)
{
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (window->isVisible() && TitleOf(window) == title)
            return qobject_cast<QQuickWindow*>(window);
    }
    return nullptr;
}

int WindowsTitled(const QString& title)
{
    int count = 0;
    for (QWindow* window : QGuiApplication::allWindows())
        count += TitleOf(window) == title ? 1 : 0;
    return count;
}

QString TextOf(const QString& title)
{
    const QQuickWindow* window = VisibleWindow(title);
    return window != nullptr ? window->property("text").toString() : QString();
}

bool CloseAndAnswer(QQuickWindow* mainWindow, const QString& answer)
{
    mainWindow->close();
    if (!QTest::qWaitFor([] { return VisibleWindow(kPromptTitle) != nullptr; }, 5000))
        return false;
    QQuickWindow* prompt = VisibleWindow(kPromptTitle);
    if (answer == "Escape") {
        if (!Activate(prompt))
            return false;
        QTest::keyClick(prompt, Qt::Key_Escape);
        return true;
    }
    if (answer == "title bar")
        return prompt->close();
    const char* button = answer == "Save and Close"         ? "okButton"
                         : answer == "Close Without Saving" ? "cancelButton"
                                                            : "negateButton";
    return QMetaObject::invokeMethod(Child(prompt, button), "clicked");
}

bool SaveOffered(QQuickWindow* mainWindow)
{
    QObject* save = Child(Child(mainWindow, "editBar"), "saveButton");
    return QTest::qWaitFor([save] { return save->property("enabled").toBool(); }, 5000);
}

int RunLoop(const std::function<void()>& steps, int settleMs)
{
    // Both timers die with this call, so that neither can end a later run.
    QTimer stillRunning;
    stillRunning.setSingleShot(true);
    QObject::connect(&stillRunning, &QTimer::timeout, [] { QCoreApplication::exit(kStillRunning); });
    QTimer start;
    start.setSingleShot(true);
    QObject::connect(&start, &QTimer::timeout, [&] {
        steps();
        // An exit the steps asked for ends the run as soon as they return, before this fires.
        stillRunning.start(settleMs);
    });
    start.start(0);
    return QCoreApplication::exec();
}

LauncherRig::LauncherRig()
{
    qunsetenv("VEMO_NO_DEMO");
    FreshDataHome();
}

LauncherRig::~LauncherRig()
{
    Stop();
}

void LauncherRig::FreshDataHome()
{
    static int counter = 0;
    dataHome = TestRoot() / ("home" + std::to_string(++counter));
    std::filesystem::create_directories(dataHome);
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dataHome.string()));
    // Tests run side by side: each listens on a port of its own, never on the default one.
    std::filesystem::create_directories(DataDirectory());
    WriteOscListenPort(vemo::osc::testing::FreeUdpPort());
}

void LauncherRig::Start()
{
    Stop();
    engine = std::make_unique<QQmlApplicationEngine>();
    PrepareQmlEngine(*engine);
    launcher = std::make_unique<vemo::qt::Launcher>(engine.get(), std::make_unique<vemo::qt::TolbrinPlayerFactory>(),
                                                    nullptr);
}

void LauncherRig::Stop()
{
    launcher.reset();
    DeliverDeferredDeletes();
    engine.reset();
}

QQuickWindow* LauncherRig::StartAndSettle()
{
    const bool firstStart = !std::filesystem::exists(ShowFolder());
    Start();
    if (!QTest::qWaitFor([] { return VisibleWindow(kMainTitle) != nullptr; }, 20000))
        return nullptr;
    if (firstStart) {
        if (!QTest::qWaitFor([] { return VisibleWindow("Files Were Updated") != nullptr; }, 5000))
            return nullptr;
        VisibleWindow("Files Were Updated")->close();
    }
    return VisibleWindow(kMainTitle);
}

std::filesystem::path LauncherRig::ShowFolder() const
{
    return dataHome / "tolbrin" / "shows" / kShowId;
}

std::filesystem::path LauncherRig::ServiceFolder() const
{
    return dataHome / "vemo_webservice";
}

} // namespace vemo::testing
