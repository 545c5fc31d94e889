// The main window's signal wiring over the demo show: every connection between the document, the
// menu, the edit controller and the controller exists once, however often the wiring runs and
// after a show load; the OSC rows exist only in a product with OSC; and the menu inside the main
// window with its keys.
#include "main_window_rig.h"

#include <vemo_test/qml_engine.h>

#include <QHostAddress>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QUdpSocket>
#include <QtTest>

#include <stdexcept>
#include <string>

using vemo::qt::MusicalMainController;
using vemo::testing::MainWindowRig;

// The window as built, wired twice more, or after another show load.
enum class Phase { Built, WiredAgain, ShowReloaded };
Q_DECLARE_METATYPE(Phase)

namespace {

// How many connections leave a signal; QObject lets only its subclasses ask.
class ReceiverCount : public QObject {
public:
    static int Of(const QObject* sender, const char* signal)
    {
        const auto receivers = &ReceiverCount::receivers;
        return (sender->*receivers)(signal);
    }
};

// The connections from `signal` to `method` of `receiver`, found by removing them.
int TakeConnections(QObject* sender, const char* signal, QObject* receiver, const char* method)
{
    const int before = ReceiverCount::Of(sender, signal);
    QObject::disconnect(sender, signal, receiver, method);
    return before - ReceiverCount::Of(sender, signal);
}

// The engine calls of that name so far.
int Calls(const MainWindowRig& rig, const std::string& name)
{
    int count = 0;
    for (const std::string& line : rig.Engine().Journal()) {
        if (line.rfind(name + "(", 0) == 0)
            ++count;
    }
    return count;
}

void AddPhaseRows()
{
    QTest::addColumn<Phase>("phase");
    QTest::newRow("built") << Phase::Built;
    QTest::newRow("wired again") << Phase::WiredAgain;
    QTest::newRow("show reloaded") << Phase::ShowReloaded;
}

// Brings the window to `phase`, then empties the engine's journal.
void Reach(MainWindowRig& rig, Phase phase)
{
    if (phase == Phase::WiredAgain) {
        rig.controller->connectSignals();
        rig.controller->connectSignals();
    } else if (phase == Phase::ShowReloaded) {
        rig.controller->LoadCurrentShow();
        MainWindowRig::Unshow();
    }
    rig.Advance(0);
    rig.Engine().ClearJournal();
}

// The sound-effect manager's window: none until the menu first opens it.
QObject* SfxManagerWindow()
{
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->metaObject()->indexOfSignal("deleteSoundEffectInstanceClicked(QString)") >= 0)
            return window;
    }
    return nullptr;
}

// The main window shown again, holding the keyboard focus itself: while another window of its own has
// it, the main window counts as active, but keys go nowhere.
QQuickWindow* ShownWindow(MainWindowRig& rig)
{
    auto* window = qobject_cast<QQuickWindow*>(rig.Root());
    window->show();
    window->requestActivate();
    const bool focused = QTest::qWaitFor([window] { return QGuiApplication::focusWindow() == window; });
    return focused && vemo::testing::Settle(window) ? window : nullptr;
}

// The sound-effect manager's window as the menu's entry shows it. The offscreen platform cannot raise
// a window, and says so when the window is raised over a shown main window.
QObject* OpenedSfxManager(MainWindowRig& rig)
{
    if (!QMetaObject::invokeMethod(rig.Child("menuButton"), "sfxManagerClicked"))
        return nullptr;
    return SfxManagerWindow();
}

} // namespace

class TestMusicalMainWiring : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    // Every row between the document and the controller, counted by signature: the rows that
    // are not connected exactly once.
    void documentRowsExistOnce_data() { AddPhaseRows(); }
    void documentRowsExistOnce()
    {
        QFETCH(Phase, phase);
        MainWindowRig rig;
        rig.Create();
        Reach(rig, phase);
        QObject* root = rig.Root();
        QObject* editBar = rig.Child("editBar");
        QObject* controller = rig.controller.get();
        const struct {
            QObject* sender;
            const char* signal;
            QObject* receiver;
            const char* method;
        } rows[] = {
            {root, SIGNAL(play()), controller, SLOT(Play_())},
            {root, SIGNAL(stop()), controller, SLOT(Stop_())},
            {root, SIGNAL(pause()), controller, SLOT(PauseToggle_())},
            {root, SIGNAL(fade(int)), controller, SLOT(Fade_(int))},
            {root, SIGNAL(continueFlow()), controller, SLOT(ContinueFlow_())},
            {root, SIGNAL(nextSong()), controller, SLOT(NextSong_())},
            {root, SIGNAL(prevSong()), controller, SLOT(PrevSong_())},
            {root, SIGNAL(jumpToBar(QString)), controller, SLOT(JumpToBar_(QString))},
            {root, SIGNAL(changelogManagerOpened()), controller, SLOT(ShowChangelogManager_())},
            {root, SIGNAL(outputPathsOpened()), controller, SLOT(ShowOutputPaths_())},
            {root, SIGNAL(caesuraButtonPressed(int)), controller, SLOT(onCaesuraButton(int))},
            {root, SIGNAL(markerButtonPressed(int)), controller, SLOT(onMarkerButton(int))},
            {root, SIGNAL(skipButtonPressed(int,int)), controller, SLOT(onSkipButton(int,int))},
            {root, SIGNAL(vampButtonPressed(int,int)), controller, SLOT(onVampButton(int,int))},
            {root, SIGNAL(cutButtonPressed(int,int)), controller, SLOT(onCutButton(int,int))},
            {root, SIGNAL(transposeButtonPressed(int,int)), controller, SLOT(onTransposeButton(int,int))},
            {root, SIGNAL(tempoButtonPressed(int,int)), controller, SLOT(onTempoButton(int,int))},
            {root, SIGNAL(repeatButtonPressed(int,int)), controller, SLOT(onRepeatButton(int,int))},
            {root, SIGNAL(clickButtonPressed(int,int)), controller, SLOT(onClickButton(int,int))},
            {root, SIGNAL(oscButtonPressed(int)), controller, SLOT(onOscButton(int))},
            {root, SIGNAL(primarySFXButtonPressed(int)), controller, SLOT(onPrimarySFXButton(int))},
            {root, SIGNAL(ambientSFXButtonPressed(int,int)), controller, SLOT(onAmbientSFXButton(int,int))},
            {editBar, SIGNAL(saveButton()), controller, SLOT(onSaveButton())},
            {editBar, SIGNAL(shareButton()), controller, SLOT(onSaveAndUploadButton())},
            {root, SIGNAL(closing(QQuickCloseEvent*)), controller, SIGNAL(Closing())},
            {controller, SIGNAL(PlayStarted()), root, SIGNAL(playStarted())},
            {controller, SIGNAL(Stopped()), root, SIGNAL(stopped())},
            {controller, SIGNAL(Paused()), root, SIGNAL(paused())},
            {controller, SIGNAL(Fading()), root, SIGNAL(fading())},
            {controller, SIGNAL(JumpToBarResult(bool)), root, SIGNAL(jumpToBarResult(bool))},
            {controller, SIGNAL(AdminPermissionSet(bool)), root, SIGNAL(setAdminPermission(bool))},
            {controller, SIGNAL(FadeComplete(bool)), controller, SLOT(FadeComplete_(bool))},
        };
        QStringList notOnce;
        for (const auto& row : rows) {
            const int connections = TakeConnections(row.sender, row.signal, row.receiver, row.method);
            if (connections != 1)
                notOnce.append(QString("%1: %2").arg(row.signal + 1).arg(connections));
        }
        QCOMPARE(notOnce, QStringList());
    }

    // The controller's own signals reach the edit controller and the menu once each; the edit
    // controller of a reloaded show is a new receiver, the old one gone.
    void controllerRowsToEditAndMenuExistOnce_data() { AddPhaseRows(); }
    void controllerRowsToEditAndMenuExistOnce()
    {
        QFETCH(Phase, phase);
        MainWindowRig rig;
        rig.Create();
        Reach(rig, phase);
        MusicalMainController* controller = rig.controller.get();
        // The document's setAdminPermission, the edit controller's signal and the menu's slot.
        QCOMPARE(ReceiverCount::Of(controller, SIGNAL(AdminPermissionSet(bool))), 3);
        QCOMPARE(ReceiverCount::Of(controller, SIGNAL(SignalAttaccaUpdate())), 1);
        QObject* editBar = rig.Child("editBar");
        emit controller->AdminPermissionSet(false);
        QVERIFY(!editBar->property("enabled").toBool());
        QVERIFY(!rig.Child("menuButton")->property("isAdmin").toBool());
        emit controller->AdminPermissionSet(true);
        QVERIFY(editBar->property("enabled").toBool());
        QVERIFY(rig.Child("menuButton")->property("isAdmin").toBool());
    }

    // A root play() plays once, however often the window was wired.
    void aRootPlayCallsPlayOnce_data() { AddPhaseRows(); }
    void aRootPlayCallsPlayOnce()
    {
        QFETCH(Phase, phase);
        MainWindowRig rig;
        rig.Create();
        Reach(rig, phase);
        QMetaObject::invokeMethod(rig.Root(), "play");
        QCOMPARE(Calls(rig, "Play"), 1);
    }

    // Each menu command reaches its slot once, seen by the engine call it makes, after the window
    // was wired again and the show reloaded. Some need an event selected or an edit made first.
    void menuCommandsReachTheirSlotsOnce_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("call");
        const QStringList selected{"select"};
        const QStringList deleted{"select", "deleteSelected"};
        const struct {
            QStringList before;
            const char* command;
            const char* call;
        } rows[] = {
            {{}, "playPause", "Play"},
            {{}, "stop", "Stop"},
            {{}, "continuePlay", "Continue"},
            {{}, "nextBar", "SeekToNextMeasure"},
            {{}, "previousBar", "SeekToPreviousMeasure"},
            {{}, "nextMarker", "SeekRight"},
            {{}, "previousMarker", "SeekLeft"},
            {{}, "selectAll", "GetSongAudioStartTick"},
            {{}, "saveClicked", "SaveChangelog"},
            {{}, "shareClicked", "GetShowAuthorizationData"},
            {{}, "getLatestLogClicked", "SetChangelogFilename"},
            {{}, "midiCommandsClicked", "GetMidiSources"},
            {{}, "audioManagerClicked", "GetOutputDeviceUid"},
            {{}, "oscManagerClicked", "GetNetworks"},
            {selected, "deleteSelected", "DeleteEvent"},
            {deleted, "undo", "Undo"},
            {deleted + QStringList{"undo"}, "redo", "Redo"},
        };
        for (const auto& row : rows)
            QTest::newRow(row.command) << row.before << QString(row.command) << QString(row.call);
    }

    void menuCommandsReachTheirSlotsOnce()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, command);
        QFETCH(QString, call);
        MainWindowRig rig;
        rig.Create();
        rig.controller->connectSignals();
        Reach(rig, Phase::ShowReloaded);
        QObject* menu = rig.Child("menuButton");
        for (const QString& step : before) {
            if (step == "select")
                QVERIFY(QMetaObject::invokeMethod(rig.Child("eventList"), "currentItemChanged", Q_ARG(int, 1)));
            else
                QVERIFY(QMetaObject::invokeMethod(menu, qPrintable(step)));
        }
        rig.Engine().ClearJournal();
        QVERIFY(QMetaObject::invokeMethod(menu, qPrintable(command)));
        QCOMPARE(Calls(rig, call.toStdString()), 1);
    }

    // The sound-effect entry shows the manager's window.
    void theSoundEffectEntryShowsItsManager()
    {
        MainWindowRig rig;
        rig.Create();
        QVERIFY(ShownWindow(rig) != nullptr);
        QVERIFY(!SfxManagerWindow());
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
        auto* sfxWindow = qobject_cast<QWindow*>(OpenedSfxManager(rig));
        QVERIFY(sfxWindow->isVisible());
        sfxWindow->close();
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
        QCOMPARE(qobject_cast<QWindow*>(OpenedSfxManager(rig)), sfxWindow);
        QVERIFY(sfxWindow->isVisible());
    }

    // After a second show load, the new edit controller's rows exist once: the edit button opens
    // its tool once, an attacca change reaches the engine once and the menu learns of the unsaved
    // edit.
    void theNewEditControllersRowsExistOnce()
    {
        MainWindowRig rig;
        rig.Create();
        rig.controller->connectSignals();
        Reach(rig, Phase::ShowReloaded);
        QObject* menu = rig.Child("menuButton");
        QVERIFY(!menu->property("canSave").toBool());
        QVERIFY(QMetaObject::invokeMethod(rig.Child("eventList"), "currentItemChanged", Q_ARG(int, 1)));
        rig.Engine().ClearJournal();
        QVERIFY(QMetaObject::invokeMethod(rig.Root()->property("editPanelControl").value<QObject*>(),
                                          "editSelectedEventItem"));
        QCOMPARE(Calls(rig, "GetBarsBeats"), 1);

        QVERIFY(QMetaObject::invokeMethod(rig.Child("songList"), "attaccaStateChanged", Q_ARG(QString, "1")));
        QCOMPARE(Calls(rig, "SetAttacca"), 1);
        QVERIFY(menu->property("canSave").toBool());
    }

    // The menu's zoom entries and the "+" key zoom the timeline one step each.
    void zoomFromTheMenu()
    {
        MainWindowRig rig;
        rig.Create();
        rig.controller->connectSignals();
        // The zoom animates, and animations run only in a window on screen.
        QQuickWindow* window = ShownWindow(rig);
        QVERIFY(window != nullptr);
        QObject* timeline = rig.Root()->property("timelineControl").value<QObject*>();
        const double scale = timeline->property("viewScale").toDouble();
        const double step = 0.6;
        QVERIFY(QMetaObject::invokeMethod(rig.Child("menuButton"), "zoomIn"));
        QTRY_COMPARE(timeline->property("viewScale").toDouble(), scale + step);
        QVERIFY(QMetaObject::invokeMethod(rig.Child("menuButton"), "zoomOut"));
        QTRY_COMPARE(timeline->property("viewScale").toDouble(), scale);

        QTest::keyClick(window, Qt::Key_Plus, Qt::ShiftModifier);
        QTRY_COMPARE(timeline->property("viewScale").toDouble(), scale + step);
        QTest::keyClick(window, Qt::Key_Equal);
        QTRY_COMPARE(timeline->property("viewScale").toDouble(), scale + 2 * step);
    }

    // The menu's own commands that the main document handles.
    void menuRelaysOfTheDocument()
    {
        MainWindowRig rig;
        rig.Create();
        QObject* menu = rig.Child("menuButton");
        QSignalSpy changelog(rig.Root(), SIGNAL(changelogManagerOpened()));
        QSignalSpy outputPaths(rig.Root(), SIGNAL(outputPathsOpened()));
        QVERIFY(QMetaObject::invokeMethod(menu, "changelogManagerOpened"));
        QVERIFY(QMetaObject::invokeMethod(menu, "outputPaths"));
        QCOMPARE(changelog.count(), 1);
        QCOMPARE(outputPaths.count(), 1);
        QObject* prompt = rig.Child("jumpQuery");
        QVERIFY(QMetaObject::invokeMethod(menu, "jumpToBarStart"));
        QTRY_VERIFY(prompt->property("opened").toBool());
    }

    // A "Next Bar" seeks one bar, then the OSC cues held for the old position are gone: play
    // sends none.
    void nextBarSeeksAndDropsHeldCues()
    {
        QUdpSocket desk;
        QVERIFY(desk.bind(QHostAddress(QHostAddress::LocalHost), 9001));
        MainWindowRig rig;
        rig.Create();
        rig.Advance(0);
        rig.Engine().FireOscCue(CL::Osc(0, "OSCT", CL::OscProperties("/test/cue 1", "NETWORK0")), 0, true);
        rig.Engine().Drain();
        QCoreApplication::processEvents();
        rig.Engine().ClearJournal();
        QVERIFY(QMetaObject::invokeMethod(rig.Child("menuButton"), "nextBar"));
        QCOMPARE(Calls(rig, "SeekToNextMeasure"), 1);
        QMetaObject::invokeMethod(rig.Root(), "play");
        rig.Advance(100);
        QTest::qWait(200);
        QVERIFY(!desk.hasPendingDatagrams());
    }

    // A change of the sound-effect list reloads the change log once per change: one connection
    // for the manager, however often the window is wired and the show reloaded.
    void aSoundEffectChangeReloadsTheLogOnce()
    {
        MainWindowRig rig;
        rig.Create();
        Reach(rig, Phase::Built);
        QObject* sfxWindow = OpenedSfxManager(rig);
        QVERIFY(sfxWindow != nullptr);
        QVERIFY(QMetaObject::invokeMethod(sfxWindow, "deleteSoundEffectInstanceClicked",
                                          Q_ARG(QString, "no such instance")));
        const int once = Calls(rig, "LoadNewChangeLog");
        QVERIFY(once > 0);

        rig.controller->connectSignals();
        Reach(rig, Phase::ShowReloaded);
        QVERIFY(QMetaObject::invokeMethod(sfxWindow, "deleteSoundEffectInstanceClicked",
                                          Q_ARG(QString, "no such instance")));
        QCOMPARE(Calls(rig, "LoadNewChangeLog"), once);
        QCOMPARE(rig.DialogTitles(), QStringList());
    }

    // A reload that fails after a sound-effect change is reported; the window stays.
    void aFailingReloadAfterASoundEffectChangeIsReported()
    {
        MainWindowRig rig;
        rig.Create();
        QObject* sfxWindow = OpenedSfxManager(rig);
        rig.Engine().FailNext("LoadNewChangeLog", std::make_exception_ptr(std::runtime_error("disk gone")));
        QVERIFY(QMetaObject::invokeMethod(sfxWindow, "deleteSoundEffectInstanceClicked",
                                          Q_ARG(QString, "no such instance")));
        QCOMPARE(rig.DialogTitles(), QStringList{"Error"});
    }

    // A product without OSC connects neither the cue button nor the OSC manager entry.
    void withoutOscNothingReceivesTheOscCommands()
    {
        MainWindowRig rig;
        rig.factory.oscEnabled = false;
        rig.Create();
        rig.controller->connectSignals();
        QCOMPARE(ReceiverCount::Of(rig.Root(), SIGNAL(oscButtonPressed(int))), 0);
        const int windows = QGuiApplication::topLevelWindows().size();
        QVERIFY(QMetaObject::invokeMethod(rig.Child("menuButton"), "oscManagerClicked"));
        QCOMPARE(QGuiApplication::topLevelWindows().size(), windows);
    }

    // The menu sits in the window's top-left corner and opens below its icon; it holds the About
    // window, filled with the product's version, whose acknowledgements are the product's own.
    void theMenuOpensInTheMainWindow()
    {
        MainWindowRig rig;
        rig.Create();
        QObject* menuButton = rig.Child("menuButton");
        QCOMPARE(rig.Root()->property("menu").value<QObject*>(), menuButton);
        QObject* about = rig.Root()->property("aboutWindow").value<QObject*>();
        QCOMPARE(about, menuButton->property("aboutWindow").value<QObject*>());
        QCOMPARE(about->property("version").toString(), rig.factory.Version());
        QCOMPARE(menuButton->property("appName").toString(), rig.factory.displayName);

        QQuickWindow* window = ShownWindow(rig);
        QVERIFY(window != nullptr);
        QVERIFY(vemo::testing::Settle(window));
        QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(20, 18));
        QObject* dropDown = menuButton->findChild<QObject*>("menu");
        QVERIFY(dropDown != nullptr);
        QTRY_VERIFY(dropDown->property("opened").toBool());

        QVERIFY(QMetaObject::invokeMethod(about, "acknowledgementsClicked"));
        QString acknowledgements;
        for (QWindow* candidate : QGuiApplication::allWindows()) {
            if (candidate->property("acknowledgementText").isValid())
                acknowledgements = candidate->property("acknowledgementText").toString();
        }
        QVERIFY2(!acknowledgements.isEmpty() && !acknowledgements.startsWith("Error"), qPrintable(acknowledgements));
    }

    // The menu's keys in the main window: Space plays once, Quit asks the window to close once
    // and the window stays.
    void menuKeysInTheMainWindow()
    {
        MainWindowRig rig;
        rig.Create();
        Reach(rig, Phase::WiredAgain);
        QQuickWindow* window = ShownWindow(rig);
        QVERIFY(window != nullptr);
        QTest::keyClick(window, Qt::Key_Space);
        QCOMPARE(Calls(rig, "Play"), 1);

        QSignalSpy closing(rig.controller.get(), &MusicalMainController::Closing);
        QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(closing.count(), 1);
        QVERIFY(window->isVisible());
    }

    // The menu follows the permissions the controller sets.
    void permissionsReachTheMenu()
    {
        MainWindowRig rig;
        rig.Create();
        QObject* menuButton = rig.Child("menuButton");
        QVERIFY(menuButton->property("isAdmin").toBool());
        QVERIFY(menuButton->property("sfxPermissions").toBool());
        rig.controller->SetPermissions(Permissions{false, false});
        QVERIFY(!menuButton->property("isAdmin").toBool());
        QVERIFY(!menuButton->property("sfxPermissions").toBool());
    }
};

QTEST_MAIN(TestMusicalMainWiring)
#include "test_musical_main_wiring.moc"
