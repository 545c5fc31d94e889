#pragma once

#include "editing/edit_tool_controller.h"

#include <QString>

#include <memory>

namespace vemo::qt {

// The tempo tool ('D', a CL::TempoScale): a range of the song whose tempo is scaled by a whole
// percentage from 50 to 200. The event holds the factor (percent / 100).
class TempoToolController : public EditToolController {
    Q_OBJECT

public:
    TempoToolController(QQmlEngine* engine, std::shared_ptr<Interface> player, EditController* editController,
                        QObject* parentWindow);

    void ConnectDocument() override;

signals:
    void tempoToolClosing();

public slots:
    void onTempoButtonClicked(TL::BarsBeats startBarsBeats = {}, TL::BarsBeats endBarsBeats = {});
    void onTempoCreationRequest(QString startBar, int startBeat, QString endBar, int endBeat, int count);
    void onTempoEdit(cmn::VemoEvent* vemoEvent);
    void onTempoChangeRequest(QString startBar, int startBeat, QString endBar, int endBeat, int count);
    void onTempoToolClosing();
};

} // namespace vemo::qt
