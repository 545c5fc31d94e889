#pragma once

#include "edit_rig.h"

#include "editing/edit_tool_controller.h"

namespace edittest {

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
