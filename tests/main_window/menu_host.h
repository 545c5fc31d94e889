#pragma once

#include "main_window/responsive_menu_controller.h"

#include <vemo_test/qml_engine.h>

#include <QPointer>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

#include <memory>

namespace vemo::testing {

// The main window's menu in a window of its own, with its controller as the main window makes it
// ("Tol|brin"). The window counts its close requests and, while `refuseClose` is true, refuses them
// as the main window does while the close flow runs.
struct MenuHost {
    explicit MenuHost(bool showAudioManager = true, bool oscEnabled = true)
    {
        QQmlComponent component(engine.get());
        component.setData("import QtQuick\nimport QtQuick.Window\nimport com.quorvane.musical_ui\n"
                          "Window {\n"
                          "    property int closeRequests: 0\n"
                          "    property bool refuseClose: true\n"
                          "    width: 800; height: 600; visible: true\n"
                          "    onClosing: (close) => { closeRequests++; close.accepted = !refuseClose }\n"
                          "    ResponsiveMenu { objectName: \"menu\"; x: 10; y: 10 }\n"
                          "}\n",
                          QUrl("qrc:/menu_host.qml"));
        window.reset(qobject_cast<QQuickWindow*>(component.create()));
        if (window == nullptr)
            qFatal("%s", qPrintable(component.errorString()));
        menu = window->findChild<QQuickItem*>("menu");
        controller = std::make_unique<vemo::qt::ResponsiveMenuController>(showAudioManager, "Tol|brin", menu,
                                                                          engine.get(), oscEnabled);
    }

    // Opens the drop-down from the icon as the user does and returns it once it is open.
    QObject* OpenDropDown() const
    {
        if (!Settle(window.get()))
            return nullptr;
        QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(20, 20));
        QPointer<QObject> dropDown = menu->findChild<QObject*>("menu");
        if (!QTest::qWaitFor([&dropDown] { return dropDown != nullptr && dropDown->property("opened").toBool(); }))
            return nullptr;
        return dropDown;
    }

    // An entry of a submenu ("fileMenu", "editMenu", ...) by its position; separators count. The
    // drop-down is made the first time it opens: the first call opens it and closes it again.
    QObject* Entry(const char* submenu, int index) const
    {
        if (menu->findChild<QObject*>("menu") == nullptr) {
            QObject* dropDown = OpenDropDown();
            if (dropDown == nullptr || !QMetaObject::invokeMethod(dropDown, "close")
                || !QTest::qWaitFor([dropDown] { return !dropDown->property("visible").toBool(); }))
                return nullptr;
        }
        QObject* list = menu->findChild<QObject*>(submenu);
        QQuickItem* item = nullptr;
        QMetaObject::invokeMethod(list, "itemAt", Q_RETURN_ARG(QQuickItem*, item), Q_ARG(int, index));
        return item == nullptr ? nullptr : item->property("action").value<QObject*>();
    }

    std::unique_ptr<QQmlEngine> engine = MakeQmlEngine();
    std::unique_ptr<QQuickWindow> window;
    QQuickItem* menu = nullptr;
    std::unique_ptr<vemo::qt::ResponsiveMenuController> controller;
};

} // namespace vemo::testing
