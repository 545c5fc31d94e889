#include "main_window/unsaved_changes_prompt.h"

namespace vemo::qt {
namespace {
constexpr int kWarning = 1;
}

UnsavedChangesPrompt::UnsavedChangesPrompt(QQmlEngine* engine, const std::string& message, const QString& acceptText,
                                           const QString& cancelText)
    : controller(message, "Unsaved Changes", kWarning, nullptr, engine, {}, false), window(controller.QmlObject())
{
    controller.SetConfirmationPreamble("Unsaved Changes Detected:");
    controller.SetDialogProperty("acceptButtonText", acceptText);
    controller.SetDialogProperty("cancelButtonText", cancelText);
    controller.SetDialogProperty("negateButtonText", "Cancel");
    controller.SetDialogProperty("showNegateButton", true);
    controller.SetDialogProperty("showInputField", false);
    controller.SetDialogProperty("visible", true);
    if (!window)
        return;
    for (const char* answer : {SIGNAL(accepted()), SIGNAL(cancelled()), SIGNAL(negated())}) {
        connect(window, answer, window, SLOT(deleteLater()));
        connect(window, answer, this, answer);
    }
}

UnsavedChangesPrompt::~UnsavedChangesPrompt()
{
    if (window)
        window->deleteLater();
}

} // namespace vemo::qt
