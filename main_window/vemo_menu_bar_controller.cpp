#include "main_window/vemo_menu_bar_controller.h"

#include <QUrl>
#include <QVariantMap>

namespace vemo::qt {

VemoMenuBarController::VemoMenuBarController(QQmlEngine* engine)
    : QmlController(engine, QUrl("qrc:/qt/qml/com/quorvane/musical_ui/qml/VemoMenuBar.qml"), nullptr, true, {})
{
}

void VemoMenuBarController::setSfxPermissions(bool permissions)
{
    sfx = permissions;
    if (QObject* document = QmlObject())
        document->setProperty("sfxPermissions", permissions);
    emit sfxPermissionsChanged(permissions);
}

} // namespace vemo::qt
