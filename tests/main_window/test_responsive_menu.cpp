#include "main_window/responsive_menu_controller.h"
#include "menu_host.h"

#include <vemo_test/qml_engine.h>

#include <QPointer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include <map>
#include <utility>
#include <memory>

using vemo::testing::MenuHost;

namespace {

const QStringList kDocumentSignals{
    "audioManagerClicked", "midiCommandsClicked",    "oscManagerClicked",      "aboutClicked",
    "changelogManagerOpened", "jumpToBarStart",      "getLatestLogClicked",    "sfxManagerClicked",
    "saveClicked",         "shareClicked",           "playPause",              "stop",
    "continuePlay",        "previousMarker",         "nextMarker",             "previousBar",
    "nextBar",             "outputPaths",            "zoomIn",                 "zoomOut",
    "selectAll",           "deleteSelected",         "undo",                   "redo",
    "selectionStartToCenter", "selectionEndToCenter", "extendSelectionToStart", "extendSelectionToEnd"};

const QStringList kControllerSignals{
    "midiCommandsClicked",   "oscManagerClicked",     "audioManagerClicked",     "PlayPauseRequested",
    "StopRequested",         "ContinuePlayRequested", "SeekNextMarkerRequested", "SeekPrevMarkerRequested",
    "SeekNextBarRequested",  "SeekPrevBarRequested",  "ZoomInRequested",         "ZoomOutRequested",
    "DeleteRequested",       "UndoRequested",         "RedoRequested",           "sfxManagerClicked",
    "getLatestChangelogClicked", "saveRequested",     "shareRequested",          "selectAllRequested",
    "JumpToBarStartRequested", "ViewPastLogsRequested"};

// One spy per parameterless signal of `object`; Counts() lists the signals that fired.
class Spies {
public:
    Spies(QObject* object, const QStringList& names)
    {
        for (const QString& name : names)
            spies.emplace(name, std::make_unique<QSignalSpy>(object, qPrintable("2" + name + "()")));
    }

    QStringList Fired() const
    {
        QStringList fired;
        for (const auto& [name, spy] : spies) {
            for (int i = 0; i < spy->count(); ++i)
                fired.append(name);
        }
        return fired;
    }

private:
    std::map<QString, std::unique_ptr<QSignalSpy>> spies;
};

// How many menus the main window's menu holds, and the entries in them.
int MenuObjects(QObject* menu)
{
    int count = 0;
    for (QObject* child : menu->findChildren<QObject*>()) {
        if (child->inherits("QQuickMenu"))
            count += 1 + child->property("count").toInt();
    }
    return count;
}

void Allow(QObject* menu, bool admin)
{
    menu->setProperty("isAdmin", admin);
    for (const char* flag : {"canUndo", "canRedo", "canSave", "canShare", "sfxPermissions"})
        menu->setProperty(flag, true);
}

} // namespace

class TestResponsiveMenu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }
    void init() { QTest::failOnWarning(QRegularExpression(".")); }

    void constructionHandsTheMenuTheProduct_data()
    {
        QTest::addColumn<bool>("showAudioManager");
        QTest::addColumn<bool>("oscEnabled");
        QTest::newRow("audio manager, OSC") << true << true;
        QTest::newRow("neither") << false << false;
    }

    void constructionHandsTheMenuTheProduct()
    {
        QFETCH(bool, showAudioManager);
        QFETCH(bool, oscEnabled);
        MenuHost host(showAudioManager, oscEnabled);
        QCOMPARE(host.menu->property("appName").toString(), QString("Tol|brin"));
        QCOMPARE(host.menu->property("showAudioManager").toBool(), showAudioManager);
        QCOMPARE(host.menu->property("oscEnabled").toBool(), oscEnabled);
        QCOMPARE(host.Entry("fileMenu", 6)->property("text").toString(), QString("Quit Tol|brin"));
        QCOMPARE(host.Entry("helpMenu", 0)->property("text").toString(), QString("About Tol|brin..."));
        QCOMPARE(host.Entry("toolsMenu", 0)->property("enabled").toBool(), showAudioManager);
        QCOMPARE(host.Entry("toolsMenu", 4)->property("enabled").toBool(), oscEnabled);
    }

    void documentSignalsReachTheController_data()
    {
        QTest::addColumn<QString>("documentSignal");
        QTest::addColumn<QStringList>("controllerSignals");
        const std::pair<const char*, const char*> relays[] = {
            {"midiCommandsClicked", "midiCommandsClicked"},   {"oscManagerClicked", "oscManagerClicked"},
            {"audioManagerClicked", "audioManagerClicked"},   {"playPause", "PlayPauseRequested"},
            {"stop", "StopRequested"},                        {"continuePlay", "ContinuePlayRequested"},
            {"nextMarker", "SeekNextMarkerRequested"},        {"previousMarker", "SeekPrevMarkerRequested"},
            {"nextBar", "SeekNextBarRequested"},              {"previousBar", "SeekPrevBarRequested"},
            {"zoomIn", "ZoomInRequested"},                    {"zoomOut", "ZoomOutRequested"},
            {"deleteSelected", "DeleteRequested"},            {"undo", "UndoRequested"},
            {"redo", "RedoRequested"},                        {"sfxManagerClicked", "sfxManagerClicked"},
            {"getLatestLogClicked", "getLatestChangelogClicked"}, {"saveClicked", "saveRequested"},
            {"shareClicked", "shareRequested"},               {"selectAll", "selectAllRequested"}};
        for (const auto& [from, to] : relays)
            QTest::newRow(from) << QString(from) << QStringList{to};
        // The main document handles these itself.
        for (const char* own : {"changelogManagerOpened", "jumpToBarStart", "outputPaths", "aboutClicked"})
            QTest::newRow(own) << QString(own) << QStringList{};
    }

    void documentSignalsReachTheController()
    {
        QFETCH(QString, documentSignal);
        QFETCH(QStringList, controllerSignals);
        MenuHost host;
        Spies spies(host.controller.get(), kControllerSignals);
        QVERIFY(QMetaObject::invokeMethod(host.menu, qPrintable(documentSignal)));
        QCOMPARE(spies.Fired(), controllerSignals);
    }

    void aboutOpensTheMenusAboutWindow()
    {
        MenuHost host;
        QObject* popup = host.menu->findChild<QObject*>("aboutWindow")->findChild<QObject*>("popup");
        QVERIFY(!popup->property("visible").toBool());
        QVERIFY(QMetaObject::invokeMethod(host.menu, "aboutClicked"));
        QTRY_VERIFY(popup->property("opened").toBool());
    }

    void entries_data()
    {
        QTest::addColumn<QString>("submenu");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("needsEditPermission");
        const struct {
            const char* submenu;
            int index;
            const char* text;
            const char* shortcut;
            bool edit;
        } entries[] = {
            {"fileMenu", 0, "Download Latest Log", "", false},
            {"fileMenu", 2, "View Past Logs...", "", true},
            {"fileMenu", 3, "Save Edits", "Ctrl+S", true},
            {"fileMenu", 4, "Share Edits", "", true},
            {"fileMenu", 6, "Quit Tol|brin", "Ctrl+Q", false},
            {"editMenu", 0, "Undo", "Ctrl+z", true},
            {"editMenu", 1, "Redo", "Ctrl+shift+z", true},
            {"editMenu", 3, "Delete", "backspace", true},
            {"editMenu", 4, "Select All", "Ctrl+a", true},
            {"playerMenu", 0, "Play/Pause", " ", false},
            {"playerMenu", 1, "Stop", "Shift+ ", false},
            {"playerMenu", 2, "Advance", "Right", false},
            {"playerMenu", 4, "Jump to Bar...", "Ctrl+b", false},
            {"playerMenu", 5, "Previous Marker", ",", false},
            {"playerMenu", 6, "Next Marker", ".", false},
            {"playerMenu", 7, "Previous Bar", "Shift+,", false},
            {"playerMenu", 8, "Next Bar", "Shift+.", false},
            {"viewMenu", 0, "Zoom In Timeline", "=", false},
            {"viewMenu", 1, "Zoom Out Timeline", "-", false},
            {"toolsMenu", 0, "Audio Manager...", "Shift+Ctrl+G", false},
            {"toolsMenu", 1, "SFX Manager...", "Shift+Ctrl+S", false},
            {"toolsMenu", 2, "Output Paths...", "", false},
            {"toolsMenu", 3, "MIDI Manager...", "Shift+Ctrl+M", false},
            {"toolsMenu", 4, "OSC Manager...", "Shift+Ctrl+O", false},
            {"helpMenu", 0, "About Tol|brin...", "", false},
            {"helpMenu", 1, "VEMO Support Center...", "", false},
        };
        for (const auto& entry : entries) {
            QTest::addRow("%s", entry.text) << QString(entry.submenu) << entry.index << QString(entry.text)
                                           << QString(entry.shortcut) << entry.edit;
        }
    }

    // Every entry in its place, its shortcut as this system reads it, enabled by the edit
    // permission only where the menu asks for it.
    void entries()
    {
        QFETCH(QString, submenu);
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(QString, shortcut);
        QFETCH(bool, needsEditPermission);
        MenuHost host;
        QObject* entry = host.Entry(qPrintable(submenu), index);
        QVERIFY(entry != nullptr);
        QCOMPARE(entry->property("text").toString(), text);
        QCOMPARE(entry->property("shortcut").toString(), shortcut);
        for (bool admin : {true, false}) {
            Allow(host.menu, admin);
            QCOMPARE(entry->property("enabled").toBool(), admin || !needsEditPermission);
        }
    }

    // The icon is drawn in its colour, lighter while the pointer is over it.
    void iconColourFollowsTheHover()
    {
        MenuHost host;
        QVERIFY(vemo::testing::Settle(host.window.get()));
        QObject* overlay = host.menu->findChild<QObject*>("iconOverlay");
        for (const auto& [where, colour] : {std::pair{QPoint(200, 200), QColor("#D3D3D3")},
                                            std::pair{QPoint(20, 20), QColor("#D3D3D3").lighter(165)},
                                            std::pair{QPoint(200, 200), QColor("#D3D3D3")}}) {
            QTest::mouseMove(host.window.get(), where);
            QTRY_COMPARE(overlay->property("color").value<QColor>(), colour);
        }
    }

    void menuOpensBelowTheIcon()
    {
        MenuHost host;
        QObject* menu = host.OpenDropDown();
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->property("y").toReal(), 20.0);
    }

    // Nothing of the drop-down exists until it first opens; every later open shows the same one.
    void dropDownIsMadeOnceWhenFirstOpened()
    {
        MenuHost host;
        QVERIFY(vemo::testing::Settle(host.window.get()));
        QCOMPARE(MenuObjects(host.menu), 0);

        QPointer<QObject> first = host.OpenDropDown();
        QVERIFY(first != nullptr);
        const int made = MenuObjects(host.menu);
        QCOMPARE(host.menu->findChildren<QObject*>(QRegularExpression("^[a-z]+Menu$")).size(), 6);
        QVERIFY(QMetaObject::invokeMethod(first, "close"));
        QTRY_VERIFY(!first->property("visible").toBool());

        QObject* second = host.OpenDropDown();
        QVERIFY2(first != nullptr, "the second open destroyed the first drop-down");
        QCOMPARE(second, first.data());
        QCOMPARE(host.menu->findChildren<QObject*>("menu").size(), 1);
        QCOMPARE(MenuObjects(host.menu), made);
    }

    void shortcutsOnLinux_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("raised");
        QTest::addColumn<bool>("needsEditPermission");
        const int ctrl = Qt::ControlModifier;
        const int shift = Qt::ShiftModifier;
        const struct {
            const char* tag;
            int key;
            int modifiers;
            const char* raised;
            bool edit;
        } keys[] = {
            {"Ctrl+S", Qt::Key_S, ctrl, "saveClicked", true},
            {"Ctrl+Z", Qt::Key_Z, ctrl, "undo", true},
            {"Ctrl+Shift+Z", Qt::Key_Z, ctrl | shift, "redo", true},
            {"Backspace", Qt::Key_Backspace, 0, "deleteSelected", true},
            {"Delete", Qt::Key_Delete, 0, "deleteSelected", true},
            {"Ctrl+A", Qt::Key_A, ctrl, "selectAll", true},
            {"Space", Qt::Key_Space, 0, "playPause", false},
            {"Shift+Space", Qt::Key_Space, shift, "stop", false},
            {"Right", Qt::Key_Right, 0, "continuePlay", false},
            {"Ctrl+B", Qt::Key_B, ctrl, "jumpToBarStart", false},
            {"Comma", Qt::Key_Comma, 0, "previousMarker", false},
            {"Period", Qt::Key_Period, 0, "nextMarker", false},
            {"Shift+Comma", Qt::Key_Comma, shift, "previousBar", false},
            {"Shift+Period", Qt::Key_Period, shift, "nextBar", false},
            {"Equal", Qt::Key_Equal, 0, "zoomIn", false},
            {"Minus", Qt::Key_Minus, 0, "zoomOut", false},
            {"Ctrl+Shift+G", Qt::Key_G, ctrl | shift, "audioManagerClicked", false},
            {"Ctrl+Shift+S", Qt::Key_S, ctrl | shift, "sfxManagerClicked", false},
            {"Ctrl+Shift+M", Qt::Key_M, ctrl | shift, "midiCommandsClicked", false},
            {"Ctrl+Shift+O", Qt::Key_O, ctrl | shift, "oscManagerClicked", false},
            {"Q", Qt::Key_Q, 0, "selectionStartToCenter", false},
            {"W", Qt::Key_W, 0, "selectionEndToCenter", false},
            {"BracketLeft", Qt::Key_BracketLeft, 0, "extendSelectionToStart", false},
            {"BracketRight", Qt::Key_BracketRight, 0, "extendSelectionToEnd", false},
        };
        for (const auto& key : keys)
            QTest::newRow(key.tag) << key.key << key.modifiers << QString(key.raised) << key.edit;
    }

    // The keys work before the drop-down was ever opened; without the edit permission the editing
    // keys do nothing.
    void shortcutsOnLinux()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, raised);
        QFETCH(bool, needsEditPermission);
        MenuHost host;
        QVERIFY(vemo::testing::Activate(host.window.get()));
        for (bool admin : {true, false}) {
            Allow(host.menu, admin);
            Spies spies(host.menu, kDocumentSignals);
            QTest::keyClick(host.window.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            const bool fires = admin || !needsEditPermission;
            QCOMPARE(spies.Fired(), fires ? QStringList{raised} : QStringList{});
        }
        QCOMPARE(host.window->property("closeRequests").toInt(), 0);
        QCOMPARE(MenuObjects(host.menu), 0);
    }

    // Quit asks the main window to close, so the close flow decides; it never ends the program.
    void quitRequestsTheWindowsCloseOnce()
    {
        MenuHost host;
        QVERIFY(vemo::testing::Activate(host.window.get()));
        QSignalSpy quits(host.engine.get(), &QQmlEngine::quit);
        Spies spies(host.menu, kDocumentSignals);
        QTest::keyClick(host.window.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(host.window->property("closeRequests").toInt(), 1);
        QVERIFY(host.window->isVisible());
        QVERIFY(QMetaObject::invokeMethod(host.Entry("fileMenu", 6), "trigger"));
        QCOMPARE(host.window->property("closeRequests").toInt(), 2);
        QCOMPARE(spies.Fired(), QStringList{});
        QCOMPARE(quits.count(), 0);

        host.window->setProperty("refuseClose", false);
        QVERIFY(QMetaObject::invokeMethod(host.Entry("fileMenu", 6), "trigger"));
        QVERIFY(!host.window->isVisible());
    }

    void soundEffectPermissionGatesItsEntries()
    {
        MenuHost host;
        QVERIFY(vemo::testing::Activate(host.window.get()));
        QObject* sfxManager = host.Entry("toolsMenu", 1);
        QObject* outputPaths = host.Entry("toolsMenu", 2);
        QVERIFY(!sfxManager->property("enabled").toBool());
        QVERIFY(!outputPaths->property("enabled").toBool());
        Spies spies(host.menu, kDocumentSignals);
        QTest::keyClick(host.window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QMetaObject::invokeMethod(outputPaths, "trigger"));
        QCOMPARE(spies.Fired(), QStringList{});

        host.menu->setProperty("sfxPermissions", true);
        QVERIFY(QMetaObject::invokeMethod(outputPaths, "trigger"));
        QCOMPARE(spies.Fired(), QStringList{"outputPaths"});
    }

    void shortcutConversion_data()
    {
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("os");
        QTest::addColumn<QString>("converted");
        QTest::newRow("linux") << "Shift+Cmd+S" << "linux" << "Shift+Ctrl+S";
        QTest::newRow("linux, lower case") << "cmd+shift+z" << "linux" << "Ctrl+shift+z";
        QTest::newRow("windows, upper case") << "CMD+a" << "windows" << "Ctrl+a";
        QTest::newRow("macOS keeps Cmd") << "Shift+Cmd+S" << "osx" << "Shift+Cmd+S";
        QTest::newRow("no Cmd") << "Shift+ " << "linux" << "Shift+ ";
    }

    void shortcutConversion()
    {
        QFETCH(QString, shortcut);
        QFETCH(QString, os);
        QFETCH(QString, converted);
        MenuHost host;
        QVariant result;
        QVERIFY(QMetaObject::invokeMethod(host.menu, "convertShortCut", Q_RETURN_ARG(QVariant, result),
                                          Q_ARG(QVariant, shortcut), Q_ARG(QVariant, os)));
        QCOMPARE(result.toString(), converted);
        QVERIFY(QMetaObject::invokeMethod(host.menu, "convertShortCutForPlatform", Q_RETURN_ARG(QVariant, result),
                                          Q_ARG(QVariant, QString("Cmd+Q"))));
        QCOMPARE(result.toString(), QString("Ctrl+Q"));
    }

    void undoRedoStateReachesTheMenu()
    {
        MenuHost host;
        host.controller->UpdateUndoRedoState(true, false, true, false);
        QCOMPARE(host.menu->property("canUndo").toBool(), true);
        QCOMPARE(host.menu->property("canRedo").toBool(), false);
        QCOMPARE(host.menu->property("canSave").toBool(), true);
        QCOMPARE(host.menu->property("canShare").toBool(), false);
        host.controller->UpdateUndoRedoState(false, true, false, true);
        QCOMPARE(host.menu->property("canUndo").toBool(), false);
        QCOMPARE(host.menu->property("canShare").toBool(), true);
    }

    // Without a menu bar the permission slots have nobody to serve; the menu takes its own flags
    // from the main document.
    void permissionSlotsWithoutMenuBarChangeNothing()
    {
        MenuHost host;
        host.controller->SetAdminPermission(true);
        host.controller->SetSfxPermission(true);
        QCOMPARE(host.menu->property("isAdmin").toBool(), false);
        QCOMPARE(host.menu->property("sfxPermissions").toBool(), false);
        QVERIFY(QMetaObject::invokeMethod(host.menu, "setAdminPermission", Q_ARG(QVariant, true)));
        QCOMPARE(host.menu->property("isAdmin").toBool(), true);
    }
};

QTEST_MAIN(TestResponsiveMenu)
#include "test_responsive_menu.moc"
