#pragma once

#include "edit_rig.h"

#include "editing/edit_tool_controller.h"

#include <QString>

class QQuickWindow;

namespace edittest {

// Any tool's window descendant with this object name; null without one.
QObject* ToolChild(vemo::qt::EditToolController* tool, const char* name);
// OK on a tool window, as its button does.
void Confirm(QObject* window);
// Makes the tool's window the active one, so that keys reach its focused item; null when it
// never becomes active.
QQuickWindow* ShownActive(vemo::qt::EditToolController* tool);
// Closes an active tool window one way: "ok" or "cancel" (its buttons), "return" or "escape"
// (keys), anything else by the title bar.
void CloseWindow(vemo::qt::EditToolController* tool, QQuickWindow* window, const QString& how);
// Releases an open tool as the main window does (deleteLater) and delivers the tool's deferred
// delete, then its window's. True when the window went with it and the application is back to
// `windowsBefore` windows.
bool ReleasedWithItsWindow(vemo::qt::EditToolController* tool, qsizetype windowsBefore);

// A tool on the base alone, over InShiftTestTool.qml, with the base's helpers made public. Its
// AfterBarBeatChanged applies the in-shift limits, as the point tools with an in-shift do.
class TestTool : public vemo::qt::EditToolController {
    Q_OBJECT

public:
    // `controller` null: a tool without an edit controller.
    TestTool(EditRig& rig, char code, vemo::qt::EditController* controller);

    void ConnectDocument() override;
    void AfterBarBeatChanged() override;

    using EditToolController::ApplyChange;
    using EditToolController::ApplyInShiftLimits;
    using EditToolController::BarRowOf;
    using EditToolController::OpenForEdit;
    using EditToolController::OpenForNew;
    using EditToolController::RequestTicks;
    using EditToolController::SetBarInputs;
    using EditToolController::SetBeatInputs;
    using EditToolController::SetInShiftMin;
    using EditToolController::SetIntValue;
    using EditToolController::SetMinStartTick;
    using EditToolController::SetSfxProperties;
    using EditToolController::SetStrValue;
    using EditToolController::WindowChild;

    QObject* Window() { return QmlObject(); }
    QVariant WindowValue(const char* name) { return Window()->property(name); }

    int afterBarBeatChanges = 0;
};

} // namespace edittest
