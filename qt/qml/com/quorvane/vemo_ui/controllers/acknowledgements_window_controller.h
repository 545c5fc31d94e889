#pragma once

#include "app/qml_controller.h"

#include <QString>

class QQmlEngine;

namespace vemo::qt {

// Opens the acknowledgements window at once and fills it with the text at `path` (a resource path).
class AcknowledgementsWindowController : public QmlController {
    Q_OBJECT

public:
    AcknowledgementsWindowController(QObject* parent, QQmlEngine* engine, const QString& path);
};

} // namespace vemo::qt
