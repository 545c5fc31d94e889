#pragma once

// The four range tools with a whole-number value, driven the way the main window drives them:
// created, opened through their slot, connected, and released with deleteLater once they announce
// their closing.
//
//     const auto& kind = intvalue::Kind("Vamp");
//     auto* tool = kind.make(rig);
//     kind.openNew(tool, start, end);
//     tool->ConnectDocument();

#include "edit_rig.h"
#include "test_tool.h"

#include "editing/edit_tool_controller.h"

#include <vemo_core/vemo_event.h>

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace intvalue {

struct ToolKind {
    QString name;                // "Vamp"
    UInt8 code = 0;
    QString newTitle;
    QString editTitle;
    bool idShown = false;
    QString defaultText;          // the window's `value` for a new event ("" for the click picker)
    std::function<vemo::qt::EditToolController*(edittest::EditRig&)> make;
    std::function<void(vemo::qt::EditToolController*, const TL::BarsBeats&, const TL::BarsBeats&)> openNew;
    std::function<void(vemo::qt::EditToolController*, cmn::VemoEvent*)> openEdit;
    std::function<std::unique_ptr<cmn::VemoEvent>(UInt32, UInt32, std::string, int)> event;
    const char* closingSignal = nullptr; // SIGNAL() text of the controller's closing signal
};

const std::vector<ToolKind>& Kinds();
const ToolKind& Kind(const QString& name);

} // namespace intvalue
