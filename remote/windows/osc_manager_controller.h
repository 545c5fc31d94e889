#pragma once

#include "app/qml_controller.h"
#include "models/network_list_model.h"
#include "osc/osc_settings.h"

#include <vemo_core/properties.h>
#include <vemo_player_core/interface.h>

#include <QString>

#include <memory>

namespace vemo::qt {

// The "OSC Manager" window: the listen settings, the show's network destinations and the QLab patch
// export. Nothing leaves the window until OK, which emits oscSettingsUpdated and hides it.
class OscManagerController : public QmlController {
    Q_OBJECT

public:
    OscManagerController(QQmlEngine* engine, osc::OscSettings settings, std::shared_ptr<Interface> player,
                         QObject* parent);
    ~OscManagerController() override;

    NetworkListModel& Model() { return *model; }

signals:
    // The destinations live only during the emission: connect directly and copy what is needed.
    void oscSettingsUpdated(osc::OscSettings settings, CL::NetworkPathVectorT& newNetworks);

public slots:
    void onOkayClicked_();
    void exportQLab_(QString folder);
    void onCreateNetwork_(QString ip, int port, QString mode, QString name);
    void onEditNetwork_(int index, QString ip, int port, QString mode, QString name, QString networkId);

private:
    std::shared_ptr<Interface> player;
    std::unique_ptr<NetworkListModel> model;
};

} // namespace vemo::qt
