#include "app/musical_app.h"

#include "app/console_switch.h"
#include "app/player_factory.h"

#include <fonexa/sfx_player.h>
#include <vemo_core/types.h>

#include <QGuiApplication>
#include <QMetaObject>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QThread>

#include <exception>
#include <utility>

// The shared icon bundle ":/images/" is compiled into a static library; register it explicitly. Resource
// registration has to happen outside any namespace.
static void RegisterImageBundle()
{
    Q_INIT_RESOURCE(vemo_images);
}

namespace vemo::qt {
namespace {

// Qt does not let exceptions pass through its event dispatch: a std::exception thrown by an event
// handler or a queued call is written to the crash log here and ends the run with exit code 1.
class GuardedApplication : public QGuiApplication {
public:
    GuardedApplication(int& argc, char** argv, CrashLogWriter& crashLog)
        : QGuiApplication(argc, argv), crashLog(crashLog)
    {
    }

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QGuiApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            crashLog.Write(e);
            // Another thread, or start-up before the loop runs: the exit waits for the GUI thread's loop.
            if (QThread::currentThread() == thread() && thread()->loopLevel() > 0) {
                QCoreApplication::exit(1);
            } else {
                QMetaObject::invokeMethod(this, [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
            }
            return false;
        }
    }

private:
    CrashLogWriter& crashLog;
};

// Qt Quick sizes the shared texture of small images from the screen: 2048 x 1024 pixels (8 MB) on
// a full-HD one. The program's icons and album art fit in a 512 x 512 one; larger images get
// textures of their own either way. A size given in the environment stays.
void LimitImageAtlas()
{
    if (qEnvironmentVariableIsSet("QSG_ATLAS_WIDTH") || qEnvironmentVariableIsSet("QSG_ATLAS_HEIGHT"))
        return;
    qputenv("QSG_ATLAS_WIDTH", "512");
    qputenv("QSG_ATLAS_HEIGHT", "512");
}

} // namespace

MusicalApp::MusicalApp(int argc, char** argv, std::unique_ptr<PlayerFactory> factory)
    : QObject(nullptr), argumentCount(argc)
{
    RegisterImageBundle();
    // Standard output and error already reach the terminal that started the program, so the console
    // switch needs no console of its own; it is recognised and otherwise ignored.
    static_cast<void>(ConsoleSwitchIndex(argc, argv));
    try {
        Run(argv, std::move(factory));
    } catch (const std::exception& e) {
        crashLog.Write(e);
    }
}

void MusicalApp::Run(char** argv, std::unique_ptr<PlayerFactory> factory)
{
    const QString version = factory->Version() + " - " + factory->BuildTag();
    const std::string applicationName = factory->displayName.toStdString();
    crashLog.SetProduct(applicationName, version.toStdString());
    crashLog.SetDirectory(factory->GenericDataDirectory());

    std::unique_ptr<vemo::audio::SfxRepository> effectRepository =
        std::make_unique<vemo::audio::ChangeLogSfxRepository>();
    auto effects = std::make_unique<vemo::audio::SfxPlayerController>(effectRepository);

    QQuickStyle::setStyle("Basic");
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    LimitImageAtlas();
    application = std::make_unique<GuardedApplication>(argumentCount, argv, crashLog);
    vemo::core::RegisterQtMetaTypes();

    engine = std::make_unique<QQmlApplicationEngine>();
    QObject::connect(engine.get(), &QQmlEngine::quit, engine.get(), &QCoreApplication::quit, Qt::DirectConnection);
    engine->addImportPath("qrc:/qt/qml");

    launcher = NewLauncher(engine.get(), std::move(factory));
    QGuiApplication::exec();

    effects.reset();
    effectRepository.reset();
}

MusicalApp::~MusicalApp()
{
    DeleteLauncher();
    DeliverDeferredDeletes();
    DeleteEngine();
    DeleteApplication();
}

void MusicalApp::DeleteLauncher()
{
    launcher.reset();
}

void MusicalApp::DeleteEngine()
{
    engine.reset();
}

void MusicalApp::DeleteApplication()
{
    application.reset();
}

void DeliverDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int MusicalApp::ExitCode() const
{
    return crashLog.ExceptionCaught() ? 1 : 0;
}

} // namespace vemo::qt
