#include "timeline_rig.h"

#include "timeline/timeline_edit_controller.h"

#include <vemo_core/events.h>
#include <vemo_core/notify.h>
#include <vemo_test/qml_engine.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QtTest>

#include <string>
#include <vector>

using namespace timelinetest;
using vemo::qt::TimelineEditController;

namespace {

// The enabled state of Edit, Delete, Undo, Redo, Save and Share.
struct Buttons {
    bool edit, del, undo, redo, save, share;
    bool operator==(const Buttons&) const = default;
};

char* toString(const Buttons& b)
{
    return QTest::toString(QString("edit %1 delete %2 undo %3 redo %4 save %5 share %6")
                               .arg(b.edit).arg(b.del).arg(b.undo).arg(b.redo).arg(b.save).arg(b.share));
}

// Every value published under the two change-log flag notifications, in order.
class FlagNotifications {
public:
    FlagNotifications()
    {
        notify::callbackDispatcher.Subscribe(notify::names::editModelChangeLogNeedsSave, this, [this](void* payload) {
            published.push_back(std::string("save ") + (*static_cast<bool*>(payload) ? "true" : "false"));
        });
        notify::callbackDispatcher.Subscribe(notify::names::editModelChangeLogNeedsUpload, this, [this](void* payload) {
            published.push_back(std::string("share ") + (*static_cast<bool*>(payload) ? "true" : "false"));
        });
    }
    ~FlagNotifications() { notify::callbackDispatcher.RemoveCallbacksForTarget(this); }
    FlagNotifications(const FlagNotifications&) = delete;
    FlagNotifications& operator=(const FlagNotifications&) = delete;

    std::vector<std::string> published;
};

// The editor bar of a loaded one-song show and its controller.
struct BarRig {
    explicit BarRig(bool editRight = true)
        : timeline(OneSongShow(8, {std::make_shared<CL::Cut>(kBar, 2 * kBar, "CUT1", 0)}), editRight)
        , bar(MakeDocument(*timeline.qml, "TimeLineEditorBar", 1600, 56))
        , controller(std::make_unique<TimelineEditController>(timeline.editModel.get(), bar.get(),
                                                              timeline.qml.get(), editRight))
    {
    }
    ~BarRig()
    {
        controller.reset();
        bar.reset();
        vemo::testing::DeliverDeferredDeletes();
    }

    Buttons State() const
    {
        const auto enabled = [this](const char* name) {
            return bar->property(name).value<QObject*>()->property("enabled").toBool();
        };
        return {enabled("editButtonControl"), enabled("deleteButtonControl"), enabled("undoButtonControl"),
                enabled("redoButtonControl"), enabled("saveControl"), enabled("shareControl")};
    }

    // An edit the editor can undo.
    void Edit()
    {
        timeline.showManager->GetEditorForEdit()->AddEvent(CL::Marker(3 * kBar, "Bridge", "MRK9"));
        controller->MarkChangeLogModified();
    }

    void Select()
    {
        timeline.editModel->ChangeLogPanelEvents();
        timeline.editModel->SelectEvent(timeline.editModel->panelEvents.front().get());
        controller->UpdateEditDeleteEnabled();
    }

    TimelineRig timeline;
    std::unique_ptr<QQuickItem> bar;
    std::unique_ptr<TimelineEditController> controller;
};

// The main window's save or share slot: records the Save button's state while it runs, and saves or
// shares when told to.
class SaveReceiver : public QObject {
    Q_OBJECT

public:
    SaveReceiver(BarRig& barRig, bool saves, bool shares)
        : rig(barRig)
        , savesChangeLog(saves)
        , sharesChangeLog(shares)
    {
    }

    bool saveEnabledDuringSave = true;

public slots:
    void Save()
    {
        saveEnabledDuringSave = rig.State().save;
        if (savesChangeLog)
            rig.controller->MarkChangeLogSaved();
        if (sharesChangeLog)
            rig.controller->MarkChangeLogShared();
    }

private:
    BarRig& rig;
    bool savesChangeLog;
    bool sharesChangeLog;
};

} // namespace

Q_DECLARE_METATYPE(Buttons)

class TestTimelineEditController : public QObject {
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(".*")); }

    void buttonsFollowTheChangeLog_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<Buttons>("expected");
        QTest::addColumn<QVariantList>("reported");
        QTest::newRow("initial") << "" << Buttons{false, false, false, false, false, false}
                                 << QVariantList{false, false, false, false};
        QTest::newRow("modified") << "edit" << Buttons{false, false, true, false, true, true}
                                  << QVariantList{true, false, true, true};
        QTest::newRow("saved") << "edit saved" << Buttons{false, false, true, false, false, true}
                               << QVariantList{true, false, false, true};
        QTest::newRow("shared") << "edit shared" << Buttons{false, false, true, false, false, false}
                                << QVariantList{true, false, false, false};
        QTest::newRow("undone") << "edit undo" << Buttons{false, false, false, true, true, true}
                                << QVariantList{false, true, true, true};
        QTest::newRow("no edit right") << "edit select revoke" << Buttons{false, false, false, false, false, false}
                                       << QVariantList{false, false, false, false};
        QTest::newRow("selected") << "select" << Buttons{true, true, false, false, false, false}
                                  << QVariantList{false, false, false, false};
    }

    void buttonsFollowTheChangeLog()
    {
        QFETCH(QString, steps);
        QFETCH(Buttons, expected);
        QFETCH(QVariantList, reported);
        BarRig rig;
        QSignalSpy updates(rig.controller.get(), &TimelineEditController::UndoRedoStateUpdated);
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step == "edit")
                rig.Edit();
            else if (step == "saved")
                rig.controller->MarkChangeLogSaved();
            else if (step == "shared")
                rig.controller->MarkChangeLogShared();
            else if (step == "undo") {
                rig.timeline.showManager->GetEditorForEdit()->Undo();
                rig.controller->UpdateUndoRedoState();
            } else if (step == "select")
                rig.Select();
            else if (step == "revoke")
                rig.controller->OnAdminPermissionSet(false);
        }
        rig.controller->UpdateUndoRedoState();
        QCOMPARE(rig.State(), expected);
        QCOMPARE(updates.last(), reported);
    }

    void saveEnabledAloneLeavesTheFlags()
    {
        BarRig rig;
        FlagNotifications notifications;
        rig.controller->SetSaveEnabled(true);
        QCOMPARE(rig.State(), (Buttons{false, false, false, false, true, false}));
        QVERIFY(!rig.timeline.editModel->needsSave);
        QVERIFY(notifications.published.empty());
    }

    void flagsArePublishedWithTheirValues()
    {
        BarRig rig;
        FlagNotifications notifications;
        rig.Edit();
        rig.controller->MarkChangeLogSaved();
        rig.controller->MarkChangeLogShared();
        QCOMPARE(notifications.published, (std::vector<std::string>{"save true", "share true", "save false",
                                                                   "save false", "share false"}));
    }

    void pressDisablesSaveBeforeALaterReceiver_data()
    {
        QTest::addColumn<QString>("signal");
        QTest::addColumn<bool>("receiverSaves");
        QTest::addColumn<bool>("saveEnabled");
        QTest::newRow("save fails") << "saveButton()" << false << true;
        QTest::newRow("save succeeds") << "saveButton()" << true << false;
        QTest::newRow("share fails") << "shareButton()" << false << true;
        QTest::newRow("share succeeds") << "shareButton()" << true << false;
    }

    // Save goes off at the press, before the main window's slot runs; once that slot has returned,
    // Save follows the needs-save flag again, so a save that failed leaves it enabled.
    void pressDisablesSaveBeforeALaterReceiver()
    {
        QFETCH(QString, signal);
        QFETCH(bool, receiverSaves);
        QFETCH(bool, saveEnabled);
        BarRig rig;
        rig.Edit();
        const bool share = signal.startsWith("share");
        SaveReceiver receiver(rig, receiverSaves && !share, receiverSaves && share);
        const QByteArray signature = "2" + signal.toLatin1();
        QVERIFY(connect(rig.bar.get(), signature.constData(), &receiver, SLOT(Save())));
        QVERIFY(QMetaObject::invokeMethod(rig.bar.get(), qPrintable(signal.chopped(2))));
        QCOMPARE(receiver.saveEnabledDuringSave, false);
        QCoreApplication::sendPostedEvents(rig.controller.get(), QEvent::MetaCall);
        QCOMPARE(rig.State().save, saveEnabled);
    }

    void editRequestsCarryTheSelection()
    {
        BarRig rig;
        QSignalSpy edits(rig.controller.get(), &TimelineEditController::EditButtonSignal);
        QVERIFY(QMetaObject::invokeMethod(rig.bar.get(), "editButton"));
        rig.Select();
        QVERIFY(QMetaObject::invokeMethod(rig.bar.get(), "editButton"));
        QCOMPARE(edits.size(), 2);
        QVERIFY(edits[0][0].value<cmn::VemoEvent*>() == nullptr);
        QCOMPARE(edits[1][0].value<cmn::VemoEvent*>(), rig.timeline.editModel->selectedEvent);
    }

    void barButtonsBecomeRequests()
    {
        BarRig rig;
        QSignalSpy deletes(rig.controller.get(), &TimelineEditController::DeleteRequested);
        QSignalSpy undos(rig.controller.get(), &TimelineEditController::UndoRequested);
        QSignalSpy redos(rig.controller.get(), &TimelineEditController::RedoRequested);
        QVERIFY(QMetaObject::invokeMethod(rig.bar.get(), "deleteButton"));
        QVERIFY(QMetaObject::invokeMethod(rig.bar.get(), "undoButton"));
        QVERIFY(QMetaObject::invokeMethod(rig.bar.get(), "redoButton"));
        QCOMPARE(deletes.size(), 1);
        QCOMPARE(undos.size(), 1);
        QCOMPARE(redos.size(), 1);
    }

    void withoutAnEditorNothingChanges()
    {
        BarRig rig;
        rig.Edit();
        QSignalSpy updates(rig.controller.get(), &TimelineEditController::UndoRedoStateUpdated);
        const Buttons before = rig.State();
        rig.timeline.editModel->showManager.reset();
        rig.timeline.editModel->needsSave = false;
        rig.controller->UpdateUndoRedoState();
        QCOMPARE(updates.size(), 0);
        QCOMPARE(rig.State(), before);
    }
};

QTEST_MAIN(TestTimelineEditController)
#include "test_timeline_edit_controller.moc"
