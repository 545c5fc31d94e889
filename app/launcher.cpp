#include "app/launcher.h"

#include "app/musical_app.h"

#include <vemo_demo_show/install.h>

#include <QCoreApplication>

namespace vemo::qt {

std::unique_ptr<QObject> NewLauncher(QQmlApplicationEngine* engine, std::unique_ptr<PlayerFactory> factory)
{
    return std::make_unique<Launcher>(engine, std::move(factory), nullptr);
}

Launcher::Launcher(QQmlApplicationEngine*, std::unique_ptr<PlayerFactory> factory, QObject* parent)
    : QObject(parent), factory(std::move(factory))
{
    vemo::demo::InstallIfNoCurrentShow(this->factory->GenericDataDirectory());

    window = std::make_unique<QQuickWindow>();
    window->setTitle(this->factory->displayName);
    window->resize(1280, 800);
    connect(window.get(), SIGNAL(closing(QQuickCloseEvent*)), this, SLOT(CloseApp()));
    window->show();
}

Launcher::~Launcher() = default;

void Launcher::CloseApp()
{
    QCoreApplication::exit(0);
}

} // namespace vemo::qt
