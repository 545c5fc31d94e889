#pragma once

#include "editing/edit_tool_controller.h"

#include <QString>

#include <memory>

namespace vemo::qt {

// The marker tool ('E'): a named point of the song at a bar and beat. The text is free, the empty
// text included.
class MarkerToolController : public EditToolController {
    Q_OBJECT

public:
    MarkerToolController(QQmlEngine* engine, std::shared_ptr<Interface> player, EditController* editController,
                         QObject* parentWindow);

    void ConnectDocument() override;

signals:
    void markerToolClosing();

public slots:
    void onMarkerButtonClicked(TL::BarsBeats barsBeats = {});
    void onMarkerCreationRequest(QString bar, int beat, QString value);
    void onMarkerEdit(cmn::VemoEvent* vemoEvent);
    void onMarkerChangeRequest(QString bar, int beat, QString value);
    void onMarkerToolClosing();
};

} // namespace vemo::qt
