#pragma once

#include "vemo_ui/controllers/input_dialog_controller.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <string>

class QQmlEngine;

namespace vemo::qt {

// What the main window asks before it quits with unsaved edits.
inline constexpr const char* kQuitWithUnsavedChanges =
    "You have unsaved changes.  If you quit now, they will be lost forever.";
// What the main window asks before another event-log version replaces unsaved edits.
inline constexpr const char* kSwitchWithUnsavedChanges =
    "You have unsaved changes.  If you switch to another event log version now, they will be lost.";

// The warning "Unsaved Changes" with the preamble "Unsaved Changes Detected:", no input field and
// three answers: `acceptText` raises the window's accepted(), `cancelText` its cancelled(), and
// "Cancel" (also Escape and the title bar's close) its negated(); the prompt raises the same
// signals after the window's. Shown on construction. The window releases itself (deleteLater) on
// whichever answer, before any connection made later to it or to the prompt runs; a window still
// open when the prompt goes is released with it.
class UnsavedChangesPrompt : public QObject {
    Q_OBJECT

public:
    UnsavedChangesPrompt(QQmlEngine* engine, const std::string& message, const QString& acceptText,
                         const QString& cancelText);
    ~UnsavedChangesPrompt() override;
    UnsavedChangesPrompt(const UnsavedChangesPrompt&) = delete;
    UnsavedChangesPrompt& operator=(const UnsavedChangesPrompt&) = delete;

    // The prompt's window, or null once it has gone (or when its document could not be made).
    QObject* Window() const { return window; }

signals:
    void accepted();
    void cancelled();
    void negated();

private:
    InputDialogController controller;
    QPointer<QObject> window;
};

} // namespace vemo::qt
