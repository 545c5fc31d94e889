#include "timeline/timeline_controller.h"

#include "timeline/document_access.h"

#include <vemo_core/events.h>
#include <vemo_core/notify.h>
#include <vemo_core/song_log.h>
#include <vemo_core/timeline_records.h>

#include <QQuickItem>
#include <QTimer>
#include <QVariant>

#include <algorithm>
#include <iomanip>
#include <iostream>
#include <sstream>

namespace vemo::qt {

namespace {

constexpr double kTicksPerUnit = 25.0;
const QString kOscGlyph = "qrc:/images/lan.svg";

int Units(std::uint32_t ticks)
{
    return static_cast<int>(ticks / kTicksPerUnit);
}

std::string TempoLabel(const TL::Tempo& tempo)
{
    std::ostringstream text;
    text << " " << std::fixed << std::setprecision(2) << tempo.bpm(24);
    return text.str();
}

// Releases item controllers whose slots may be on the stack (a rebuild inside an item's own signal).
template<class Item>
void Retire(std::vector<std::unique_ptr<Item>>& items, QObject* receiver)
{
    for (auto& item : items) {
        QObject::disconnect(item.get(), nullptr, receiver, nullptr);
        item.release()->deleteLater();
    }
    items.clear();
}

} // namespace

TimelineController::TimelineController(QQmlEngine* qmlEngine, QQuickItem* timelineItem,
                                       std::shared_ptr<Interface> enginePlayer,
                                       std::shared_ptr<ShowManager> manager, std::shared_ptr<EditModel> model,
                                       bool showAudioFadeRegion, Permissions& userPermissions, bool soundEffects,
                                       bool oscEnabled)
    : QmlController(timelineItem, qmlEngine)
    , permissions(userPermissions)
    , player(std::move(enginePlayer))
    , sfxRowsEnabled(soundEffects)
    , enableOsc(oscEnabled)
    , showManager(std::move(manager))
    , editModel(std::move(model))
{
    Connect_(showAudioFadeRegion);
}

TimelineController::~TimelineController()
{
    playheadItem = nullptr;
    notify::callbackDispatcher.RemoveCallbacksForTarget(this);
    barsView.reset();
    editModel.reset();
    showManager.reset();
    regionItems.clear();
    caesuraItems.clear();
    markerItems.clear();
    keyItems.clear();
    tempoItems.clear();
    meterItems.clear();
    glyphItems.clear();
    player.reset();
}

void TimelineController::Connect_(bool showAudioFadeRegion)
{
    QObject* document = QmlObject();
    ConnectDocument(document, SIGNAL(timelineScaleChanged(double,bool)), this, SLOT(ViewScaleChanged_(double,bool)));
    ConnectDocument(document, SIGNAL(timelineClicked(int)), this, SLOT(TimelineClicked_(int)));
    if (document != nullptr)
        viewFollowConnection = connect(this, SIGNAL(SetViewStart_(int)), document, SIGNAL(setViewStart(int)));
    if (document != nullptr) {
        barsRegion = ItemProperty(document, "barsRegion");
        keyMarkersBar = ItemProperty(document, "keyMarkersBar");
        tempoMarkersBar = ItemProperty(document, "tempoMarkersBar");
        meterMarkersBar = ItemProperty(document, "meterMarkersBar");
        markersBar = ItemProperty(document, "markersBar");
        editsBar = ItemProperty(document, "editsBar");
        sfxBar = ItemProperty(document, "sfxBar");
        ambientSfxBar = ItemProperty(document, "ambientSfxBar");
        effectBar = ItemProperty(document, "effectBar");
        playheadItem = ItemProperty(document, "playheadItem");
    }
    barsView = std::make_unique<BarsBeatsViewController>(barsRegion, kTicksPerUnit, engine, editModel.get(),
                                                         showAudioFadeRegion);
    notify::callbackDispatcher.Subscribe(notify::names::editControllerMarkerListSelected, this, [this](void* payload) {
        const auto* selection = static_cast<const notify::MarkerListSelection*>(payload);
        OnMarkerListSelected(selection->tick, selection->playing);
    });
}

void TimelineController::LoadSong(std::string songNumber)
{
    SetViewScale(1.0);
    editModel->currentSong = songNumber;
    editModel->showManager->SelectSongLogForEditing(songNumber);
    try {
        editModel->ReloadBarsBeats();
    } catch (const std::exception& error) {
        // The song still loads, with an empty grid: no bar lines, and clicks seek to the start.
        std::cerr << error.what() << std::endl;
        editModel->ResetBarsBeats();
    }
    SetBaseWidth(std::max(showManager->GetSongLength(songNumber), editModel->GetSongAudioEndTick()));
    Rebuild();
}

void TimelineController::Refresh()
{
    Rebuild();
}

void TimelineController::ClearItems()
{
    Retire(regionItems, this);
    Retire(caesuraItems, this);
    Retire(markerItems, this);
    Retire(keyItems, this);
    Retire(tempoItems, this);
    Retire(meterItems, this);
    Retire(glyphItems, this);
    if (rulerStale)
        return;
    rulerStale = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (rulerStale)
                RebuildRuler();
        },
        Qt::QueuedConnection);
}

void TimelineController::RebuildRuler()
{
    rulerStale = false;
    barsView->Rebuild();
}

void TimelineController::Rebuild()
{
    ClearItems();
    RebuildRuler();
    SetViewScale(viewScale);
    CreateItems();
    for (auto& item : regionItems)
        ConnectItem(*item);
    for (auto& item : caesuraItems)
        ConnectItem(*item);
    for (auto& item : markerItems)
        ConnectItem(*item);
    for (auto& item : glyphItems)
        ConnectItem(*item);
    UpdateLabelVisibility();
    ViewScaleChanged_(viewScale, false);
}

template<class Item, class... Args>
Item* TimelineController::AddItem(std::vector<std::unique_ptr<Item>>& items, Args&&... args)
{
    auto item = std::make_unique<Item>(std::forward<Args>(args)...);
    if (item->QmlObject() == nullptr)
        return nullptr;
    items.push_back(std::move(item));
    return items.back().get();
}

void TimelineController::CreateItems()
{
    const CL::SongLog* log = player->GetSongLog();
    const bool editable = permissions.edit;
    const auto addRegions = [&](const auto& events, const char* name, int kind, QQuickItem* row) {
        for (const auto& event : events)
            AddItem(regionItems, event.get(), editable, name, Units(event->abs_time()), Units(event->GetLengthTicks()),
                    kind, engine, row);
    };
    addRegions(log->GetFermatas(), "Skip", 1, editsBar);
    addRegions(log->GetVamps(), "Vamp", 3, editsBar);
    addRegions(log->GetCuts(), "Cut", 0, editsBar);
    addRegions(log->GetRepeats(), "Repeat", 2, editsBar);
    for (const CL::Caesura* caesura : log->GetDisplayCaesurasRef())
        AddItem(caesuraItems, caesura, editable, Units(caesura->abs_time()), engine, editsBar);
    for (const auto& marker : log->GetMarkers())
        AddItem(markerItems, marker.get(), editable, " " + marker->value(), Units(marker->abs_time()), engine,
                markersBar);
    const TL::Timeline timeline = player->GetTimeline();
    for (const TL::Key& key : timeline.GetKeys())
        AddItem(keyItems, nullptr, false, " " + Keys::keyNameFromSig(key.sharpsFlats, key.mode), Units(key.tick),
                engine, keyMarkersBar);
    addRegions(log->GetTranspositions(), "Transpose", 5, keyMarkersBar);
    for (const TL::Tempo& tempo : timeline.GetTempos())
        AddItem(tempoItems, nullptr, false, TempoLabel(tempo), Units(tempo.tick), engine, tempoMarkersBar);
    for (const TL::Meter& meter : timeline.GetMeters())
        AddItem(meterItems, nullptr, false, " " + meter.label(), Units(meter.tick), engine, meterMarkersBar);
    addRegions(log->GetClicks(), "Click", 6, meterMarkersBar);
    addRegions(log->GetTempoScales(), "Tempo Scale", 4, tempoMarkersBar);
    if (sfxRowsEnabled) {
        for (const auto& cue : log->GetSfxs())
            AddItem(glyphItems, cue.get(), editable, Units(cue->abs_time()), engine, sfxBar, QString(), enableOsc);
        addRegions(log->GetSfxAmbients(), "Ambient SFX", 8, ambientSfxBar);
    }
    for (const auto& cue : log->GetOscs())
        AddItem(glyphItems, cue.get(), editable, Units(cue->abs_time()), engine, effectBar, kOscGlyph, enableOsc);
}

void TimelineController::ConnectItem(VemoEventController& item)
{
    ConnectDocument(&item, SIGNAL(SelectedSignal(const cmn::VemoEvent*)), this,
                    SLOT(onEditRegionSelected(const cmn::VemoEvent*)));
    ConnectDocument(&item, SIGNAL(DoubleClickedSignal()), this, SLOT(onEditRegionDoubleClicked()));
    ConnectDocument(&item, SIGNAL(DraggedSignal(const cmn::VemoEvent*,int,int,bool,bool)), this,
                    SLOT(onEditRegionDragged(const cmn::VemoEvent*,int,int,bool,bool)));
}

void TimelineController::UpdateLabelVisibility()
{
    for (const auto* items : {&markerItems, &keyItems, &tempoItems, &meterItems}) {
        for (std::size_t i = 0; i + 1 < items->size(); ++i)
            (*items)[i]->SetVisibleLabel((*items)[i]->Right() + 10 < (*items)[i + 1]->X());
    }
}

void TimelineController::SetViewScale(double scale)
{
    viewScale = scale;
    if (QObject* document = QmlObject())
        document->setProperty("viewScale", scale);
}

void TimelineController::SetBaseWidth(std::uint32_t ticks)
{
    if (QObject* document = QmlObject())
        document->setProperty("baseWidth", ticks / kTicksPerUnit + 200);
}

void TimelineController::ViewScaleChanged_(double val, bool)
{
    viewScale = val;
    for (auto& item : regionItems)
        emit item->SetViewScale(val);
    for (auto& item : caesuraItems)
        item->ApplyViewScale(val);
    for (auto* items : {&markerItems, &keyItems, &tempoItems, &meterItems}) {
        for (auto& item : *items)
            item->ApplyViewScale(val);
    }
    for (auto& item : glyphItems)
        item->ApplyViewScale(val);
    UpdateLabelVisibility();
    if (playheadItem != nullptr)
        playheadItem->setProperty("viewScale", val);
    barsView->SetViewScale(val, false);
    emit SetViewStart_(ViewStartTick() / 25);
}

int TimelineController::ViewStartTick()
{
    const QObject* document = QmlObject();
    return document == nullptr ? 0 : document->property("viewStart").toInt() * 25;
}

int TimelineController::ViewEndTick()
{
    const QObject* document = QmlObject();
    return document == nullptr ? 0 : document->property("viewEnd").toInt() * 25;
}

bool TimelineController::InView(int tick)
{
    return tick >= ViewStartTick() && tick <= ViewEndTick();
}

void TimelineController::SetPlayheadTick(int tick)
{
    if (playheadItem == nullptr)
        return;
    playheadItem->setProperty("basePos", (tick - 8) / kTicksPerUnit);
    if (!InView(tick))
        emit SetViewStart_(tick / 25);
}

void TimelineController::ScrollTo(int unit)
{
    if (QObject* document = QmlObject())
        QMetaObject::invokeMethod(document, "setViewStart", Q_ARG(int, unit));
}

void TimelineController::OnMarkerListSelected(std::uint32_t tick, bool playing)
{
    if (playing || playheadItem == nullptr)
        return;
    const int signedTick = static_cast<int>(tick);
    playheadItem->setProperty("basePos", (signedTick - 8) / kTicksPerUnit);
    if (!InView(signedTick))
        ScrollTo(signedTick / 25);
}

void TimelineController::SuspendViewFollow(int milliseconds)
{
    if (!disconnect(viewFollowConnection))
        return;
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this, timer] {
        if (QObject* document = QmlObject())
            viewFollowConnection = connect(this, SIGNAL(SetViewStart_(int)), document, SIGNAL(setViewStart(int)));
        timer->stop();
        timer->deleteLater();
    });
    timer->start(milliseconds);
}

void TimelineController::TimelineClicked_(int pos)
{
    emit timelineClicked();
    std::uint32_t tick = pos > 0 ? static_cast<std::uint32_t>(pos * kTicksPerUnit) : 0;
    tick = std::min(tick, player->GetSongLength(player->GetCurrentSongNumber()));
    const std::shared_ptr<BarsBeatsEventSequence> barsBeats = editModel->barsBeats;
    player->Seek(barsBeats->NearestBeatTick(tick));
}

void TimelineController::SelectEventItem(const EventInfoItem& row)
{
    const auto select = [&](auto& items) {
        for (auto& item : items) {
            const bool match = item->Event() != nullptr && MakeEventInfoItem(*item->Event()) == row;
            item->SetSelected(match);
            if (match)
                ScrollTo(static_cast<int>(item->Event()->start() / 25));
        }
    };
    select(regionItems);
    select(caesuraItems);
    select(markerItems);
    select(glyphItems);
}

void TimelineController::SelectMarkerItem(const MarkerInfoItem& row)
{
    for (auto& item : markerItems) {
        const cmn::VemoEvent* event = item->Event();
        item->SetSelected(event != nullptr && MarkerInfoItem::FromMarker(CL::Marker(*event)) == row);
    }
}

void TimelineController::onEditRegionSelected(const cmn::VemoEvent* event)
{
    const auto select = [event](auto& items) {
        for (auto& item : items)
            item->SetSelected(event != nullptr && SameEvent(item->Event(), event));
    };
    select(regionItems);
    select(caesuraItems);
    select(markerItems);
    select(glyphItems);
    emit EditSelectedSignal(event);
}

void TimelineController::onEditRegionDoubleClicked()
{
    emit EditDoubleClickedSignal();
}

void TimelineController::onEditRegionDragged(const cmn::VemoEvent* event, int start, int end, bool adjustLeft,
                                             bool adjustRight)
{
    emit EditDraggedSignal(event, start * 25, end * 25, adjustLeft, adjustRight);
    SuspendViewFollow(100);
}

} // namespace vemo::qt
