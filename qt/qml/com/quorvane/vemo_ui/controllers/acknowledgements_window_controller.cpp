#include "vemo_ui/controllers/acknowledgements_window_controller.h"

#include <QFile>
#include <QUrl>
#include <QVariantMap>

namespace vemo::qt {

AcknowledgementsWindowController::AcknowledgementsWindowController(QObject* parent, QQmlEngine* engine,
                                                                   const QString& path)
    : QmlController(engine, QUrl("qrc:/qt/qml/com/quorvane/vemo_ui/qml/AcknowledgementsWindow.qml"), parent, true,
                    QVariantMap())
{
    QObject* window = QmlObject();
    if (window == nullptr) {
        return;
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        window->setProperty("acknowledgementText", QString::fromUtf8(file.readAll()));
    } else {
        window->setProperty("acknowledgementText", QStringLiteral("Error: Unable to Load Acknowledgements."));
    }
}

} // namespace vemo::qt
