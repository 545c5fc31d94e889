#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(com_quorvane_vemo_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_musical_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_tolbrin2_uiPlugin)

int main(int argc, char** argv)
{
    QQuickStyle::setStyle("Basic");
    QGuiApplication application(argc, argv);
    QQmlApplicationEngine engine;
    engine.addImportPath("qrc:/qt/qml");

    QQuickWindow window;
    window.setTitle("Tol|brin");
    window.resize(1280, 800);
    window.show();
    return application.exec();
}
