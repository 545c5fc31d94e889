#pragma once

#include "app/qml_controller.h"
#include "lists/event_info_item.h"
#include "lists/marker_info_item.h"
#include "main_window/edit_model.h"
#include "main_window/permissions.h"
#include "main_window/show_manager.h"
#include "timeline/bars_beats_view_controller.h"
#include "timeline/event_item_controllers.h"

#include <vemo_core/vemo_event.h>
#include <vemo_player_core/interface.h>

#include <QMetaObject>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QQmlEngine;
class QQuickItem;

namespace vemo::qt {

// Drives the main window's timeline for the current song: builds the event items and the ruler,
// places the playhead, applies the zoom, follows the playhead, seeks on a click and relays item
// selections, double clicks and drags (drags in ticks).
class TimelineController : public QmlController {
    Q_OBJECT

public:
    TimelineController(QQmlEngine* engine, QQuickItem* timelineItem, std::shared_ptr<Interface> player,
                       std::shared_ptr<ShowManager> showManager, std::shared_ptr<EditModel> editModel,
                       bool showAudioFadeRegion, Permissions& permissions, bool soundEffects, bool oscEnabled);
    ~TimelineController() override;

    // Resets the zoom, switches the edit model to the song, reloads its bars and beats and rebuilds.
    void LoadSong(std::string songNumber);
    // Puts the playhead 8 ticks before `tick`; the view follows when the tick leaves it.
    void SetPlayheadTick(int tick);
    // Marks the items of an event-list row and scrolls to them.
    void SelectEventItem(const EventInfoItem& row);
    // Marks the marker item of a marker-list row.
    void SelectMarkerItem(const MarkerInfoItem& row);
    // Stops the view following the playhead for `milliseconds`; a suspension already running decides.
    void SuspendViewFollow(int milliseconds);
    // Destroys every item; the ruler is rebuilt by the next Refresh, or on the next event-loop turn.
    void ClearItems();
    void Refresh();

    // Copied from the main window's record; the edit flag applies from the next rebuild.
    Permissions permissions;

    const std::vector<std::unique_ptr<TimeRegionController>>& RegionItems() const { return regionItems; }
    const std::vector<std::unique_ptr<TimeLineCaesuraController>>& CaesuraItems() const { return caesuraItems; }
    const std::vector<std::unique_ptr<TimeLineMarkerController>>& MarkerItems() const { return markerItems; }
    const std::vector<std::unique_ptr<TimeLineMarkerController>>& KeyItems() const { return keyItems; }
    const std::vector<std::unique_ptr<TimeLineMarkerController>>& TempoItems() const { return tempoItems; }
    const std::vector<std::unique_ptr<TimeLineMarkerController>>& MeterItems() const { return meterItems; }
    const std::vector<std::unique_ptr<TimeLineGlyphController>>& GlyphItems() const { return glyphItems; }
    BarsBeatsViewController& Ruler() { return *barsView; }

signals:
    void SetViewStart_(int val);
    void EditSelectedSignal(const cmn::VemoEvent* event);
    void EditDoubleClickedSignal();
    void EditDraggedSignal(const cmn::VemoEvent* event, int start, int end, bool adjustLeft, bool adjustRight);
    void timelineClicked();

public slots:
    void ViewScaleChanged_(double val, bool initializing);
    void TimelineClicked_(int pos);
    void onEditRegionSelected(const cmn::VemoEvent* event);
    void onEditRegionDoubleClicked();
    void onEditRegionDragged(const cmn::VemoEvent* event, int start, int end, bool adjustLeft, bool adjustRight);

private:
    void Connect_(bool showAudioFadeRegion);
    void Rebuild();
    void RebuildRuler();
    void CreateItems();
    void ConnectItem(VemoEventController& item);
    void UpdateLabelVisibility();
    void SetViewScale(double scale);
    void SetBaseWidth(std::uint32_t ticks);
    int ViewStartTick();
    int ViewEndTick();
    void OnMarkerListSelected(std::uint32_t tick, bool playing);
    // Scrolls the document at once, also while view following is suspended.
    void ScrollTo(int unit);
    bool InView(int tick);

    template<class Item, class... Args>
    Item* AddItem(std::vector<std::unique_ptr<Item>>& items, Args&&... args);

    std::shared_ptr<Interface> player;
    QQuickItem* keyMarkersBar = nullptr;
    QQuickItem* tempoMarkersBar = nullptr;
    QQuickItem* meterMarkersBar = nullptr;
    QQuickItem* markersBar = nullptr;
    QQuickItem* editsBar = nullptr;
    QQuickItem* sfxBar = nullptr;
    QQuickItem* ambientSfxBar = nullptr;
    QQuickItem* effectBar = nullptr;
    QQuickItem* barsRegion = nullptr;
    QQuickItem* playheadItem = nullptr;
    double viewScale = 1.0;
    bool sfxRowsEnabled = true;
    bool enableOsc = true;
    std::vector<std::unique_ptr<TimeRegionController>> regionItems;
    std::vector<std::unique_ptr<TimeLineCaesuraController>> caesuraItems;
    std::vector<std::unique_ptr<TimeLineMarkerController>> markerItems;
    std::vector<std::unique_ptr<TimeLineMarkerController>> keyItems;
    std::vector<std::unique_ptr<TimeLineMarkerController>> tempoItems;
    std::vector<std::unique_ptr<TimeLineMarkerController>> meterItems;
    std::vector<std::unique_ptr<TimeLineGlyphController>> glyphItems;
    std::unique_ptr<BarsBeatsViewController> barsView;
    std::shared_ptr<ShowManager> showManager;
    std::shared_ptr<EditModel> editModel;
    QMetaObject::Connection viewFollowConnection;
    // A ruler rebuild is queued and not yet done.
    bool rulerStale = false;
};

} // namespace vemo::qt
