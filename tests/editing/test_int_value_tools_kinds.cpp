#include "test_int_value_tools_kinds.h"

#include "editing/click_tool_controller.h"
#include "editing/int_value_tools.h"

#include <vemo_core/codes.h>
#include <vemo_core/events.h>


#include <algorithm>
#include <stdexcept>

namespace intvalue {

namespace {

using vemo::qt::EditToolController;

template <class Tool>
std::function<EditToolController*(edittest::EditRig&)> Maker(const char* closing)
{
    return [closing](edittest::EditRig& rig) -> EditToolController* {
        auto* tool = new Tool(rig.qml.get(), rig.engine, rig.controller.get(), nullptr);
        QObject::connect(tool, closing, tool, SLOT(deleteLater()));
        return tool;
    };
}

template <class Event>
std::unique_ptr<cmn::VemoEvent> Make(UInt32 start, UInt32 end, std::string id, int value)
{
    return std::make_unique<Event>(start, end, std::move(id), value);
}

} // namespace

const std::vector<ToolKind>& Kinds()
{
    using vemo::qt::ClickToolController;
    using vemo::qt::RepeatToolController;
    using vemo::qt::TransposeToolController;
    using vemo::qt::VampToolController;
    static const std::vector<ToolKind> kinds = {
        {"Vamp", codes::kVamp, "Create Vamp", "Edit Vamp", true, "∞",
         Maker<VampToolController>(SIGNAL(vampToolClosing())),
         [](EditToolController* tool, const TL::BarsBeats& start, const TL::BarsBeats& end) {
             static_cast<VampToolController*>(tool)->onVampButtonClicked(start, end);
         },
         [](EditToolController* tool, cmn::VemoEvent* event) {
             static_cast<VampToolController*>(tool)->onVampEdit(event);
         },
         Make<CL::Vamp>, SIGNAL(vampToolClosing())},
        {"Repeat", codes::kRepeat, "Create Repeat", "Edit Repeat", false, "2",
         Maker<RepeatToolController>(SIGNAL(repeatToolClosing())),
         [](EditToolController* tool, const TL::BarsBeats& start, const TL::BarsBeats& end) {
             static_cast<RepeatToolController*>(tool)->onRepeatButtonClicked(start, end);
         },
         [](EditToolController* tool, cmn::VemoEvent* event) {
             static_cast<RepeatToolController*>(tool)->onRepeatEdit(event);
         },
         Make<CL::Repeat>, SIGNAL(repeatToolClosing())},
        {"Transpose", codes::kTranspose, "Transpose Key", "Edit Transposition", false, "0",
         Maker<TransposeToolController>(SIGNAL(transposeToolClosing())),
         [](EditToolController* tool, const TL::BarsBeats& start, const TL::BarsBeats& end) {
             static_cast<TransposeToolController*>(tool)->onTransposeButtonClicked(start, end);
         },
         [](EditToolController* tool, cmn::VemoEvent* event) {
             static_cast<TransposeToolController*>(tool)->onTransposeEdit(event);
         },
         Make<CL::Transpose>, SIGNAL(transposeToolClosing())},
        {"Click", codes::kClick, "Change Click Resolution", "Edit Click Resolution", false, "",
         Maker<ClickToolController>(SIGNAL(clickToolClosing())),
         [](EditToolController* tool, const TL::BarsBeats& start, const TL::BarsBeats& end) {
             static_cast<ClickToolController*>(tool)->onClickButtonClicked(start, end);
         },
         [](EditToolController* tool, cmn::VemoEvent* event) {
             static_cast<ClickToolController*>(tool)->onClickEdit(event);
         },
         Make<CL::Click>, SIGNAL(clickToolClosing())},
    };
    return kinds;
}

const ToolKind& Kind(const QString& name)
{
    const auto& kinds = Kinds();
    const auto found = std::find_if(kinds.begin(), kinds.end(), [&](const ToolKind& kind) { return kind.name == name; });
    if (found == kinds.end())
        throw std::invalid_argument("no tool kind " + name.toStdString());
    return *found;
}

} // namespace intvalue
