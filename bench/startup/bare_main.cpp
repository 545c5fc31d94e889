// The benchmark's reference: a bare Qt Quick program with one 1366 x 768 ApplicationWindow in the
// Basic style.
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickStyle>

int main(int argc, char** argv)
{
    QQuickStyle::setStyle("Basic");
    QGuiApplication application(argc, argv);
    QQmlApplicationEngine engine;
    engine.loadData("import QtQuick\nimport QtQuick.Controls\n"
                    "ApplicationWindow { width: 1366; height: 768; visible: true; title: \"Bare\" }\n");
    return QGuiApplication::exec();
}
