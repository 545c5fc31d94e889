#include "vemo_ui/controllers/dialog_controller.h"

#include "app/app_settings.h"
#include "vemo_ui/controllers/dialog_type.h"

#include <QUrl>
#include <QVariantMap>

namespace vemo::qt {

DialogController::DialogController(const std::string& message, const std::string& title, int type,
                                   QObject* parent, QQmlEngine* engine)
    : DialogController(message, title, type, parent, engine, nullptr, false, std::string())
{
}

DialogController::DialogController(const std::string& message, const std::string& title, int type,
                                   QObject* parent, QQmlEngine* engine, std::shared_ptr<AppSettings> settings,
                                   bool showCheckbox, const std::string& dialogId)
    : QmlController(engine, QUrl("qrc:/qt/qml/com/quorvane/vemo_ui/qml/FlatDialogWindow.qml"), parent, true,
                    QVariantMap{{"title", QString::fromStdString(title)}, {"text", QString::fromStdString(message)}}),
      settings(std::move(settings)),
      dialogId(QString::fromStdString(dialogId))
{
    QObject* window = QmlObject();
    if (window == nullptr) {
        return;
    }
    window->setProperty("type", DialogTypeName(type));
    if (!showCheckbox) {
        window->setProperty("visible", true);
        return;
    }
    connect(window, SIGNAL(checkboxConfirmed()), this, SLOT(onCheckboxConfirmed()));
    if (this->settings == nullptr || this->settings->DialogShow(this->dialogId)) {
        window->setProperty("showCheckbox", true);
        window->setProperty("visible", true);
    }
}

DialogController::~DialogController() = default;

void DialogController::onCheckboxConfirmed()
{
    if (settings != nullptr) {
        settings->SetDialogShow(dialogId, false);
    }
}

} // namespace vemo::qt
