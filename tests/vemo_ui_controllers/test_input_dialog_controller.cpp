#include "vemo_ui/controllers/input_dialog_controller.h"

#include <vemo_test/qml_engine.h>

#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>

using vemo::qt::InputDialogController;
using namespace vemo::testing;

namespace {

// The three signals of one window, counted.
struct Answers {
    explicit Answers(QObject* window)
        : accepted(window, SIGNAL(accepted())), cancelled(window, SIGNAL(cancelled())),
          negated(window, SIGNAL(negated()))
    {
    }

    QList<int> Counts() const { return {int(accepted.count()), int(cancelled.count()), int(negated.count())}; }

    QSignalSpy accepted;
    QSignalSpy cancelled;
    QSignalSpy negated;
};

QQuickWindow* WindowOf(InputDialogController& dialog)
{
    return qobject_cast<QQuickWindow*>(dialog.QmlObject());
}

qreal XOf(QObject* item)
{
    auto* quickItem = qobject_cast<QQuickItem*>(item);
    return quickItem->mapToScene(QPointF(0, 0)).x();
}

QPoint CentreOf(QObject* item)
{
    auto* quickItem = qobject_cast<QQuickItem*>(item);
    return quickItem->mapToScene(QPointF(quickItem->width() / 2, quickItem->height() / 2)).toPoint();
}

} // namespace

class TestInputDialogController : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        engine = MakeQmlEngine();
        received.reset();
    }

    void cleanup()
    {
        dialog.reset();
        delete window;
        DeliverDeferredDeletes();
        engine.reset();
    }

    void promptShowsItsButtonsInOrder()
    {
        OpenUnsavedChangesPrompt();
        QObject* cancel = Child(window, "cancelButton");
        QObject* ok = Child(window, "okButton");
        QObject* negate = Child(window, "negateButton");
        QCOMPARE(cancel->property("text").toString(), QString("Close Without Saving"));
        QCOMPARE(ok->property("text").toString(), QString("Save and Close"));
        QCOMPARE(negate->property("text").toString(), QString("Cancel"));
        QVERIFY(XOf(cancel) < XOf(ok));
        QVERIFY(XOf(ok) < XOf(negate));
        QVERIFY(ok->property("isDefault").toBool());
        QVERIFY(!cancel->property("isDefault").toBool() && !negate->property("isDefault").toBool());
        QVERIFY(ok->property("enabled").toBool());
        QVERIFY(!Child(window, "field")->property("visible").toBool());
        QVERIFY(!Child(window, "confirmationPreamble")->property("visible").toBool());
        QCOMPARE(window->property("type").toString(), QString("warning"));
        QCOMPARE(window->width(), 425);
        QVERIFY(window->isVisible());
        QCOMPARE(window->parent(), nullptr);
        QCOMPARE(window->transientParent(), nullptr);
    }

    // In the prompt, Cancel reads "Close Without Saving": Escape must keep the program and its edits.
    void escapeInThePromptKeepsEverything_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::newRow("on Close Without Saving") << "cancelButton";
        QTest::newRow("on Save and Close") << "okButton";
        QTest::newRow("on Cancel") << "negateButton";
        QTest::newRow("on the window") << "";
    }

    void escapeInThePromptKeepsEverything()
    {
        QFETCH(QString, focused);
        OpenUnsavedChangesPrompt();
        Answers answers(window);
        QVERIFY(Activate(window));
        if (!focused.isEmpty()) {
            qobject_cast<QQuickItem*>(Child(window, focused))->forceActiveFocus();
        }
        QTest::keyClick(window, Qt::Key_Escape);
        QCOMPARE(answers.Counts(), (QList<int>{0, 0, 1}));
        QVERIFY(!window->isVisible());
    }

    void escapeWithoutThirdButtonCancels()
    {
        Open(true, false);
        Answers answers(window);
        QVERIFY(Activate(window));
        QTest::keyClick(window, Qt::Key_Escape);
        QCOMPARE(answers.Counts(), (QList<int>{0, 1, 0}));
        QVERIFY(!window->isVisible());
    }

    void returnOnlyPastAnEnabledOk_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("accepts");
        QTest::newRow("empty, Return") << "" << int(Qt::Key_Return) << false;
        QTest::newRow("blanks, Return") << "   " << int(Qt::Key_Return) << false;
        QTest::newRow("blanks, Enter") << "   " << int(Qt::Key_Enter) << false;
        QTest::newRow("leading blank, Return") << " a" << int(Qt::Key_Return) << true;
        QTest::newRow("leading blank, Enter") << " a" << int(Qt::Key_Enter) << true;
        QTest::newRow("UTF-8 text") << "Grüße ♪ " << int(Qt::Key_Return) << true;
    }

    void returnOnlyPastAnEnabledOk()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(bool, accepts);
        Open(true, false);
        Answers answers(window);
        QVERIFY(Activate(window));
        auto* field = qobject_cast<QQuickItem*>(Child(Child(window, "field"), "field"));
        QTRY_VERIFY(field->hasActiveFocus());
        for (const QChar character : typed) {
            QTest::sendKeyEvent(QTest::Click, window, Qt::Key_unknown, QString(character), Qt::NoModifier);
        }
        QCOMPARE(window->property("value").toString(), typed);
        QCOMPARE(Child(window, "okButton")->property("enabled").toBool(), accepts);
        QTest::keyClick(window, Qt::Key(key));
        if (accepts) {
            QCOMPARE(answers.Counts(), (QList<int>{1, 0, 0}));
            QVERIFY(received.has_value());
            QCOMPARE(*received, typed.toStdString());
            QVERIFY(!window->isVisible());
        } else {
            QCOMPARE(answers.Counts(), (QList<int>{0, 0, 0}));
            QVERIFY(!received.has_value());
            QVERIFY(window->isVisible());
        }
    }

    void okWaitsForTheConfirmation()
    {
        Open(false, true);
        dialog->SetConfirmationPreamble("Read the <a href=\"https://example.com/terms\">terms</a> first:");
        QObject* ok = Child(window, "okButton");
        QVERIFY(Child(window, "confirmationPreamble")->property("visible").toBool());
        QCOMPARE(Child(window, "confirmationPreamble")->property("textFormat").toInt(), int(Qt::RichText));
        QVERIFY(!ok->property("enabled").toBool());
        Answers answers(window);
        QVERIFY(Activate(window));
        QTest::keyClick(window, Qt::Key_Return);
        QCOMPARE(answers.Counts(), (QList<int>{0, 0, 0}));
        Child(window, "confirmationBox")->setProperty("checked", true);
        QVERIFY(ok->property("enabled").toBool());
        QTest::keyClick(window, Qt::Key_Return);
        QCOMPARE(answers.Counts(), (QList<int>{1, 0, 0}));
        QCOMPARE(received, std::optional<std::string>(""));
    }

    // A close that no button started counts as the third answer, once; a button's close emits only its own.
    void closeWithoutAnswerNegatesOnce()
    {
        OpenUnsavedChangesPrompt();
        Answers answers(window);
        QTest::ignoreMessage(QtDebugMsg, "Closing");
        window->close();
        QVERIFY(!window->isVisible());
        window->close();
        QCOMPARE(answers.Counts(), (QList<int>{0, 0, 1}));
    }

    void buttonsEmitOnlyTheirOwnAnswer_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("counts");
        QTest::newRow("Save and Close") << "okButton" << QList<int>{1, 0, 0};
        QTest::newRow("Close Without Saving") << "cancelButton" << QList<int>{0, 1, 0};
        QTest::newRow("Cancel") << "negateButton" << QList<int>{0, 0, 1};
    }

    void buttonsEmitOnlyTheirOwnAnswer()
    {
        QFETCH(QString, button);
        QFETCH(QList<int>, counts);
        OpenUnsavedChangesPrompt();
        Answers answers(window);
        bool hiddenBeforeAnswer = false;
        connect(window, &QWindow::visibleChanged, this, [&](bool visible) { hiddenBeforeAnswer = !visible; });
        QTest::ignoreMessage(QtDebugMsg, "Closing");
        QTest::mouseClick(window, Qt::LeftButton, {}, CentreOf(Child(window, button)));
        QCOMPARE(answers.Counts(), counts);
        QVERIFY(hiddenBeforeAnswer);
        QVERIFY(!window->isVisible());
    }

    void windowOutlivesItsController()
    {
        OpenUnsavedChangesPrompt();
        dialog.reset();
        DeliverDeferredDeletes();
        QVERIFY(window);
        QVERIFY(window->isVisible());
    }

    void withoutCallbackAcceptIsQuiet()
    {
        dialog = std::make_unique<InputDialogController>("Name?", "Rename", 2, nullptr, engine.get(), nullptr, false);
        window = WindowOf(*dialog);
        QVERIFY(Settle(window));
        window->setProperty("value", "x");
        QTest::ignoreMessage(QtDebugMsg, "Closing");
        QTest::mouseClick(window, Qt::LeftButton, {}, CentreOf(Child(window, "okButton")));
        QVERIFY(!window->isVisible());
    }

    void withoutEngineThereIsNoWindow()
    {
        dialog = std::make_unique<InputDialogController>("Name?", "Rename", 2, nullptr, nullptr, nullptr, false);
        QCOMPARE(dialog->QmlObject(), nullptr);
        dialog->SetDialogProperty("visible", true);
        dialog->SetConfirmationPreamble("nothing");
        dialog->accepted();
    }

private:
    void Open(bool withField, bool confirmation)
    {
        dialog = std::make_unique<InputDialogController>(
            "Enter a name.", "Rename", 2, nullptr, engine.get(),
            [this](const std::string& text) { received = text; }, confirmation);
        window = WindowOf(*dialog);
        QVERIFY(window);
        dialog->SetDialogProperty("showInputField", withField);
        QVERIFY(Settle(window));
    }

    // The launcher's unsaved-changes prompt, set up as the launcher sets it up.
    void OpenUnsavedChangesPrompt()
    {
        dialog = std::make_unique<InputDialogController>(
            "You have unsaved changes.  If you quit now, they will be lost forever.", "Unsaved Changes", 1, nullptr,
            engine.get(), nullptr, false);
        dialog->SetConfirmationPreamble("Unsaved Changes Detected:");
        dialog->SetDialogProperty("acceptButtonText", "Save and Close");
        dialog->SetDialogProperty("cancelButtonText", "Close Without Saving");
        dialog->SetDialogProperty("negateButtonText", "Cancel");
        dialog->SetDialogProperty("showNegateButton", true);
        dialog->SetDialogProperty("showInputField", false);
        dialog->SetDialogProperty("visible", true);
        window = WindowOf(*dialog);
        QVERIFY(window);
        QVERIFY(Settle(window));
    }

    std::unique_ptr<QQmlEngine> engine;
    std::unique_ptr<InputDialogController> dialog;
    QPointer<QQuickWindow> window;
    std::optional<std::string> received;
};

QTEST_MAIN(TestInputDialogController)
#include "test_input_dialog_controller.moc"
