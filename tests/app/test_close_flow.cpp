// The end of a run through the program's real launcher: a close request quits at once without
// unsaved edits, and otherwise asks "Unsaved Changes" first; each answer of that prompt, and what a
// later save does after the program went on.
#include "launcher_rig.h"

#include <vemo_player_core/engine_probe.h>
#include <vemo_test/qml_engine.h>

#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <stdexcept>

using vemo::testing::CloseAndAnswer;
using vemo::testing::kPromptTitle;
using vemo::testing::kStillRunning;
using vemo::testing::RunLoop;
using vemo::testing::VisibleWindow;

namespace {

// The version a save writes after the first start's download of 2.0.
const char* const kSavedLog = "TheLanternKeeper-2.1.logdata";

QQuickWindow* Prompt()
{
    return VisibleWindow(kPromptTitle);
}

qreal XOf(QObject* item)
{
    return qobject_cast<QQuickItem*>(item)->mapToScene(QPointF(0, 0)).x();
}

} // namespace

class TestCloseFlow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<vemo::testing::LauncherRig> rig;
    QQuickWindow* mainWindow = nullptr;

    QObject* EditBar() const { return vemo::testing::Child(mainWindow, "editBar"); }

    bool Saved() const { return std::filesystem::exists(rig->ShowFolder() / kSavedLog); }

    // Deletes the first song's first marker through the edit panel and the editor bar; whether the
    // editor bar then offers to save.
    bool Edit() const
    {
        return QMetaObject::invokeMethod(vemo::testing::Child(mainWindow, "editPanel"), "markerSelected",
                                         Q_ARG(int, 0)) &&
               QMetaObject::invokeMethod(EditBar(), "deleteButton") && vemo::testing::SaveOffered(mainWindow);
    }

    // An ordinary save through the editor bar's Save button.
    void Save() { QVERIFY(QMetaObject::invokeMethod(EditBar(), "saveButton")); }

private slots:
    void init()
    {
        qunsetenv("VEMO_WEB_BASE");
        rig = std::make_unique<vemo::testing::LauncherRig>();
        mainWindow = rig->StartAndSettle();
        QVERIFY(mainWindow != nullptr);
    }

    void cleanup()
    {
        rig.reset();
    }

    void withoutEditsACloseQuitsAtOnce()
    {
        bool prompted = false;
        QCOMPARE(RunLoop([&] {
                     mainWindow->close();
                     prompted = Prompt() != nullptr;
                 }),
                 0);
        QVERIFY(!prompted);
    }

    void promptAsksWithThreeAnswers()
    {
        QVERIFY(Edit());
        QCOMPARE(RunLoop([this] {
                     mainWindow->close();
                     QTRY_VERIFY(Prompt() != nullptr);
                 }),
                 kStillRunning);
        QQuickWindow* prompt = Prompt();
        QVERIFY(prompt != nullptr);
        QCOMPARE(prompt->property("text").toString(),
                 "You have unsaved changes.  If you quit now, they will be lost forever.");
        QCOMPARE(prompt->property("type").toString(), "warning");
        QCOMPARE(prompt->property("confirmationPreamble").toString(), "Unsaved Changes Detected:");
        QVERIFY(!prompt->property("showConfirmation").toBool());
        QVERIFY(!prompt->property("showInputField").toBool());
        QObject* cancel = vemo::testing::Child(prompt, "cancelButton");
        QObject* ok = vemo::testing::Child(prompt, "okButton");
        QObject* negate = vemo::testing::Child(prompt, "negateButton");
        QCOMPARE(cancel->property("text").toString(), "Close Without Saving");
        QCOMPARE(ok->property("text").toString(), "Save and Close");
        QCOMPARE(negate->property("text").toString(), "Cancel");
        QVERIFY(negate->property("visible").toBool());
        QVERIFY(XOf(cancel) < XOf(ok));
        QVERIFY(XOf(ok) < XOf(negate));
    }

    void eachAnswerQuitsOrGoesOn_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Save and Close") << "Save and Close" << 0 << true;
        QTest::newRow("Close Without Saving") << "Close Without Saving" << 0 << false;
        QTest::newRow("Cancel") << "Cancel" << kStillRunning << false;
        QTest::newRow("Escape") << "Escape" << kStillRunning << false;
        QTest::newRow("title bar") << "title bar" << kStillRunning << false;
    }

    // The program goes on after an answer that keeps it: a later ordinary save saves and quits not.
    void eachAnswerQuitsOrGoesOn()
    {
        QFETCH(QString, answer);
        QFETCH(int, exitCode);
        QFETCH(bool, saved);
        QVERIFY(Edit());
        QCOMPARE(RunLoop([&] { QVERIFY(CloseAndAnswer(mainWindow, answer)); }), exitCode);
        QCOMPARE(Saved(), saved);
        vemo::testing::DeliverDeferredDeletes();
        QCOMPARE(vemo::testing::WindowsTitled(kPromptTitle), 0);
        if (exitCode != kStillRunning)
            return;
        QCOMPARE(RunLoop([this] { Save(); }), kStillRunning);
        QVERIFY(Saved());
    }

    void failedSaveAndCloseGoesOnAndALaterSaveDoesNotQuit()
    {
        QVERIFY(Edit());
        vemo::testing::CurrentEngine()->FailNext("SaveChangelog",
                                                 std::make_exception_ptr(std::runtime_error("The disk is full")));
        QCOMPARE(RunLoop([this] { QVERIFY(CloseAndAnswer(mainWindow, "Save and Close")); }), kStillRunning);
        QVERIFY(VisibleWindow("Save Failed") != nullptr);
        QVERIFY(!Saved());
        QCOMPARE(RunLoop([this] { Save(); }), kStillRunning);
        QVERIFY(Saved());
    }
};

QTEST_MAIN(TestCloseFlow)
#include "test_close_flow.moc"
