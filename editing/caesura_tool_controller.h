#pragma once

#include "editing/edit_tool_controller.h"

#include <QVariant>

#include <memory>

namespace vemo::qt {

// The caesura tool ('N'): a break in the music at a bar and beat plus an in-shift, a number of
// ticks after that beat within the shift the engine allows there.
class CaesuraToolController : public EditToolController {
    Q_OBJECT

public:
    CaesuraToolController(QQmlEngine* engine, std::shared_ptr<Interface> player, EditController* editController,
                          QObject* parentWindow);

    void ConnectDocument() override;
    // Settles the in-shift range of the chosen bar and beat.
    void AfterBarBeatChanged() override;
    // A caesura opens on the beat at or before it, not the nearest beat.
    TL::BarsBeats EditRecordAt(std::uint32_t tick) const override;

signals:
    void caesuraToolClosing();

public slots:
    // A new caesura; `MinStartTick` is the earliest tick it may take.
    void onCaesuraButtonClicked(TL::BarsBeats barsBeats, UInt32 MinStartTick);
    void onCaesuraButtonClicked(TL::BarsBeats barsBeats = {});
    void onCaesuraCreationRequest(QVariant bar, QVariant beat, double inShift);
    void onCaesuraEdit(cmn::VemoEvent* vemoEvent);
    void onCaesuraChangeRequest(QVariant bar, QVariant beat, double inShift);
    void onCaesuraToolClosing();

private:
    // The tick of the chosen beat, raised to the leading tick, plus the in-shift; none (and the
    // refusal shown) when the bar text is empty.
    std::optional<std::uint32_t> RequestTick(const QVariant& bar, const QVariant& beat, double inShift);
};

} // namespace vemo::qt
