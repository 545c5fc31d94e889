#include "output_paths_rig.h"

#include <vemo_test/qml_engine.h>

#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

using vemo::qt::OutputPathsManagerController;
using vemo::testing::OutputPathsRig;

namespace {

void Click(QQuickItem* item, Qt::MouseButton button = Qt::LeftButton)
{
    QVERIFY(item);
    QVERIFY(item->isEnabled());
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(item->window(), button, {}, centre.toPoint());
}

QQuickItem* Item(QObject* root, const char* objectName)
{
    return qobject_cast<QQuickItem*>(vemo::testing::Child(root, objectName));
}

// The list's delegate of a row, laid out.
QQuickItem* RowItem(QObject* window, int row)
{
    QQuickItem* item = nullptr;
    QMetaObject::invokeMethod(vemo::testing::Child(window, "pathList"), "itemAtIndex", Q_RETURN_ARG(QQuickItem*, item),
                              Q_ARG(int, row));
    return item;
}

} // namespace

// The "Output Paths" window and its path dialog, used with the mouse over a loaded show.
class TestOutputPathsWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { vemo::testing::StartOutputPathsTest(); }
    void cleanup() { vemo::testing::EndOutputPathsTest(); }

    // The device column shows the device file's choice over the player's, with no refresh of its own.
    void windowShowsTheRowsAndTheDevices()
    {
        const std::string file = R"({"outputpaths":[{"id":"p1","hwid":"virtual-out-3-4"}]})";
        OutputPathsRig rig({{.id = "p1", .name = "Left", .deviceId = "old", .deviceName = "Old"}}, &file);
        rig.MakeManager();
        QObject* window = Open(rig);
        QCOMPARE(window->property("deviceList").toStringList(),
                 (QStringList{"(default)", "Virtual Output 1-2", "Virtual Output 3-4"}));
        QQuickItem* row = RowItem(window, 0);
        QVERIFY(row);
        QCOMPARE(vemo::testing::Child(row, "pathNameText")->property("text").toString(), QString("Left"));
        QCOMPARE(vemo::testing::Child(row, "pathDeviceText")->property("text").toString(), QString("Virtual Output 3-4"));
    }

    void editAndDeleteNeedASelectedRow()
    {
        OutputPathsRig rig({});
        rig.MakeManager();
        QObject* window = Open(rig);
        QVERIFY(!Item(window, "editButton")->isEnabled());
        QVERIFY(!Item(window, "deleteButton")->isEnabled());
        Click(Item(window, "newPathButton"));
        Confirm(window, "Mic");
        QCOMPARE(rig.manager->Model()->rowCount(), 1);
        QVERIFY(QTest::qWaitFor([&] { return RowItem(window, 0) != nullptr; }));
        window->setProperty("currentIndex", -1);
        QVERIFY(!Item(window, "editButton")->isEnabled());
        Click(RowItem(window, 0));
        QCOMPARE(window->property("currentIndex").toInt(), 0);
        QVERIFY(Item(window, "editButton")->isEnabled());
        QVERIFY(Item(window, "deleteButton")->isEnabled());
        Click(Item(window, "deleteButton"));
        QCOMPARE(rig.manager->Model()->rowCount(), 0);
        // The list gives up its current row when it next lays out.
        QTRY_VERIFY(!Item(window, "editButton")->isEnabled());
        QVERIFY(!Item(window, "deleteButton")->isEnabled());
    }

    void rightClickSelectsARow()
    {
        OutputPathsRig rig({{.id = "p1", .name = "Left"}, {.id = "p2", .name = "Right"}});
        rig.MakeManager();
        QObject* window = Open(rig);
        QCOMPARE(window->property("currentIndex").toInt(), 0);
        Click(RowItem(window, 1), Qt::RightButton);
        QCOMPARE(window->property("currentIndex").toInt(), 1);
    }

    void newPathOpensAClearedDialog()
    {
        OutputPathsRig rig({{.id = "p1", .name = "Left", .deviceId = "virtual-out-3-4", .deviceName = "Virtual Output 3-4"}});
        rig.MakeManager();
        QObject* window = Open(rig);
        QObject* tool = vemo::testing::Child(window, "pathTool");
        Click(Item(window, "editButton"));
        QCOMPARE(tool->property("pathName").toString(), QString("Left"));
        QCOMPARE(tool->property("pathDeviceIndex").toInt(), 2);
        QVERIFY(tool->property("isEdit").toBool());
        QCOMPARE(tool->property("title").toString(), QString("Edit Output Path"));
        qobject_cast<QWindow*>(tool)->close();

        Click(Item(window, "newPathButton"));
        QVERIFY(tool->property("visible").toBool());
        QCOMPARE(tool->property("pathName").toString(), QString());
        QCOMPARE(tool->property("pathDeviceIndex").toInt(), 0);
        QCOMPARE(tool->property("pathDevice").toString(), QString("(default)"));
        QVERIFY(!tool->property("isEdit").toBool());
        QCOMPARE(tool->property("title").toString(), QString("Create Output Path"));
    }

    void okWithAnEmptyNameCreatesAnEmptyName()
    {
        OutputPathsRig rig({});
        rig.MakeManager();
        QObject* window = Open(rig);
        QSignalSpy requests(window, SIGNAL(createPathRequest(QString,QString)));
        Click(Item(window, "newPathButton"));
        Confirm(window, "");
        QCOMPARE(requests.count(), 1);
        QCOMPARE(requests.at(0), (QVariantList{QString(), QString("(default)")}));
        QCOMPARE(rig.manager->Model()->PathName(0), QString());
        QVERIFY(!vemo::testing::Child(window, "pathTool")->property("visible").toBool());
    }

    void cancelSendsNothing()
    {
        OutputPathsRig rig({});
        rig.MakeManager();
        QObject* window = Open(rig);
        Click(Item(window, "newPathButton"));
        QObject* tool = vemo::testing::Child(window, "pathTool");
        tool->setProperty("pathName", "Mic");
        Click(Item(tool, "cancelButton"));
        QVERIFY(!tool->property("visible").toBool());
        QCOMPARE(rig.manager->Model()->rowCount(), 0);
    }

    // A row whose device is not listed opens the dialog on the entry it showed last, and OK
    // assigns that entry's device.
    void editOfAnUnlistedDeviceKeepsTheLastEntry_data()
    {
        QTest::addColumn<QString>("deviceName");
        QTest::newRow("empty device name") << QString();
        QTest::newRow("unplugged device") << QString("USB Interface");
    }

    void editOfAnUnlistedDeviceKeepsTheLastEntry()
    {
        QFETCH(QString, deviceName);
        OutputPathsRig rig({{.id = "p1", .name = "Left", .deviceId = "virtual-out-1-2", .deviceName = "Virtual Output 1-2"},
                            {.id = "p2", .name = "Right", .deviceId = "usb", .deviceName = deviceName.toStdString()}});
        rig.MakeManager();
        QObject* window = Open(rig);
        QObject* tool = vemo::testing::Child(window, "pathTool");
        Click(Item(window, "editButton"));
        QCOMPARE(tool->property("pathDeviceIndex").toInt(), 1);
        qobject_cast<QWindow*>(tool)->close();

        Click(RowItem(window, 1));
        Click(Item(window, "editButton"));
        QCOMPARE(tool->property("pathName").toString(), QString("Right"));
        QCOMPARE(tool->property("pathDeviceIndex").toInt(), 1);
        Confirm(window, "Right");
        QCOMPARE(rig.manager->Model()->PathAt(1),
                 CL::OutputPath("p2", "Right", "virtual-out-1-2", "Virtual Output 1-2"));
    }

    void closeButtonHidesTheWindow()
    {
        OutputPathsRig rig({});
        rig.MakeManager();
        QObject* window = Open(rig);
        Click(Item(window, "closeButton"));
        QVERIFY(!window->property("visible").toBool());
    }

private:
    QObject* Open(OutputPathsRig& rig)
    {
        rig.manager->Show();
        auto* window = qobject_cast<QQuickWindow*>(rig.manager->Window());
        if (window == nullptr || !vemo::testing::Settle(window)) {
            qFatal("the output paths window did not open");
        }
        return window;
    }

    // Types the name into the open dialog and presses its OK button.
    void Confirm(QObject* window, const QString& name)
    {
        QObject* tool = vemo::testing::Child(window, "pathTool");
        QVERIFY(tool->property("visible").toBool());
        QVERIFY(vemo::testing::Settle(qobject_cast<QQuickWindow*>(tool)));
        tool->setProperty("pathName", name);
        Click(Item(tool, "okButton"));
    }
};

QTEST_MAIN(TestOutputPathsWindow)
#include "test_output_paths_window.moc"
