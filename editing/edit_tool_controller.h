#pragma once

#include "app/qml_controller.h"
#include "editing/bar_list_model.h"

#include <vemo_core/events.h>
#include <vemo_core/properties.h>
#include <vemo_core/timeline_records.h>
#include <vemo_core/vemo_event.h>
#include <vemo_player_core/interface.h>

#include <QUrl>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

class QQmlEngine;

namespace vemo::qt {

class EditController;

// A beat's tick moved by an in-shift, as the point tools with an in-shift slider place an event:
// the sum in double precision, kept to the tick range and truncated toward zero (a sum that is
// not a number gives 0). The slider's value is a real number, so it is bounded before conversion.
std::uint32_t ShiftedTick(std::uint32_t tick, double inShift);

// The address of the tool document `name` in the program's module.
QUrl ToolDocument(const char* name);

// Base of the edit tools: owns a tool window made from a document, offers the current song's bars
// and beats in its inputs, proposes an id for a new event, and forwards a finished event or a
// change to the edit controller. A tool works only on the song its bar list was built for: after a
// song change its requests are refused.
//
// The main window (and a test) opens a tool like this, and releases it with deleteLater() when the
// tool announces its closing:
//
//     auto* tool = new CutToolController(engine, player, editController, mainWindow);
//     tool->onCutButtonClicked(player->GetBarBeatByTick(start), player->GetBarBeatByTick(end));
//     tool->ConnectDocument();
//     QObject::connect(tool, &CutToolController::cutToolClosing, tool, &QObject::deleteLater);
class EditToolController : public QmlController {
    Q_OBJECT

public:
    // The player is shared with the caller; `barsFlag` is passed on to the player's bar lookup.
    EditToolController(QQmlEngine* engine, const QUrl& document, EditController* editController,
                       std::shared_ptr<Interface> player, char code, QObject* parentWindow, bool barsFlag);
    ~EditToolController() override;

    // Connects the window's requests to the tool's slots.
    virtual void ConnectDocument() = 0;
    // Runs after every change of the in bar or in beat.
    virtual void AfterBarBeatChanged();
    // The bars/beats record an edited event's tick opens on: the player's snapping lookup on its
    // usual grid, unless a tool reads another grid or the beat at or before the tick.
    virtual TL::BarsBeats EditRecordAt(std::uint32_t tick) const;
    // The forwarders return false when nothing reached the editor or the editor refused.
    virtual bool AddEvent(cmn::VemoEvent& event);
    virtual bool EditEventStartEndValues(cmn::VemoEvent* event, std::uint32_t start, std::uint32_t end);
    virtual bool EditEventStringValue(cmn::VemoEvent* event, std::string value);
    virtual bool EditEventIntValue(cmn::VemoEvent* event, int value);
    virtual bool EditEventFloatValue(cmn::VemoEvent* event, float value);
    virtual bool EditEventSFXPropertyValues(cmn::VemoEvent* event, CL::SfxProperties properties);
    virtual bool EditEventOscPropertyValues(cmn::VemoEvent* event, CL::OscProperties properties);

    const BarListModel& BarList() const { return *barList; }
    // The song the bar list was built for.
    const std::string& Song() const { return song; }
    // The tool's copy of the event its window changes; null for a new event.
    cmn::VemoEvent* EditedEvent() const { return editedEvent.get(); }
    // False once one of the window's connections was refused.
    bool DocumentConnected() const { return documentConnected; }

signals:
    void valuesUpdated();

public slots:
    void onInBeatInputUpdateRequest(QVariant index);
    void onOutBeatInputUpdateRequest(QVariant index);
    void inBarBeatChanged_();

protected:
    // A window connection by signature; a refused one is reported and remembered.
    void ConnectWindow(const QObject* sender, const char* signal, const char* method);
    // The window's descendant with this object name; null without one.
    QObject* WindowChild(const char* objectName) const;
    // Connects the window's change and create requests and its closing to the tool's slots, and the
    // panel's requests for the in beats (with `range`, also the out beats).
    void ConnectToolWindow(const char* changeRequest, const char* changeSlot, const char* createRequest,
                           const char* createSlot, const char* closing, const char* closingSlot, bool range);

    int BarRowOf(const TL::BarsBeats& record) const;
    void SetBarInputs(const TL::BarsBeats& start, const TL::BarsBeats& end);
    void SetBarInputs(const TL::BarsBeats& record) { SetBarInputs(record, record); }
    void SetBeatInputs(const TL::BarsBeats& start, const TL::BarsBeats& end);
    void SetBeatInputs(const TL::BarsBeats& record) { SetBeatInputs(record, record); }
    void SetBeatModel(int row, bool inInput);
    void SetIntValue(std::uint32_t value);
    void SetStrValue(const std::string& value);
    // The window's in-shift minimum: the distance from the leading entry to `minimumStartTick` when
    // the bar list holds that entry and the minimum lies after it, else 0.
    void SetInShiftMin(int minimumStartTick);
    void SetMinStartTick(std::uint32_t tick) { minStartTick = tick; }
    std::uint32_t MinStartTick() const { return minStartTick; }
    // The in-shift range of the picked in bar and beat: the player's available shift as maximum,
    // and at the leading entry the distance to the minimum start tick as minimum and value.
    void ApplyInShiftLimits();
    void SetSfxProperties(const CL::SfxProperties& properties);

    // Fills the inputs from the records and shows the window for a new event.
    void OpenForNew(const TL::BarsBeats& start, const TL::BarsBeats& end);
    // Writes the kind's value into the window; given the record the inputs show for the start.
    using PutValue = std::function<void(const TL::BarsBeats& startRecord)>;
    // Shows the window on a copy of `event`, its inputs on the EditRecordAt records of the event's
    // start and end (a point event's one record for both), then runs `putValue`.
    void OpenForEdit(const cmn::VemoEvent* event, const PutValue& putValue = {});
    // The ticks of a request's texts, the start raised to the earliest edit tick; none (and the
    // refusal shown) when a bar text is empty.
    std::optional<std::pair<std::uint32_t, std::uint32_t>> RequestTicks(const QVariant& startBar,
                                                                       const QVariant& startBeat,
                                                                       const QVariant& endBar,
                                                                       const QVariant& endBeat);
    // The change of the edited event: the new ticks, then `valueStep` whatever their result, then
    // valuesUpdated(). Nothing at all after a song change. True when the ticks were applied.
    bool ApplyChange(std::uint32_t start, std::uint32_t end, const std::function<void()>& valueStep);
    std::string WindowEventId() const;

    std::shared_ptr<Interface> player;
    EditController* editController;

private:
    // Whether the player and the edit model are still on the tool's song; `report` shows a refusal.
    bool OnToolSong(bool report) const;
    bool Forward(const char* failure, const std::function<bool(EditController&)>& call) const;
    void SetInput(const char* objectName, const QVariant& model, int currentIndex);

    char code;
    std::unique_ptr<BarListModel> barList;
    std::shared_ptr<cmn::VemoEvent> editedEvent;
    std::uint32_t minStartTick = 0;
    std::string song;
    bool documentConnected = true;
};

} // namespace vemo::qt
