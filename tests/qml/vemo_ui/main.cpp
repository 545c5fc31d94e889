#include <QCoreApplication>
#include <QFile>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest>
#include <QUrl>

#include <vemo_test/test_environment.h>

#include <filesystem>
#include <fstream>

#include "qml_probe.h"

Q_IMPORT_QML_PLUGIN(com_quorvane_vemo_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_packagerPlugin)

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
        makeScratchFiles();
    }

    void qmlEngineAvailable(QQmlEngine* engine)
    {
        engine->addImportPath("qrc:/qt/qml");
        engine->rootContext()->setContextProperty("qmlProbe", new vemo::testing::QmlProbe(engine));
        engine->rootContext()->setContextProperty("scratchFolderUrl", QUrl::fromLocalFile(scratchFolder()));
        QFile qmldir(":/qt/qml/com/quorvane/vemo_ui/qmldir");
        const bool opened = qmldir.open(QIODevice::ReadOnly);
        engine->rootContext()->setContextProperty("vemoUiQmldir",
                                                  opened ? QString::fromUtf8(qmldir.readAll()) : QString());
    }

private:
    static QString scratchFolder()
    {
        return QString::fromStdString((vemo::testing::TestRoot() / "scratch").string());
    }

    // Real files and folders for the file and folder dialogs, which refuse what does not exist.
    static void makeScratchFiles()
    {
        const std::filesystem::path folder = scratchFolder().toStdString();
        std::filesystem::create_directories(folder / "100%");
        std::filesystem::create_directories(folder / "My Show");
        std::ofstream(folder / "100%.csv") << "name,file\n";
    }
};

} // namespace

QUICK_TEST_MAIN_WITH_SETUP(vemo_ui, Setup)

#include "main.moc"
