#include "editing/caesura_tool_controller.h"

#include "editing/edit_controller.h"

#include <vemo_core/codes.h>

#include <algorithm>
#include <limits>

namespace vemo::qt {

CaesuraToolController::CaesuraToolController(QQmlEngine* engine, std::shared_ptr<Interface> player,
                                             EditController* editController, QObject* parentWindow)
    : EditToolController(engine, ToolDocument("CaesuraTool.qml"), editController,
                         std::move(player), static_cast<char>(codes::kCaesura), parentWindow, true)
{
}

void CaesuraToolController::ConnectDocument()
{
    ConnectToolWindow(SIGNAL(changeCaesuraRequest(QVariant,QVariant,qreal)),
                      SLOT(onCaesuraChangeRequest(QVariant,QVariant,qreal)),
                      SIGNAL(createCaesuraRequest(QVariant,QVariant,qreal)),
                      SLOT(onCaesuraCreationRequest(QVariant,QVariant,qreal)), SIGNAL(caesuraToolClosing()),
                      SLOT(onCaesuraToolClosing()), false);
}

void CaesuraToolController::AfterBarBeatChanged()
{
    ApplyInShiftLimits();
}

TL::BarsBeats CaesuraToolController::EditRecordAt(std::uint32_t tick) const
{
    return player->GetBarBeatLeftByTick(tick);
}

void CaesuraToolController::onCaesuraButtonClicked(TL::BarsBeats barsBeats, UInt32 MinStartTick)
{
    QObject* window = QmlObject();
    if (window == nullptr)
        return;
    SetMinStartTick(MinStartTick);
    SetBarInputs(barsBeats);
    SetBeatInputs(barsBeats);
    SetInShiftMin(static_cast<int>(std::min<UInt32>(MinStartTick, std::numeric_limits<int>::max())));
    AfterBarBeatChanged();
    window->setProperty("visible", true);
}

void CaesuraToolController::onCaesuraButtonClicked(TL::BarsBeats barsBeats)
{
    onCaesuraButtonClicked(barsBeats, 0);
}

std::optional<std::uint32_t> CaesuraToolController::RequestTick(const QVariant& bar, const QVariant& beat,
                                                                double inShift)
{
    if (bar.toString().isEmpty()) {
        if (editController != nullptr)
            editController->ReportEditFailure("This song has no bars to place the event on.");
        return std::nullopt;
    }
    const std::uint32_t tick = BarList().getTime(bar.toString().toStdString(), beat.toInt()).toUInt();
    return ShiftedTick(std::max(tick, BarList().LeadingTick()), inShift);
}

void CaesuraToolController::onCaesuraCreationRequest(QVariant bar, QVariant beat, double inShift)
{
    const auto tick = RequestTick(bar, beat, inShift);
    if (!tick)
        return;
    CL::Caesura event(*tick, WindowEventId(), 0);
    AddEvent(event);
}

void CaesuraToolController::onCaesuraEdit(cmn::VemoEvent* vemoEvent)
{
    QObject* window = QmlObject();
    if (window == nullptr || vemoEvent == nullptr)
        return;
    // The in-shift minimum at the leading entry is measured to the earliest tick a caesura may
    // take, the same one a new caesura is opened with.
    SetMinStartTick(player->GetMinStartTickIndex());
    const UInt32 start = vemoEvent->start();
    OpenForEdit(vemoEvent, [this, window, start](const TL::BarsBeats& record) {
        // The window shows the distance from the beat it opens on.
        ApplyInShiftLimits();
        window->setProperty("inShift", static_cast<double>(start >= record.tick ? start - record.tick : 0));
    });
}

void CaesuraToolController::onCaesuraChangeRequest(QVariant bar, QVariant beat, double inShift)
{
    const auto tick = RequestTick(bar, beat, inShift);
    if (!tick)
        return;
    const std::uint32_t t = std::max(*tick, player->GetCurrentStartTickIndex());
    ApplyChange(t, t, {});
}

void CaesuraToolController::onCaesuraToolClosing()
{
    emit caesuraToolClosing();
}

} // namespace vemo::qt
