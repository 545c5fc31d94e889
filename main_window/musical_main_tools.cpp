#include "main_window/musical_main_controller.h"

#include "app/app_settings.h"
#include "audio_output/audio_manager_controller.h"
#include "audio_output/output_paths_manager_controller.h"
#include "editing/ambient_sfx_tool_controller.h"
#include "editing/caesura_tool_controller.h"
#include "editing/click_tool_controller.h"
#include "editing/cut_skip_tools.h"
#include "editing/edit_controller.h"
#include "editing/int_value_tools.h"
#include "editing/marker_tool_controller.h"
#include "editing/osc_tool_controller.h"
#include "editing/primary_sfx_tool_controller.h"
#include "editing/tempo_tool_controller.h"
#include "main_window/edit_model.h"
#include "vemo_ui/controllers/dialog_controller.h"
#include "windows/midi_manager_controller.h"
#include "windows/osc_manager_controller.h"

#include <vemo_core/codes.h>

#include <QQmlApplicationEngine>

#include <algorithm>
#include <stdexcept>
#include <type_traits>

namespace vemo::qt {
namespace {

const char* const kClickNotice =
    "While there is no audible click track present in Tol|brin, this feature changes the resolution of where you "
    "can place events in the timeline to allow for more precise editing. Be aware any edits made to the click in "
    "Tol|brin will affect the click track in Vask|ora.";

} // namespace

// The twelve tool kinds: the member holding the open tool, the tool's closing signal, the slot of
// this controller that releases it, and the text that leads a failure to open it.
#define VEMO_TOOL_KIND(Tool, member, closingSignal, closingSlot, failurePrefix)                                  \
    template <>                                                                                                \
    struct MusicalMainController::ToolKind<Tool> {                                                             \
        static constexpr auto held = &MusicalMainController::member;                                          \
        static constexpr auto closing = &Tool::closingSignal;                                                  \
        static constexpr auto release = &MusicalMainController::closingSlot;                                  \
        static constexpr const char* failure = failurePrefix;                                                  \
    };

VEMO_TOOL_KIND(VampToolController, vampTool, vampToolClosing, onVampToolClosing, "")
VEMO_TOOL_KIND(RepeatToolController, repeatTool, repeatToolClosing, onRepeatToolClosing, "")
VEMO_TOOL_KIND(CutToolController, cutTool, cutToolClosing, onCutToolClosing, "")
VEMO_TOOL_KIND(TransposeToolController, transposeTool, transposeToolClosing, onTransposeToolClosing, "")
VEMO_TOOL_KIND(TempoToolController, tempoTool, tempoToolClosing, onTempoToolClosing, "")
VEMO_TOOL_KIND(MarkerToolController, markerTool, markerToolClosing, onMarkerToolClosing, "")
VEMO_TOOL_KIND(ClickToolController, clickTool, clickToolClosing, onClickToolClosing, "")
VEMO_TOOL_KIND(SkipToolController, skipTool, skipToolClosing, onSkipToolClosing, "")
VEMO_TOOL_KIND(CaesuraToolController, caesuraTool, caesuraToolClosing, onCaesuraToolClosing, "")
VEMO_TOOL_KIND(PrimarySFXToolController, primarySfxTool, primarySFXToolClosing, onPrimarySFXToolClosing,
               "Error Creating SFX: ")
VEMO_TOOL_KIND(AmbientSFXToolController, ambientSfxTool, ambientSFXToolClosing, onAmbientSFXToolClosing,
               "Error Creating SFX: ")
VEMO_TOOL_KIND(OscToolController, oscTool, toolClosing, onOscToolClosing, "")

#undef VEMO_TOOL_KIND

template <class Tool>
bool MusicalMainController::OpenTool(const std::function<void(Tool&)>& open, bool followChanges)
{
    using Kind = ToolKind<Tool>;
    if (!player || !editController)
        return false;
    std::unique_ptr<Tool>& held = this->*Kind::held;
    try {
        if constexpr (std::is_constructible_v<Tool, QQmlEngine*, std::shared_ptr<Interface>, EditController*,
                                              std::shared_ptr<OutputPathsModel>, QObject*>) {
            if (!outputPathsController)
                throw std::runtime_error("The show's output paths are not loaded.");
            held = std::make_unique<Tool>(engine, player, editController.get(), outputPathsController->Model(),
                                          QmlObject());
        } else {
            held = std::make_unique<Tool>(engine, player, editController.get(), QmlObject());
        }
        open(*held);
        held->ConnectDocument();
        connect(held.get(), Kind::closing, this, Kind::release);
        if (followChanges)
            connect(held.get(), &EditToolController::valuesUpdated, this, &MusicalMainController::onEditValueUpdated);
        return true;
    } catch (const std::exception& e) {
        held.reset();
        showDialog(std::string(Kind::failure) + e.what(), "Error", 0);
        return false;
    }
}

template <class Tool>
void MusicalMainController::OpenToolForEdit(cmn::VemoEvent* event,
                                            const std::function<void(Tool&, cmn::VemoEvent*)>& edit)
{
    if (event != nullptr)
        OpenTool<Tool>([&](Tool& tool) { edit(tool, event); }, true);
}

template <class Tool>
void MusicalMainController::ReleaseTool()
{
    // Runs inside the tool's own closing signal: the tool goes once that signal has returned.
    if (Tool* tool = (this->*ToolKind<Tool>::held).release()) {
        disconnect(tool, nullptr, this, nullptr);
        tool->deleteLater();
    }
}

TL::BarsBeats MusicalMainController::BarBeatAt(int tick) const
{
    return player->GetBarBeatByTick(static_cast<UInt32>(std::max(tick, 0)));
}

void MusicalMainController::onVampButton(int startTick, int endTick)
{
    OpenTool<VampToolController>(
        [&](VampToolController& tool) { tool.onVampButtonClicked(BarBeatAt(startTick), BarBeatAt(endTick)); }, false);
}

void MusicalMainController::onRepeatButton(int startTick, int endTick)
{
    OpenTool<RepeatToolController>(
        [&](RepeatToolController& tool) { tool.onRepeatButtonClicked(BarBeatAt(startTick), BarBeatAt(endTick)); },
        false);
}

void MusicalMainController::onCutButton(int startTick, int endTick)
{
    OpenTool<CutToolController>(
        [&](CutToolController& tool) { tool.onCutButtonClicked(BarBeatAt(startTick), BarBeatAt(endTick)); }, false);
}

void MusicalMainController::onTransposeButton(int startTick, int endTick)
{
    OpenTool<TransposeToolController>(
        [&](TransposeToolController& tool) {
            tool.onTransposeButtonClicked(BarBeatAt(startTick), BarBeatAt(endTick));
        },
        false);
}

void MusicalMainController::onTempoButton(int startTick, int endTick)
{
    OpenTool<TempoToolController>(
        [&](TempoToolController& tool) { tool.onTempoButtonClicked(BarBeatAt(startTick), BarBeatAt(endTick)); },
        false);
}

void MusicalMainController::onMarkerButton(int startTick)
{
    OpenTool<MarkerToolController>(
        [&](MarkerToolController& tool) { tool.onMarkerButtonClicked(BarBeatAt(startTick)); }, false);
}

void MusicalMainController::onClickButton(int startTick, int endTick)
{
    // The click tool places events on the click grid.
    const auto clickBarBeat = [this](int tick) {
        return player->GetBarBeatByTick(static_cast<UInt32>(std::max(tick, 0)), false, true);
    };
    const bool opened = OpenTool<ClickToolController>(
        [&](ClickToolController& tool) { tool.onClickButtonClicked(clickBarBeat(startTick), clickBarBeat(endTick)); },
        false);
    if (opened)
        ShowClickNotice();
}

void MusicalMainController::onSkipButton(int startTick, int endTick)
{
    OpenTool<SkipToolController>(
        [&](SkipToolController& tool) { tool.onSkipButtonClicked(BarBeatAt(startTick), BarBeatAt(endTick)); },
        false);
}

void MusicalMainController::onCaesuraButton(int startTick)
{
    OpenTool<CaesuraToolController>(
        [&](CaesuraToolController& tool) {
            tool.onCaesuraButtonClicked(BarBeatAt(startTick), player->GetMinStartTickIndex());
        },
        true);
}

void MusicalMainController::onPrimarySFXButton(int startTick)
{
    OpenTool<PrimarySFXToolController>(
        [&](PrimarySFXToolController& tool) { tool.onPrimarySFXButtonClicked(BarBeatAt(startTick)); }, false);
}

void MusicalMainController::onAmbientSFXButton(int startTick, int endTick)
{
    OpenTool<AmbientSFXToolController>(
        [&](AmbientSFXToolController& tool) {
            tool.onAmbientSFXButtonClicked(BarBeatAt(startTick), BarBeatAt(endTick));
        },
        false);
}

void MusicalMainController::onOscButton(int startTick)
{
    OpenTool<OscToolController>(
        [&](OscToolController& tool) {
            tool.onToolButtonClicked(BarBeatAt(startTick), player->GetMinStartTickIndex());
        },
        false);
}

void MusicalMainController::ShowClickNotice()
{
    WindowStep([this] {
        dialog.reset();
        dialog = std::make_unique<DialogController>(kClickNotice,
                                                    "About Click in " + factory->displayName.toStdString(), 2,
                                                    QmlObject(), engine, settings, true, "ClickToolNotification");
    });
}

void MusicalMainController::onVampEdit(cmn::VemoEvent* event)
{
    OpenToolForEdit<VampToolController>(event, &VampToolController::onVampEdit);
}

void MusicalMainController::onRepeatEdit(cmn::VemoEvent* event)
{
    OpenToolForEdit<RepeatToolController>(event, &RepeatToolController::onRepeatEdit);
}

void MusicalMainController::onCutEdit(cmn::VemoEvent* event)
{
    OpenToolForEdit<CutToolController>(event, &CutToolController::onCutEdit);
}

void MusicalMainController::onTransposeEdit(cmn::VemoEvent* event)
{
    OpenToolForEdit<TransposeToolController>(event, &TransposeToolController::onTransposeEdit);
}

void MusicalMainController::onTempoEdit(cmn::VemoEvent* event)
{
    OpenToolForEdit<TempoToolController>(event, &TempoToolController::onTempoEdit);
}

void MusicalMainController::onMarkerEdit(cmn::VemoEvent* event)
{
    OpenToolForEdit<MarkerToolController>(event, &MarkerToolController::onMarkerEdit);
}

void MusicalMainController::onClickEdit(cmn::VemoEvent* event)
{
    OpenToolForEdit<ClickToolController>(event, &ClickToolController::onClickEdit);
}

void MusicalMainController::onSkipEdit(cmn::VemoEvent* event)
{
    OpenToolForEdit<SkipToolController>(event, &SkipToolController::onSkipEdit);
}

void MusicalMainController::onCaesuraEdit(cmn::VemoEvent* event)
{
    OpenToolForEdit<CaesuraToolController>(event, &CaesuraToolController::onCaesuraEdit);
}

void MusicalMainController::onPrimarySfxEdit(cmn::VemoEvent* event)
{
    OpenToolForEdit<PrimarySFXToolController>(event, &PrimarySFXToolController::onPrimarySFXEdit);
}

void MusicalMainController::onAmbientSfxEdit(cmn::VemoEvent* event)
{
    OpenToolForEdit<AmbientSFXToolController>(event, &AmbientSFXToolController::onAmbientSFXEdit);
}

void MusicalMainController::onOscEdit(cmn::VemoEvent* event)
{
    OpenToolForEdit<OscToolController>(event, [this](OscToolController& tool, cmn::VemoEvent* edited) {
        tool.onToolEdit(edited, player->GetMinStartTickIndex());
    });
}

void MusicalMainController::onVampToolClosing()
{
    ReleaseTool<VampToolController>();
}

void MusicalMainController::onRepeatToolClosing()
{
    ReleaseTool<RepeatToolController>();
}

void MusicalMainController::onCutToolClosing()
{
    ReleaseTool<CutToolController>();
}

void MusicalMainController::onTransposeToolClosing()
{
    ReleaseTool<TransposeToolController>();
}

void MusicalMainController::onTempoToolClosing()
{
    ReleaseTool<TempoToolController>();
}

void MusicalMainController::onMarkerToolClosing()
{
    ReleaseTool<MarkerToolController>();
}

void MusicalMainController::onClickToolClosing()
{
    ReleaseTool<ClickToolController>();
}

void MusicalMainController::onSkipToolClosing()
{
    ReleaseTool<SkipToolController>();
}

void MusicalMainController::onCaesuraToolClosing()
{
    ReleaseTool<CaesuraToolController>();
}

void MusicalMainController::onPrimarySFXToolClosing()
{
    ReleaseTool<PrimarySFXToolController>();
}

void MusicalMainController::onAmbientSFXToolClosing()
{
    ReleaseTool<AmbientSFXToolController>();
}

void MusicalMainController::onOscToolClosing()
{
    ReleaseTool<OscToolController>();
}

void MusicalMainController::onEditValueUpdated()
{
    if (editController)
        WindowStep([this] { editController->RefreshAfterEdit({}); });
}

void MusicalMainController::onEditButton(cmn::VemoEvent* event)
{
    if (event == nullptr)
        return;
    switch (event->code()) {
    case codes::kVamp: onVampEdit(event); break;
    case codes::kRepeat: onRepeatEdit(event); break;
    case codes::kCut: onCutEdit(event); break;
    case codes::kTranspose: onTransposeEdit(event); break;
    case codes::kTempoScale: onTempoEdit(event); break;
    case codes::kMarker: onMarkerEdit(event); break;
    case codes::kClick: onClickEdit(event); break;
    case codes::kSkip: onSkipEdit(event); break;
    case codes::kCaesura: onCaesuraEdit(event); break;
    case codes::kSfx: onPrimarySfxEdit(event); break;
    case codes::kSfxAmbient: onAmbientSfxEdit(event); break;
    case codes::kOsc: onOscEdit(event); break;
    default: break;
    }
}

void MusicalMainController::onEditDoubleClicked()
{
    if (editController)
        onEditButton(editController->GetEditModel()->selectedEvent);
}

void MusicalMainController::ReleaseToolsAndWindows() noexcept
{
    vampTool.reset();
    repeatTool.reset();
    cutTool.reset();
    transposeTool.reset();
    tempoTool.reset();
    markerTool.reset();
    clickTool.reset();
    skipTool.reset();
    caesuraTool.reset();
    primarySfxTool.reset();
    ambientSfxTool.reset();
    oscTool.reset();
    audioManager.reset();
    midiManager.reset();
    oscManager.reset();
}

} // namespace vemo::qt
