#pragma once

#include "editing/int_value_tools.h"

#include <vector>

namespace vemo::qt {

// The click tool ('L'): a range whose click resolution is picked from the ones the engine offers
// for it. Its bar list and its records follow the meter, not the click regions, so a region can
// be placed over bars that an earlier click region numbers differently.
class ClickToolController : public IntValueToolController {
    Q_OBJECT

public:
    ClickToolController(QQmlEngine* engine, std::shared_ptr<Interface> player, EditController* editController,
                        QObject* parentWindow);

    void ConnectDocument() override;
    TL::BarsBeats EditRecordAt(std::uint32_t tick) const override;

signals:
    void clickToolClosing();

public slots:
    void onClickButtonClicked(TL::BarsBeats startBarsBeats = {}, TL::BarsBeats endBarsBeats = {});
    void onClickCreationRequest(QString startBar, int startBeat, QString endBar, int endBeat, int count);
    // Offers the resolutions of the range shown and picks the first.
    void updateClicksModel();
    void onClickEdit(cmn::VemoEvent* event);
    void onClickChangeRequest(QString startBar, int startBeat, QString endBar, int endBeat, int count);
    void onClickToolClosing();

private:
    // The resolutions the engine offers for the range the inputs show, in the engine's order.
    std::vector<int> AvailableClickValues();
};

} // namespace vemo::qt
