#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

#include <vemo_test/qml_engine.h>
#include <vemo_test/qml_probe.h>

namespace {

// Prepares every engine of the run the way the program prepares its own.
class Setup : public QObject {
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine* engine)
    {
        const QString module = "com.quorvane.musical_ui";
        vemo::testing::PrepareQmlEngine(*engine);
        engine->rootContext()->setContextProperty("qmlProbe", new vemo::testing::QmlProbe(engine));
        engine->rootContext()->setContextProperty("musicalUiQmldir", vemo::testing::ModuleQmldir(module));
        engine->rootContext()->setContextProperty("musicalUiTypes", vemo::testing::ModuleTypes(module));
    }
};

}  // namespace

QUICK_TEST_MAIN_WITH_SETUP(musical_ui, Setup)

#include "main.moc"
