#include "editing/tempo_tool_controller.h"

#include <vemo_core/codes.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace vemo::qt {

namespace {

// The percentage a stored factor shows as: the factor times 100, rounded to a whole number. A
// factor from a hand-edited log may lie anywhere; the window takes what its int holds.
int PercentOf(float factor)
{
    const double percent = std::round(static_cast<double>(factor) * 100.0);
    if (std::isnan(percent))
        return 0;
    return static_cast<int>(std::clamp(percent, 0.0, static_cast<double>(INT_MAX)));
}

} // namespace

TempoToolController::TempoToolController(QQmlEngine* engine, std::shared_ptr<Interface> player,
                                         EditController* editController, QObject* parentWindow)
    : EditToolController(engine, ToolDocument("TempoTool.qml"), editController,
                         std::move(player), static_cast<char>(codes::kTempoScale), parentWindow, true)
{
}

void TempoToolController::ConnectDocument()
{
    ConnectToolWindow(SIGNAL(changeTempoRequest(QString,int,QString,int,int)),
                      SLOT(onTempoChangeRequest(QString,int,QString,int,int)),
                      SIGNAL(createTempoRequest(QString,int,QString,int,int)),
                      SLOT(onTempoCreationRequest(QString,int,QString,int,int)), SIGNAL(tempoToolClosing()),
                      SLOT(onTempoToolClosing()), true);
}

void TempoToolController::onTempoButtonClicked(TL::BarsBeats startBarsBeats, TL::BarsBeats endBarsBeats)
{
    OpenForNew(startBarsBeats, endBarsBeats);
}

void TempoToolController::onTempoCreationRequest(QString startBar, int startBeat, QString endBar, int endBeat,
                                                 int count)
{
    const auto ticks = RequestTicks(startBar, startBeat, endBar, endBeat);
    if (!ticks)
        return;
    CL::TempoScale event(ticks->first, ticks->second, WindowEventId(), count / 100.0);
    AddEvent(event);
}

void TempoToolController::onTempoEdit(cmn::VemoEvent* vemoEvent)
{
    if (vemoEvent == nullptr)
        return;
    const int percent = PercentOf(vemoEvent->float_value());
    OpenForEdit(vemoEvent, [this, percent](const TL::BarsBeats&) { SetIntValue(static_cast<std::uint32_t>(percent)); });
}

void TempoToolController::onTempoChangeRequest(QString startBar, int startBeat, QString endBar, int endBeat,
                                               int count)
{
    const auto ticks = RequestTicks(startBar, startBeat, endBar, endBeat);
    if (!ticks)
        return;
    // A change goes through the editor's single-precision value edit.
    const auto factor = static_cast<float>(count / 100.0);
    ApplyChange(ticks->first, ticks->second, [this, factor] { EditEventFloatValue(EditedEvent(), factor); });
}

void TempoToolController::onTempoToolClosing()
{
    emit tempoToolClosing();
}

} // namespace vemo::qt
