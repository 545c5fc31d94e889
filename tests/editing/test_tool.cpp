#include "test_tool.h"

#include <vemo_test/qml_engine.h>

#include <QGuiApplication>
#include <QPointer>
#include <QQuickWindow>
#include <QtTest>

namespace edittest {

QObject* ToolChild(vemo::qt::EditToolController* tool, const char* name)
{
    QObject* window = tool->QmlObject();
    if (QObject* child = window->findChild<QObject*>(name))
        return child;
    auto* quickWindow = qobject_cast<QQuickWindow*>(window);
    return quickWindow != nullptr ? quickWindow->contentItem()->findChild<QObject*>(name) : nullptr;
}

void Confirm(QObject* window)
{
    QMetaObject::invokeMethod(window, "confirm");
}

QQuickWindow* ShownActive(vemo::qt::EditToolController* tool)
{
    auto* window = qobject_cast<QQuickWindow*>(tool->QmlObject());
    window->requestActivate();
    return QTest::qWaitForWindowActive(window) ? window : nullptr;
}

void CloseWindow(vemo::qt::EditToolController* tool, QQuickWindow* window, const QString& how)
{
    if (how == "ok")
        QMetaObject::invokeMethod(ToolChild(tool, "editButtons"), "okayClicked");
    else if (how == "cancel")
        QMetaObject::invokeMethod(ToolChild(tool, "editButtons"), "cancelClicked");
    else if (how == "return")
        QTest::keyClick(window, Qt::Key_Return);
    else if (how == "escape")
        QTest::keyClick(window, Qt::Key_Escape);
    else
        window->close();
}

bool ReleasedWithItsWindow(vemo::qt::EditToolController* tool, qsizetype windowsBefore)
{
    QPointer<QObject> window = tool->QmlObject();
    tool->deleteLater();
    vemo::testing::DeliverDeferredDeletes();
    vemo::testing::DeliverDeferredDeletes();
    return window.isNull() && QGuiApplication::allWindows().size() == windowsBefore;
}

TestTool::TestTool(EditRig& rig, char code, vemo::qt::EditController* controller)
    : EditToolController(rig.qml.get(), QUrl::fromLocalFile(EDITING_TEST_DIR "/InShiftTestTool.qml"), controller,
                         rig.engine, code, nullptr, true)
{
}

void TestTool::ConnectDocument()
{
    QObject* panel = WindowChild("barAndBeatPanel");
    ConnectWindow(panel, SIGNAL(inBeatInputUpdateRequest(QVariant)), SLOT(onInBeatInputUpdateRequest(QVariant)));
    ConnectWindow(panel, SIGNAL(outBeatInputUpdateRequest(QVariant)), SLOT(onOutBeatInputUpdateRequest(QVariant)));
}

void TestTool::AfterBarBeatChanged()
{
    ++afterBarBeatChanges;
    ApplyInShiftLimits();
}

} // namespace edittest
