#include "vemo_ui/controllers/input_dialog_controller.h"

#include "vemo_ui/controllers/dialog_type.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlError>
#include <QUrl>

#include <iostream>

namespace vemo::qt {
namespace {

void PrintErrors(const QQmlComponent& component)
{
    for (const QQmlError& error : component.errors()) {
        std::cerr << error.toString().toStdString() << "\n";
    }
    std::cerr.flush();
}

} // namespace

InputDialogController::InputDialogController(const std::string& message, const std::string& title, int type,
                                             QObject* parent, QQmlEngine* engine, Callback callback,
                                             bool showConfirmation)
    : QObject(parent)
{
    if (engine == nullptr) {
        std::cerr << "Failed to create the input window: no QML engine" << std::endl;
        return;
    }
    QQmlComponent component(engine, QUrl("qrc:/qt/qml/com/quorvane/vemo_ui/qml/FlatInputWindow.qml"));
    if (component.isError()) {
        PrintErrors(component);
        return;
    }
    window = component.createWithInitialProperties({{"showConfirmation", showConfirmation}}, engine->rootContext());
    if (!window) {
        PrintErrors(component);
        return;
    }
    window->setProperty("title", QString::fromStdString(title));
    window->setProperty("text", QString::fromStdString(message));
    window->setProperty("type", DialogTypeName(type));
    connect(window, SIGNAL(accepted()), this, SLOT(accepted()));
    this->callback = std::move(callback);
    window->setProperty("visible", true);
}

InputDialogController::~InputDialogController() = default;

void InputDialogController::accepted()
{
    if (!window || !callback) {
        return;
    }
    callback(window->property("value").toString().toStdString());
}

void InputDialogController::SetConfirmationPreamble(const QString& preamble)
{
    SetDialogProperty("confirmationPreamble", preamble);
}

void InputDialogController::SetDialogProperty(const QString& name, const QVariant& value)
{
    if (window) {
        window->setProperty(name.toUtf8().constData(), value);
    }
}

QObject* InputDialogController::QmlObject()
{
    return window;
}

} // namespace vemo::qt
