#pragma once

#include "app/player_factory.h"

#include <QObject>
#include <QQuickWindow>

#include <memory>

class QQmlApplicationEngine;

namespace vemo::qt {

// Start-up of the program: makes sure the data directory exists, installs the bundled demo show when
// there is no current show yet, and opens the program's window. Closing that window ends the run.
class Launcher : public QObject {
    Q_OBJECT

public:
    Launcher(QQmlApplicationEngine* engine, std::unique_ptr<PlayerFactory> factory, QObject* parent);
    ~Launcher() override;

public slots:
    void CloseApp();

private:
    std::unique_ptr<PlayerFactory> factory;
    std::unique_ptr<QQuickWindow> window;
};

} // namespace vemo::qt
