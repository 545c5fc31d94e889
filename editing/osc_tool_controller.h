#pragma once

#include "editing/edit_tool_controller.h"

#include <cstdint>
#include <memory>

namespace vemo {
class NetworkListModel;
}

namespace vemo::qt {

// The OSC cue tool ('S'): a message sent to one of the show's network destinations at a bar and
// beat plus an in-shift. The destinations are read from the player once, when the tool is made.
//
//     auto* tool = new OscToolController(engine, player, editController, mainWindow);
//     tool->onToolEdit(event, player->GetMinStartTickIndex());
//     tool->ConnectDocument();
//     QObject::connect(tool, &OscToolController::toolClosing, tool, &QObject::deleteLater);
class OscToolController : public EditToolController {
    Q_OBJECT

public:
    OscToolController(QQmlEngine* engine, std::shared_ptr<Interface> player, EditController* editController,
                      QObject* parentWindow);
    ~OscToolController() override;

    void ConnectDocument() override;
    // Puts the in-shift back to 0, then sets the range of the picked bar and beat.
    void AfterBarBeatChanged() override;
    // A cue opens on the beat at or before it, not the nearest beat.
    TL::BarsBeats EditRecordAt(std::uint32_t tick) const override;
    // Chooses the first destination whose id equals `networkId` exactly; none when no id does.
    void SelectNetwork(const QString& networkId);

signals:
    void toolClosing();

public slots:
    void onToolButtonClicked(TL::BarsBeats barsBeats = {}, UInt32 minStartTick = 0);
    void onToolCreationRequest(QString bar, int beat, QString value, QString networkId, double inShift);
    void onToolEdit(cmn::VemoEvent* vemoEvent, UInt32 minStartTick);
    void onToolChangeRequest(QString bar, int beat, QString value, QString networkId, double inShift);
    void onToolClosing();

private:
    std::unique_ptr<NetworkListModel> networks;
};

} // namespace vemo::qt
