#include <QCoreApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest>
#include <QUrl>

#include <vemo_test/qml_engine.h>
#include <vemo_test/qml_probe.h>
#include <vemo_test/test_environment.h>

#include <filesystem>
#include <fstream>

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
        makeScratchFiles();
    }

    void qmlEngineAvailable(QQmlEngine* engine)
    {
        vemo::testing::PrepareQmlEngine(*engine);
        engine->rootContext()->setContextProperty("qmlProbe", new vemo::testing::QmlProbe(engine));
        engine->rootContext()->setContextProperty("scratchFolderUrl", QUrl::fromLocalFile(scratchFolder()));
        engine->rootContext()->setContextProperty("vemoUiQmldir",
                                                  vemo::testing::ModuleQmldir("com.quorvane.vemo_ui"));
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
