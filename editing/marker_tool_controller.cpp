#include "editing/marker_tool_controller.h"

#include <vemo_core/codes.h>

namespace vemo::qt {

MarkerToolController::MarkerToolController(QQmlEngine* engine, std::shared_ptr<Interface> player,
                                           EditController* editController, QObject* parentWindow)
    : EditToolController(engine, ToolDocument("MarkerTool.qml"), editController,
                         std::move(player), static_cast<char>(codes::kMarker), parentWindow, true)
{
}

void MarkerToolController::ConnectDocument()
{
    ConnectToolWindow(SIGNAL(changeMarkerRequest(QString,int,QString)),
                      SLOT(onMarkerChangeRequest(QString,int,QString)),
                      SIGNAL(createMarkerRequest(QString,int,QString)),
                      SLOT(onMarkerCreationRequest(QString,int,QString)), SIGNAL(markerToolClosing()),
                      SLOT(onMarkerToolClosing()), false);
}

void MarkerToolController::onMarkerButtonClicked(TL::BarsBeats barsBeats)
{
    OpenForNew(barsBeats, barsBeats);
}

void MarkerToolController::onMarkerCreationRequest(QString bar, int beat, QString value)
{
    // A point: the start's raise to the earliest edit tick is the marker's tick.
    const auto ticks = RequestTicks(bar, beat, bar, beat);
    if (!ticks)
        return;
    CL::Marker event(ticks->first, value.toStdString(), WindowEventId());
    AddEvent(event);
}

void MarkerToolController::onMarkerEdit(cmn::VemoEvent* vemoEvent)
{
    if (vemoEvent == nullptr)
        return;
    const std::string text = vemoEvent->value();
    OpenForEdit(vemoEvent, [this, &text](const TL::BarsBeats&) { SetStrValue(text); });
}

void MarkerToolController::onMarkerChangeRequest(QString bar, int beat, QString value)
{
    const auto ticks = RequestTicks(bar, beat, bar, beat);
    if (!ticks)
        return;
    const std::string text = value.toStdString();
    ApplyChange(ticks->first, ticks->first, [this, &text] { EditEventStringValue(EditedEvent(), text); });
}

void MarkerToolController::onMarkerToolClosing()
{
    emit markerToolClosing();
}

} // namespace vemo::qt
