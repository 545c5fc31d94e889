#pragma once

#include <QObject>
#include <QQmlEngine>
#include <QString>
#include <QStringList>

#include <memory>

class QQuickWindow;

namespace vemo::testing {

// Sets up `engine` as the program sets up its own: Basic style, the "qrc:/qt/qml" import path,
// the toolkit and product modules (vemo_ui, musical_ui, tolbrin2_ui) and the core meta-types.
// Quick Test runners call it from qmlEngineAvailable().
void PrepareQmlEngine(QQmlEngine& engine);

// A new engine prepared by PrepareQmlEngine().
std::unique_ptr<QQmlEngine> MakeQmlEngine();

// The qmldir text of a module built into the test, by its URI ("com.quorvane.musical_ui"); ""
// when the module is not there.
QString ModuleQmldir(const QString& uri);

// The types listed in that qmldir, in its order.
QStringList ModuleTypes(const QString& uri);

// The child of `root` with this object name; fails the test when there is none.
QObject* Child(QObject* root, const QString& objectName);

// Shows `window` as the active window, so that key events reach its focused item.
bool Activate(QQuickWindow* window);

// Waits until `window` is shown and laid out.
bool Settle(QQuickWindow* window);

// Lets deleteLater() calls take effect.
void DeliverDeferredDeletes();

}  // namespace vemo::testing
