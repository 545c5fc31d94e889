#include "vemo_test/qml_engine.h"

#include <vemo_core/types.h>

#include <QCoreApplication>
#include <QFile>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest/quicktest.h>
#include <QtTest>

#include <mutex>

Q_IMPORT_QML_PLUGIN(com_quorvane_vemo_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_musical_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_tolbrin2_uiPlugin)

namespace vemo::testing {

void PrepareQmlEngine(QQmlEngine& engine)
{
    // Once per process, before the first Controls document loads.
    static std::once_flag processPrepared;
    std::call_once(processPrepared, [] {
        QQuickStyle::setStyle("Basic");
        vemo::core::RegisterQtMetaTypes();
    });
    engine.addImportPath("qrc:/qt/qml");
}

std::unique_ptr<QQmlEngine> MakeQmlEngine()
{
    auto engine = std::make_unique<QQmlEngine>();
    PrepareQmlEngine(*engine);
    return engine;
}

QString ModuleQmldir(const QString& uri)
{
    QFile qmldir(":/qt/qml/" + QString(uri).replace('.', '/') + "/qmldir");
    return qmldir.open(QIODevice::ReadOnly) ? QString::fromUtf8(qmldir.readAll()) : QString();
}

QStringList ModuleTypes(const QString& uri)
{
    QStringList types;
    for (const QString& line : ModuleQmldir(uri).split('\n')) {
        const QStringList parts = line.split(' ');
        if (parts.size() == 3 && parts[1] == "1.0")
            types.append(parts[0]);
    }
    return types;
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

}  // namespace vemo::testing
