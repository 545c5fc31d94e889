#include "controller_fixture.h"

#include <QCoreApplication>
#include <QQuickWindow>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest/quicktest.h>
#include <QtTest>

Q_IMPORT_QML_PLUGIN(com_quorvane_vemo_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_tolbrin2_uiPlugin)

namespace vemo::testing {

std::unique_ptr<QQmlEngine> MakeToolkitEngine()
{
    auto engine = std::make_unique<QQmlEngine>();
    engine->addImportPath("qrc:/qt/qml");
    return engine;
}

QObject* Child(QObject* root, const QString& objectName)
{
    QObject* child = root == nullptr ? nullptr : root->findChild<QObject*>(objectName);
    if (child == nullptr) {
        QTest::qFail(qPrintable("no child named " + objectName), __FILE__, __LINE__);
    }
    return child;
}

bool Activate(QQuickWindow* window)
{
    if (window == nullptr) {
        return false;
    }
    window->requestActivate();
    return QTest::qWaitForWindowActive(window);
}

bool Settle(QQuickWindow* window)
{
    return window != nullptr && QTest::qWaitForWindowExposed(window) && QQuickTest::qWaitForPolish(window);
}

void DeliverDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace vemo::testing
