#pragma once

#include <QPointer>
#include <QQuickView>

#include <string>

namespace vemo::qt {

// Opens a free-standing 500 x 500 window showing report as plain text. The window deletes itself
// (with its own QML engine) once it is closed.
QPointer<QQuickView> OpenMessageBox(const std::string& report);

} // namespace vemo::qt
