#pragma once

#include "app/qml_controller.h"

#include <QString>

#include <memory>
#include <string>

class QQmlEngine;

namespace vemo {
class AppSettings;
}

namespace vemo::qt {

// Creates, fills and shows one error, warning or information dialog. With the "Do not show again"
// check box the user's choice is kept per dialog id in the general settings, and a dialog the user
// chose not to see again is created hidden.
class DialogController : public QmlController {
    Q_OBJECT

public:
    DialogController(const std::string& message, const std::string& title, int type, QObject* parent,
                     QQmlEngine* engine);
    DialogController(const std::string& message, const std::string& title, int type, QObject* parent,
                     QQmlEngine* engine, std::shared_ptr<AppSettings> settings, bool showCheckbox,
                     const std::string& dialogId);
    ~DialogController() override;

public slots:
    void onCheckboxConfirmed();

private:
    std::shared_ptr<AppSettings> settings;
    QString dialogId;
};

} // namespace vemo::qt
