#include "editing/int_value_tools.h"

#include <vemo_core/codes.h>
#include <vemo_core/events.h>

namespace vemo::qt {

IntValueToolController::IntValueToolController(QQmlEngine* engine, const QUrl& document,
                                               EditController* editController, std::shared_ptr<Interface> player,
                                               char code, QObject* parentWindow, bool barsFlag)
    : PlainRangeToolController(engine, document, editController, std::move(player), code, parentWindow, barsFlag)
{
}

void IntValueToolController::RequestValueCreation(const QString& startBar, int startBeat, const QString& endBar,
                                                  int endBeat, int value, const MakeValueEvent& make)
{
    RequestCreation(startBar, startBeat, endBar, endBeat, [&](UInt32 start, UInt32 end, std::string id) {
        return make(start, end, std::move(id), value);
    });
}

void IntValueToolController::RequestValueChange(const QString& startBar, int startBeat, const QString& endBar,
                                                int endBeat, int value)
{
    const auto ticks = RequestTicks(startBar, startBeat, endBar, endBeat);
    if (ticks)
        ApplyChange(ticks->first, ticks->second, [&] { EditEventIntValue(EditedEvent(), value); });
}

void IntValueToolController::OpenWithIntValue(const cmn::VemoEvent* event)
{
    if (event != nullptr)
        OpenForEdit(event, [&](const TL::BarsBeats&) { SetIntValue(static_cast<std::uint32_t>(event->int_value())); });
}

// Vamp

VampToolController::VampToolController(QQmlEngine* engine, std::shared_ptr<Interface> player,
                                       EditController* editController, QObject* parentWindow)
    : IntValueToolController(engine, ToolDocument("VampTool.qml"), editController, std::move(player),
                             static_cast<char>(codes::kVamp), parentWindow)
{
}

void VampToolController::ConnectDocument()
{
    ConnectToolWindow(SIGNAL(changeVampRequest(QString,int,QString,int,int)),
                      SLOT(onVampChangeRequest(QString,int,QString,int,int)),
                      SIGNAL(createVampRequest(QString,int,QString,int,int)),
                      SLOT(onVampCreationRequest(QString,int,QString,int,int)), SIGNAL(vampToolClosing()),
                      SLOT(onVampToolClosing()), true);
}

void VampToolController::onVampButtonClicked(TL::BarsBeats startBarsBeats, TL::BarsBeats endBarsBeats)
{
    OpenForNew(startBarsBeats, endBarsBeats);
}

void VampToolController::onVampCreationRequest(QString startBar, int startBeat, QString endBar, int endBeat,
                                               int count)
{
    RequestValueCreation(startBar, startBeat, endBar, endBeat, count,
                         [](UInt32 start, UInt32 end, std::string id, int value) {
                             return std::make_unique<CL::Vamp>(start, end, std::move(id), value);
                         });
}

void VampToolController::onVampEdit(cmn::VemoEvent* event)
{
    OpenWithIntValue(event);
    // A vamp without a set count is shown as endless.
    if (event != nullptr && event->int_value() == 0) {
        if (QObject* window = QmlObject())
            window->setProperty("value", QString("∞"));
    }
}

void VampToolController::onVampChangeRequest(QString startBar, int startBeat, QString endBar, int endBeat, int count)
{
    RequestValueChange(startBar, startBeat, endBar, endBeat, count);
}

void VampToolController::onVampToolClosing()
{
    emit vampToolClosing();
}

// Repeat

RepeatToolController::RepeatToolController(QQmlEngine* engine, std::shared_ptr<Interface> player,
                                           EditController* editController, QObject* parentWindow)
    : IntValueToolController(engine, ToolDocument("RepeatTool.qml"), editController, std::move(player),
                             static_cast<char>(codes::kRepeat), parentWindow)
{
}

void RepeatToolController::ConnectDocument()
{
    ConnectToolWindow(SIGNAL(changeRepeatRequest(QString,int,QString,int,int)),
                      SLOT(onRepeatChangeRequest(QString,int,QString,int,int)),
                      SIGNAL(createRepeatRequest(QString,int,QString,int,int)),
                      SLOT(onRepeatCreationRequest(QString,int,QString,int,int)), SIGNAL(repeatToolClosing()),
                      SLOT(onRepeatToolClosing()), true);
}

void RepeatToolController::onRepeatButtonClicked(TL::BarsBeats startBarsBeats, TL::BarsBeats endBarsBeats)
{
    OpenForNew(startBarsBeats, endBarsBeats);
}

void RepeatToolController::onRepeatCreationRequest(QString startBar, int startBeat, QString endBar, int endBeat,
                                                   int count)
{
    RequestValueCreation(startBar, startBeat, endBar, endBeat, count,
                         [](UInt32 start, UInt32 end, std::string id, int value) {
                             return std::make_unique<CL::Repeat>(start, end, std::move(id), value);
                         });
}

void RepeatToolController::onRepeatEdit(cmn::VemoEvent* event)
{
    OpenWithIntValue(event);
}

void RepeatToolController::onRepeatChangeRequest(QString startBar, int startBeat, QString endBar, int endBeat,
                                                 int count)
{
    RequestValueChange(startBar, startBeat, endBar, endBeat, count);
}

void RepeatToolController::onRepeatToolClosing()
{
    emit repeatToolClosing();
}

// Transpose

TransposeToolController::TransposeToolController(QQmlEngine* engine, std::shared_ptr<Interface> player,
                                                 EditController* editController, QObject* parentWindow)
    : IntValueToolController(engine, ToolDocument("TransposeTool.qml"), editController, std::move(player),
                             static_cast<char>(codes::kTranspose), parentWindow)
{
}

void TransposeToolController::ConnectDocument()
{
    ConnectToolWindow(SIGNAL(changeTransposeRequest(QString,int,QString,int,int)),
                      SLOT(onTransposeChangeRequest(QString,int,QString,int,int)),
                      SIGNAL(createTransposeRequest(QString,int,QString,int,int)),
                      SLOT(onTransposeCreationRequest(QString,int,QString,int,int)), SIGNAL(transposeToolClosing()),
                      SLOT(onTransposeToolClosing()), true);
}

void TransposeToolController::onTransposeButtonClicked(TL::BarsBeats startBarsBeats, TL::BarsBeats endBarsBeats)
{
    OpenForNew(startBarsBeats, endBarsBeats);
}

void TransposeToolController::onTransposeCreationRequest(QString startBar, int startBeat, QString endBar, int endBeat,
                                                         int count)
{
    RequestValueCreation(startBar, startBeat, endBar, endBeat, count,
                         [](UInt32 start, UInt32 end, std::string id, int value) {
                             return std::make_unique<CL::Transpose>(start, end, std::move(id), value);
                         });
}

void TransposeToolController::onTransposeEdit(cmn::VemoEvent* event)
{
    OpenWithIntValue(event);
}

void TransposeToolController::onTransposeChangeRequest(QString startBar, int startBeat, QString endBar, int endBeat,
                                                       int count)
{
    RequestValueChange(startBar, startBeat, endBar, endBeat, count);
}

void TransposeToolController::onTransposeToolClosing()
{
    emit transposeToolClosing();
}

} // namespace vemo::qt
