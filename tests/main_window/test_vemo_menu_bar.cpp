#include "main_window/responsive_menu_controller.h"
#include "main_window/vemo_menu_bar_controller.h"
#include "menu_host.h"

#include <vemo_test/qml_engine.h>

#include <QApplication>
#include <QMetaProperty>
#include <QPointer>
#include <QQmlComponent>
#include <QQmlListReference>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using vemo::qt::VemoMenuBarController;
using vemo::testing::MenuHost;

namespace {

QObject* MenuOf(QObject* menuBar, int menu)
{
    return QQmlListReference(menuBar, "menus").at(menu);
}

QObject* ItemOf(QObject* menuBar, int menu, int item)
{
    return QQmlListReference(MenuOf(menuBar, menu), "items").at(item);
}

bool Trigger(QObject* item)
{
    return QMetaObject::invokeMethod(item, "triggered");
}

// Positions (menu, item) of the entries that raise a signal, with the responsive menu controller's
// signal each reaches through the relay ("" for the About window, which the controller opens).
struct Command {
    int menu;
    int item;
    const char* documentSignal;
    const char* relayed;
};

const Command kCommands[] = {
    {0, 0, "getLatestLogClicked", "getLatestChangelogClicked"},
    {0, 2, "viewPastLogsClicked", "ViewPastLogsRequested"},
    {0, 3, "saveClicked", "saveRequested"},
    {0, 4, "shareClicked", "shareRequested"},
    {1, 0, "undoClicked", "UndoRequested"},
    {1, 1, "redoClicked", "RedoRequested"},
    {1, 3, "deleteClicked", "DeleteRequested"},
    {1, 4, "selectAllClicked", "selectAllRequested"},
    {2, 0, "playPauseClicked", "PlayPauseRequested"},
    {2, 1, "stopClicked", "StopRequested"},
    {2, 2, "continuePlayClicked", "ContinuePlayRequested"},
    {2, 4, "jumpToBarClicked", "JumpToBarStartRequested"},
    {2, 5, "prevMarkerClicked", "SeekPrevMarkerRequested"},
    {2, 6, "nextMarkerClicked", "SeekNextMarkerRequested"},
    {2, 7, "prevBarClicked", "SeekPrevBarRequested"},
    {2, 8, "nextBarClicked", "SeekNextBarRequested"},
    {3, 0, "zoomInClicked", "ZoomInRequested"},
    {3, 1, "zoomOutClicked", "ZoomOutRequested"},
    {4, 0, "audioManagerClicked", "audioManagerClicked"},
    {4, 1, "sfxManagerClicked", "sfxManagerClicked"},
    {4, 2, "midiCommandsClicked", "midiCommandsClicked"},
    {4, 3, "oscManagerClicked", "oscManagerClicked"},
    {5, 0, "aboutClicked", ""},
    {5, 1, "aboutClicked", ""},
};

// A window for the menu bar that refuses to close, as the main window does while it asks about
// unsaved edits.
std::unique_ptr<QQuickWindow> RefusingWindow(QQmlEngine& engine)
{
    QQmlComponent component(&engine);
    component.setData("import QtQuick\nimport QtQuick.Window\n"
                      "Window { property int closeRequests: 0; visible: true\n"
                      "    onClosing: (close) => { closeRequests++; close.accepted = false } }\n",
                      QUrl("qrc:/refusing_window.qml"));
    return std::unique_ptr<QQuickWindow>(qobject_cast<QQuickWindow*>(component.create()));
}

// Notes, whenever the menu's flag changes, how often the menu bar's had changed by then.
class FirstChangeProbe : public QObject {
    Q_OBJECT

public:
    explicit FirstChangeProbe(const QSignalSpy& other) : other(other) {}

    QList<int> before;

public slots:
    void Changed() { before.append(int(other.count())); }

private:
    const QSignalSpy& other;
};

} // namespace

class TestVemoMenuBar : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }
    void init() { QTest::failOnWarning(QRegularExpression(".")); }

    void entries_data()
    {
        QTest::addColumn<int>("menu");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("role");
        QTest::addColumn<bool>("visible");
        const struct {
            int menu;
            int item;
            const char* text;
            const char* shortcut;
            const char* role;
            bool visible;
        } entries[] = {
            {0, 0, "Download Latest Log", "", "NoRole", true},
            {0, 2, "View Past Logs...", "", "TextHeuristicRole", true},
            {0, 3, "Save Edits", "Ctrl+S", "TextHeuristicRole", true},
            {0, 4, "Share Edits", "", "TextHeuristicRole", true},
            {0, 6, "Quit Application", "Ctrl+Q", "NoRole", true},
            {1, 0, "Undo", "Ctrl+z", "TextHeuristicRole", true},
            {1, 1, "Redo", "Shift+Ctrl+z", "TextHeuristicRole", true},
            {1, 3, "Delete", "Backspace", "TextHeuristicRole", true},
            {1, 4, "Select All", "Ctrl+a", "TextHeuristicRole", true},
            {2, 0, "Play/Pause", " ", "TextHeuristicRole", true},
            {2, 1, "Stop", "Shift+ ", "TextHeuristicRole", true},
            {2, 2, "Advance", "Right", "TextHeuristicRole", true},
            {2, 4, "Jump to Bar...", "Ctrl+b", "TextHeuristicRole", true},
            {2, 5, "Previous Marker", ",", "TextHeuristicRole", true},
            {2, 6, "Next Marker", ".", "TextHeuristicRole", true},
            {2, 7, "Previous Bar", "Shift+,", "TextHeuristicRole", true},
            {2, 8, "Next Bar", "Shift+.", "TextHeuristicRole", true},
            {3, 0, "Zoom In Timeline", "=", "TextHeuristicRole", true},
            {3, 1, "Zoom Out Timeline", "-", "TextHeuristicRole", true},
            {4, 0, "Audio Manager...", "Shift+Ctrl+G", "NoRole", true},
            {4, 1, "SFX Manager...", "Shift+Ctrl+S", "NoRole", true},
            {4, 2, "MIDI Manager...", "Shift+Ctrl+M", "NoRole", true},
            {4, 3, "OSC Manager...", "Shift+Ctrl+O", "NoRole", true},
            {5, 0, "About Application...", "", "AboutRole", false},
            {5, 1, "About Application...", "", "NoRole", true},
            {5, 2, "VEMO Support Center...", "", "ApplicationSpecificRole", false},
            {5, 3, "VEMO Support Center...", "", "NoRole", true},
        };
        for (const auto& entry : entries) {
            QTest::addRow("%d.%d %s", entry.menu, entry.item, entry.text)
                << entry.menu << entry.item << QString(entry.text) << QString(entry.shortcut) << QString(entry.role)
                << entry.visible;
        }
    }

    // The menus with their default properties: every entry in its place; off macOS the Help menu
    // shows one About and one support entry.
    void entries()
    {
        QFETCH(int, menu);
        QFETCH(int, item);
        QFETCH(QString, text);
        QFETCH(QString, shortcut);
        QFETCH(QString, role);
        QFETCH(bool, visible);
        auto engine = vemo::testing::MakeQmlEngine();
        VemoMenuBarController controller(engine.get());
        QObject* menuBar = controller.QmlObject();
        QVERIFY(menuBar != nullptr);
        const QStringList titles{"&File", "Edit", "Player", "View", "Tools", "Help"};
        QCOMPARE(QQmlListReference(menuBar, "menus").count(), titles.size());
        QCOMPARE(MenuOf(menuBar, menu)->property("title").toString(), titles[menu]);
        QObject* entry = ItemOf(menuBar, menu, item);
        QCOMPARE(entry->property("text").toString(), text);
        QCOMPARE(entry->property("shortcut").toString(), shortcut);
        const QMetaObject* type = entry->metaObject();
        const QMetaEnum roles = type->enumerator(type->indexOfEnumerator("MenuRole"));
        QCOMPARE(QString(roles.valueToKey(entry->property("role").toInt())), role);
        QCOMPARE(entry->property("visible").toBool(), visible);
    }

    void enabling_data()
    {
        QTest::addColumn<QVariantMap>("flags");
        QTest::addColumn<QList<bool>>("enabled"); // View Past Logs, Save, Share, Undo, Redo, Delete, Select All
        const QVariantMap everything{{"canUndo", true}, {"canRedo", true}, {"canSave", true},
                                     {"canShare", true}, {"canDelete", true}};
        QVariantMap admin = everything;
        admin["isAdmin"] = true;
        QVariantMap notAdmin = everything;
        notAdmin["isAdmin"] = false;
        QTest::newRow("defaults") << QVariantMap{} << QList<bool>{false, false, false, false, false, false, true};
        QTest::newRow("admin, everything") << admin << QList<bool>{true, true, true, true, true, true, true};
        QTest::newRow("not admin, everything") << notAdmin << QList<bool>{false, false, false, false, false, false, true};
        QTest::newRow("admin, nothing")
            << QVariantMap{{"isAdmin", true}, {"canDelete", false}}
            << QList<bool>{true, false, false, false, false, false, true};
        QTest::newRow("admin, save only") << QVariantMap{{"isAdmin", true}, {"canSave", true}}
                                          << QList<bool>{true, true, false, false, false, true, true};
        QTest::newRow("admin, share only") << QVariantMap{{"isAdmin", true}, {"canShare", true}}
                                           << QList<bool>{true, false, true, false, false, true, true};
    }

    void enabling()
    {
        QFETCH(QVariantMap, flags);
        QFETCH(QList<bool>, enabled);
        auto engine = vemo::testing::MakeQmlEngine();
        VemoMenuBarController controller(engine.get());
        QObject* menuBar = controller.QmlObject();
        for (auto flag = flags.cbegin(); flag != flags.cend(); ++flag)
            menuBar->setProperty(qPrintable(flag.key()), flag.value());
        const std::pair<int, int> gated[] = {{0, 2}, {0, 3}, {0, 4}, {1, 0}, {1, 1}, {1, 3}, {1, 4}};
        QList<bool> actual;
        for (const auto& [menu, item] : gated)
            actual.append(ItemOf(menuBar, menu, item)->property("enabled").toBool());
        QCOMPARE(actual, enabled);
    }

    void soundEffectManagerWaitsForThePermission()
    {
        auto engine = vemo::testing::MakeQmlEngine();
        VemoMenuBarController controller(engine.get());
        QObject* sfxManager = ItemOf(controller.QmlObject(), 4, 1);
        QVERIFY(!controller.sfxPermissions());
        QVERIFY(!sfxManager->property("enabled").toBool());
        QSignalSpy changes(&controller, &VemoMenuBarController::sfxPermissionsChanged);

        controller.setSfxPermissions(true);
        QVERIFY(controller.sfxPermissions());
        QVERIFY(sfxManager->property("enabled").toBool());
        QCOMPARE(controller.QmlObject()->property("sfxPermissions").toBool(), true);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(0).toBool(), true);

        const QMetaProperty property =
            controller.metaObject()->property(controller.metaObject()->indexOfProperty("sfxPermissions"));
        QVERIFY(property.isReadable() && property.isWritable() && property.isStored() && property.isScriptable()
                && property.isDesignable());
        QVERIFY(controller.setProperty("sfxPermissions", false));
        QVERIFY(!sfxManager->property("enabled").toBool());
        QCOMPARE(changes.count(), 2);
    }

    // Quit closes the menu bar's window, so the close flow with its prompt decides; the engine's
    // quit, which that flow would not see, is never asked for.
    void quitClosesTheWindowOnly_data()
    {
        QTest::addColumn<bool>("withWindow");
        QTest::newRow("window refusing its close") << true;
        QTest::newRow("no window") << false;
    }

    void quitClosesTheWindowOnly()
    {
        QFETCH(bool, withWindow);
        auto engine = vemo::testing::MakeQmlEngine();
        VemoMenuBarController controller(engine.get());
        std::unique_ptr<QQuickWindow> window;
        if (withWindow) {
            window = RefusingWindow(*engine);
            QVERIFY(controller.QmlObject()->setProperty("window", QVariant::fromValue<QObject*>(window.get())));
        }
        QSignalSpy quits(engine.get(), &QQmlEngine::quit);
        QVERIFY(Trigger(ItemOf(controller.QmlObject(), 0, 6)));
        QCoreApplication::processEvents();
        QCOMPARE(quits.count(), 0);
        if (withWindow) {
            QCOMPARE(window->property("closeRequests").toInt(), 1);
            QVERIFY(window->isVisible());
        }
    }

    void companionTakesTheMenusSoundEffectPermission_data()
    {
        QTest::addColumn<bool>("permission");
        QTest::newRow("granted") << true;
        QTest::newRow("not granted") << false;
    }

    void companionTakesTheMenusSoundEffectPermission()
    {
        QFETCH(bool, permission);
        MenuHost host;
        host.menu->setProperty("sfxPermissions", permission);
        auto companion = std::make_unique<VemoMenuBarController>(host.engine.get());
        QSignalSpy changes(companion.get(), &VemoMenuBarController::sfxPermissionsChanged);
        VemoMenuBarController* menuBar = companion.get();
        host.controller->SetMenuBarCompanion(std::move(companion));
        QCOMPARE(menuBar->sfxPermissions(), permission);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(ItemOf(menuBar->QmlObject(), 4, 1)->property("enabled").toBool(), permission);
    }

    void menuBarCommandsReachTheMenuController_data()
    {
        QTest::addColumn<int>("menu");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("documentSignal");
        QTest::addColumn<QString>("relayed");
        for (const Command& command : kCommands) {
            QTest::addRow("%s %d", command.documentSignal, command.item)
                << command.menu << command.item << QString(command.documentSignal) << QString(command.relayed);
        }
    }

    void menuBarCommandsReachTheMenuController()
    {
        QFETCH(int, menu);
        QFETCH(int, item);
        QFETCH(QString, documentSignal);
        QFETCH(QString, relayed);
        MenuHost host;
        auto companion = std::make_unique<VemoMenuBarController>(host.engine.get());
        QObject* menuBar = companion->QmlObject();
        host.controller->SetMenuBarCompanion(std::move(companion));
        QSignalSpy raised(menuBar, qPrintable("2" + documentSignal + "()"));
        std::unique_ptr<QSignalSpy> reached;
        if (!relayed.isEmpty())
            reached = std::make_unique<QSignalSpy>(host.controller.get(), qPrintable("2" + relayed + "()"));
        QObject* about = host.menu->findChild<QObject*>("aboutWindow")->findChild<QObject*>("popup");

        QVERIFY(Trigger(ItemOf(menuBar, menu, item)));
        QCOMPARE(raised.count(), 1);
        if (reached)
            QCOMPARE(reached->count(), 1);
        else
            QTRY_VERIFY(about->property("opened").toBool());
    }

    void undoRedoStateUpdatesTheMenuBarFirst()
    {
        MenuHost host;
        auto companion = std::make_unique<VemoMenuBarController>(host.engine.get());
        QObject* menuBar = companion->QmlObject();
        host.controller->SetMenuBarCompanion(std::move(companion));
        QSignalSpy menuBarChanged(menuBar, SIGNAL(canUndoChanged()));
        FirstChangeProbe probe(menuBarChanged);
        QVERIFY(QObject::connect(host.menu, SIGNAL(canUndoChanged()), &probe, SLOT(Changed())));

        host.controller->UpdateUndoRedoState(true, true, true, false);
        QCOMPARE(probe.before, QList<int>{1});
        for (QObject* document : {menuBar, static_cast<QObject*>(host.menu)}) {
            QCOMPARE(document->property("canUndo").toBool(), true);
            QCOMPARE(document->property("canRedo").toBool(), true);
            QCOMPARE(document->property("canSave").toBool(), true);
            QCOMPARE(document->property("canShare").toBool(), false);
        }
    }

    void permissionsReachOnlyTheMenuBar()
    {
        MenuHost host(false, false);
        auto companion = std::make_unique<VemoMenuBarController>(host.engine.get());
        VemoMenuBarController* menuBar = companion.get();
        host.controller->SetMenuBarCompanion(std::move(companion));
        host.controller->SetAdminPermission(true);
        host.controller->SetSfxPermission(true);
        QCOMPARE(menuBar->QmlObject()->property("isAdmin").toBool(), true);
        QVERIFY(menuBar->sfxPermissions());
        QCOMPARE(host.menu->property("isAdmin").toBool(), false);
        QCOMPARE(host.menu->property("sfxPermissions").toBool(), false);
        // Nothing else is pushed into the menu bar.
        QCOMPARE(menuBar->QmlObject()->property("appName").toString(), QString("Application"));
        QCOMPARE(menuBar->QmlObject()->property("showAudioManager").toBool(), true);
        QCOMPARE(menuBar->QmlObject()->property("oscEnabled").toBool(), true);
        QCOMPARE(menuBar->QmlObject()->property("canDelete").toBool(), true);
    }

    void theMenuControllerOwnsItsCompanion()
    {
        MenuHost host;
        auto companion = std::make_unique<VemoMenuBarController>(host.engine.get());
        QPointer<VemoMenuBarController> menuBar = companion.get();
        host.controller->SetMenuBarCompanion(std::move(companion));
        QVERIFY(menuBar);
        host.controller.reset();
        QVERIFY(!menuBar);
    }
};

QTEST_MAIN(TestVemoMenuBar)
#include "test_vemo_menu_bar.moc"
