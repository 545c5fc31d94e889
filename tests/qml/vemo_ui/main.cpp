#include <QCoreApplication>
#include <QFile>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest>

#include "qml_probe.h"

Q_IMPORT_QML_PLUGIN(com_quorvane_vemo_uiPlugin)

namespace {

// Prepares the application and every engine of the run the way the program does.
class Setup : public QObject {
    Q_OBJECT

public slots:
    void applicationAvailable()
    {
        QCoreApplication::setOrganizationName("Quorvane");
        QCoreApplication::setOrganizationDomain("quorvane.com");
        QQuickStyle::setStyle("Basic");
    }

    void qmlEngineAvailable(QQmlEngine* engine)
    {
        engine->addImportPath("qrc:/qt/qml");
        engine->rootContext()->setContextProperty("qmlProbe", new vemo::testing::QmlProbe(engine));
        QFile qmldir(":/qt/qml/com/quorvane/vemo_ui/qmldir");
        const bool opened = qmldir.open(QIODevice::ReadOnly);
        engine->rootContext()->setContextProperty("vemoUiQmldir",
                                                  opened ? QString::fromUtf8(qmldir.readAll()) : QString());
    }
};

} // namespace

QUICK_TEST_MAIN_WITH_SETUP(vemo_ui, Setup)

#include "main.moc"
