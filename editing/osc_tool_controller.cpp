#include "editing/osc_tool_controller.h"

#include "models/network_list_model.h"

#include <vemo_core/codes.h>
#include <vemo_core/events.h>

#include <algorithm>

namespace vemo::qt {

OscToolController::OscToolController(QQmlEngine* engine, std::shared_ptr<Interface> player,
                                     EditController* editController, QObject* parentWindow)
    : EditToolController(engine, ToolDocument("OscTool.qml"), editController,
                         std::move(player), static_cast<char>(codes::kOsc), parentWindow, true)
    , networks(std::make_unique<NetworkListModel>(this->player->GetNetworks()))
{
    if (QObject* window = QmlObject())
        window->setProperty("networkModel", QVariant::fromValue<QObject*>(networks.get()));
}

OscToolController::~OscToolController()
{
    // The window outlives the tool until its deferred delete: it must not keep the list it shows.
    if (QObject* window = QmlObject())
        window->setProperty("networkModel", QVariant::fromValue<QObject*>(nullptr));
}

void OscToolController::ConnectDocument()
{
    ConnectToolWindow(SIGNAL(changeRequest(QString,int,QString,QString,qreal)),
                      SLOT(onToolChangeRequest(QString,int,QString,QString,qreal)),
                      SIGNAL(createRequest(QString,int,QString,QString,qreal)),
                      SLOT(onToolCreationRequest(QString,int,QString,QString,qreal)), SIGNAL(toolClosing()),
                      SLOT(onToolClosing()), false);
}

void OscToolController::AfterBarBeatChanged()
{
    if (QObject* window = QmlObject())
        window->setProperty("inShift", 0);
    ApplyInShiftLimits();
}

TL::BarsBeats OscToolController::EditRecordAt(std::uint32_t tick) const
{
    return player->GetBarBeatLeftByTick(tick);
}

void OscToolController::SelectNetwork(const QString& networkId)
{
    QObject* window = QmlObject();
    if (window == nullptr)
        return;
    int chosen = -1;
    for (int row = 0; row < networks->rowCount(); ++row) {
        if (networks->data(networks->index(row), NetworkListModel::NetworkIdRole).toString() == networkId) {
            chosen = row;
            break;
        }
    }
    window->setProperty("networkCurrentIndex", chosen);
}

void OscToolController::onToolButtonClicked(TL::BarsBeats barsBeats, UInt32 minStartTick)
{
    SetMinStartTick(minStartTick);
    QObject* window = QmlObject();
    if (window == nullptr)
        return;
    SetBarInputs(barsBeats);
    SetBeatInputs(barsBeats);
    SetInShiftMin(static_cast<int>(minStartTick));
    window->setProperty("visible", true);
    AfterBarBeatChanged();
}

void OscToolController::onToolCreationRequest(QString bar, int beat, QString value, QString networkId, double inShift)
{
    // The end of a one-beat request is the picked beat's own tick, not raised to the earliest edit tick.
    const auto ticks = RequestTicks(bar, beat, bar, beat);
    if (!ticks)
        return;
    const std::uint32_t tick = std::max(ticks->second, BarList().LeadingTick());
    CL::Osc cue(ShiftedTick(tick, inShift), WindowEventId(),
                CL::OscProperties(value.toStdString(), networkId.toStdString()));
    AddEvent(cue);
}

void OscToolController::onToolEdit(cmn::VemoEvent* vemoEvent, UInt32 minStartTick)
{
    SetMinStartTick(minStartTick);
    QObject* window = QmlObject();
    if (window == nullptr || vemoEvent == nullptr)
        return;
    // A cue shows its distance from the beat it opens on as the in-shift.
    const std::uint32_t start = vemoEvent->start();
    const CL::OscProperties properties = vemoEvent->osc_properties();
    OpenForEdit(vemoEvent, [&](const TL::BarsBeats& record) {
        window->setProperty("inShiftMax", static_cast<int>(player->GetAvailableShiftAfterBarBeat(record.tick, true)));
        window->setProperty("inShift", static_cast<double>(start) - static_cast<double>(record.tick));
        SetStrValue(properties.Message());
        SelectNetwork(QString::fromStdString(properties.NetworkId()));
    });
}

void OscToolController::onToolChangeRequest(QString bar, int beat, QString value, QString networkId, double inShift)
{
    if (EditedEvent() == nullptr)
        return;
    const auto ticks = RequestTicks(bar, beat, bar, beat);
    if (!ticks)
        return;
    const std::uint32_t tick = std::max(ShiftedTick(ticks->second, inShift), player->GetCurrentStartTickIndex());
    ApplyChange(tick, tick, [&] {
        EditedEvent()->start(tick);
        EditedEvent()->end(tick);
        EditEventOscPropertyValues(EditedEvent(), CL::OscProperties(value.toStdString(), networkId.toStdString()));
    });
}

void OscToolController::onToolClosing()
{
    emit toolClosing();
}

} // namespace vemo::qt
