#pragma once

#include <QObject>
#include <QQmlEngine>
#include <QString>

#include <memory>

class QQuickWindow;

namespace vemo::testing {

// A QML engine set up as the program sets up its own, with the toolkit and product modules.
std::unique_ptr<QQmlEngine> MakeToolkitEngine();

// The child of `root` with this object name; fails the test when there is none.
QObject* Child(QObject* root, const QString& objectName);

// Shows `window` as the active window, so that key events reach its focused item.
bool Activate(QQuickWindow* window);

// Waits until `window` is shown and laid out.
bool Settle(QQuickWindow* window);

// Lets deleteLater() calls take effect.
void DeliverDeferredDeletes();

} // namespace vemo::testing
