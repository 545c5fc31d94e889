// The launcher of the process probe: the program's start-up and shutdown with a launcher whose first
// argument chooses how the run ends. It reports what it sees on standard output.
#include "app/musical_app.h"
#include "app/player_factory.h"

#include <fonexa/sfx_player.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QQmlApplicationEngine>
#include <QThread>
#include <QTimer>

#include <iostream>
#include <algorithm>
#include <memory>
#include <stdexcept>

namespace {

void Report(const std::string& line)
{
    std::cout << line << std::endl;
}

const char* YesNo(bool value)
{
    return value ? "yes" : "no";
}

// An object whose every event handler throws.
class Thrower : public QObject {
public:
    bool event(QEvent*) override { throw std::runtime_error("boom"); }
};

class ProbeLauncher : public QObject {
public:
    ProbeLauncher(QQmlApplicationEngine* engine, std::unique_ptr<vemo::PlayerFactory> factory, QObject* parent)
        : QObject(parent), engine(engine), factory(std::move(factory))
    {
        connect(engine, &QObject::destroyed, [] { Report("engine destroyed"); });
        connect(qApp, &QObject::destroyed, [] { Report("application destroyed"); });

        const QString mode = QCoreApplication::arguments().value(1);
        if (mode == "throw-at-start") {
            throw std::runtime_error("boom");
        }
        if (mode == "throw-in-loop") {
            QMetaObject::invokeMethod(this, [] { throw std::runtime_error("boom"); }, Qt::QueuedConnection);
        } else if (mode == "throw-in-start-up-event") {
            Thrower thrower;
            QEvent event(QEvent::User);
            QCoreApplication::sendEvent(&thrower, &event);
        } else if (mode == "throw-twice-in-loop") {
            QMetaObject::invokeMethod(this, [] { throw std::runtime_error("boom"); }, Qt::QueuedConnection);
            QMetaObject::invokeMethod(this, [] { throw std::logic_error("again"); }, Qt::QueuedConnection);
        } else if (mode == "throw-in-thread") {
            worker.start();
            auto* target = new QObject();
            target->moveToThread(&worker);
            connect(&worker, &QThread::finished, target, &QObject::deleteLater);
            QMetaObject::invokeMethod(target, [] { throw std::runtime_error("boom"); }, Qt::QueuedConnection);
        } else if (mode == "quit-through-engine") {
            QTimer::singleShot(0, engine, [engine] { emit engine->quit(); });
        }
    }

    ~ProbeLauncher() override
    {
        worker.quit();
        worker.wait();
        const auto journal = vemo::audio::testing::Journal();
        const bool effectsStopped = std::find(journal.begin(), journal.end(), "stop") != journal.end();
        Report(std::string("launcher destroyed; effects stopped: ") + YesNo(effectsStopped) +
               "; engine alive: " + YesNo(!engine.isNull()) +
               "; application alive: " + YesNo(QCoreApplication::instance() != nullptr));
    }

private:
    QPointer<QQmlApplicationEngine> engine;
    std::unique_ptr<vemo::PlayerFactory> factory;
    QThread worker;
};

} // namespace

std::unique_ptr<QObject> vemo::qt::NewLauncher(QQmlApplicationEngine* engine, std::unique_ptr<PlayerFactory> factory)
{
    return std::make_unique<ProbeLauncher>(engine, std::move(factory), nullptr);
}
