#include "sfx/sfx_manager_effects.h"
#include "sfx/sfx_manager_tool_controller.h"
#include "sfx/standalone_sfx_tool_controller.h"
#include "sfx_rig.h"

#include <fonexa/sfx_mediator.h>
#include <fonexa/sfx_player.h>
#include <vemo_test/qml_engine.h>
#include <vemo_test/test_environment.h>

#include <QAbstractItemModel>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

using namespace vemo::testing;
using vemo::qt::SfxManagerToolController;

namespace {

const QUrl kWindow("qrc:/qt/qml/com/quorvane/vemo_ui/qml/SfxManagerTool.qml");

QStringList Rows(const QVariant& model, int role)
{
    QStringList rows;
    auto* list = qobject_cast<QAbstractItemModel*>(model.value<QObject*>());
    for (int row = 0; list && row < list->rowCount(); ++row)
        rows << list->data(list->index(row, 0), role).toString();
    return rows;
}

std::vector<Effect> ShowEffects()
{
    return {{.id = "thunder", .name = "Thunder", .durationMs = 40},
            {.id = "rain", .name = "Rain", .ambient = true, .durationMs = 60000},
            {.id = "bell", .name = "bell", .durationMs = 60000}};
}

QString ReadingOutcome()
{
    try {
        QStringList rows;
        for (const SfxEntry& entry : vemo::qt::ReadManagerSfxEntries())
            rows << entry.displayName;
        return rows.join(", ");
    } catch (const std::runtime_error& error) {
        return error.what();
    }
}

// The instance editor's windows that exist, shown or not.
int EditorWindows()
{
    DeliverDeferredDeletes();
    int count = 0;
    for (const QWindow* window : QGuiApplication::allWindows()) {
        if (QByteArray(window->metaObject()->className()).startsWith("StandaloneSfxTool"))
            ++count;
    }
    return count;
}

}  // namespace

class TestSfxManagerTool : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(DataFoldersAreIsolated()); }

    void init()
    {
        vemo::audio::testing::HoldReadiness(false);
        vemo::audio::testing::SetReadyDelay(0);
        QTest::qWait(30);
        rig = std::make_unique<SfxRig>(ShowEffects());
    }

    void cleanup()
    {
        manager.reset();
        DeliverDeferredDeletes();
        vemo::audio::SfxPlayerController().stop();
        QTest::qWait(20);
        rig.reset();
    }

    void managerReading_data()
    {
        QTest::addColumn<QByteArray>("manifest");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("sorted by name, capitals first")
            << QByteArray(R"({"metadata": {}, "ambient": [{"name": "Rain", "id": "rain"}],
                "sfx": [{"name": "alarm", "id": "alarm"}, {"name": "Bell", "id": "bell"}]})") << "Bell, Rain, alarm";
        QTest::newRow("equal names keep file order")
            << QByteArray(R"({"metadata": {}, "ambient": [{"name": "A", "id": "1"}, {"name": "A", "id": "2"}],
                "sfx": [{"name": "A", "id": "3"}]})") << "A, A, A";
        QTest::newRow("no ambient") << QByteArray(R"({"metadata": {}, "sfx": []})") << "No ambient effects available";
        QTest::newRow("no sfx") << QByteArray(R"({"metadata": {}, "ambient": []})") << "No sound effects available";
        QTest::newRow("neither") << QByteArray(R"({"metadata": {}})") << "No ambient effects available";
        QTest::newRow("empty arrays") << QByteArray(R"({"metadata": {}, "ambient": [], "sfx": []})") << "";
        QTest::newRow("no metadata") << QByteArray(R"({"ambient": [], "sfx": []})")
                                     << "No metadata available for sound effects";
        QTest::newRow("not JSON") << QByteArray("{") << "Error parsing sound effects manifest";
    }

    void managerReading()
    {
        QFETCH(QByteArray, manifest);
        QFETCH(QString, outcome);
        WriteManifestBytes(manifest);
        QCOMPARE(ReadingOutcome(), outcome);
        const auto sameOrder = ReadingOutcome();
        QCOMPARE(ReadingOutcome(), sameOrder);
    }

    void effectsRowsStartWithAllInstances()
    {
        WriteManifestBytes(R"({"metadata": {}, "ambient": [{"name": "Rain", "id": "rain"}],
            "sfx": [{"name": "alarm", "id": "alarm"}, {"name": "Bell", "id": "bell"}]})");
        MakeShownManager();
        QCOMPARE(Rows(Window()->property("availableSoundEffectsModel"), 258),
                 (QStringList{"View All Instances", "Bell", "Rain", "alarm"}));
        QCOMPARE(Rows(Window()->property("availableSoundEffectsModel"), 257), (QStringList{"", "bell", "rain", "alarm"}));
        WriteManifestBytes(R"({"metadata": {}, "sfx": []})");
        manager->onShowLoaded();
        QCOMPARE(Rows(Window()->property("availableSoundEffectsModel"), 258), QStringList{});
    }

    // Nothing of the window exists until it is first shown; it then shows what the loads before
    // gave, and later shows reuse it.
    void theWindowComesWithTheFirstShow()
    {
        rig->AddInstance("Clap", "thunder");
        rig->engine->LoadNewChangeLog();
        MakeManager();
        manager->SetPlayerInterface(rig->engine);
        manager->onShowLoaded();
        manager->onSoundEffectSelected(2);  // Thunder
        QVERIFY(!Window());
        manager->Show();
        QObject* window = Window();
        QVERIFY(window);
        QVERIFY(window->property("visible").toBool());
        QCOMPARE(Rows(window->property("availableSoundEffectsModel"), 258),
                 (QStringList{"View All Instances", "Rain", "Thunder", "bell"}));
        QCOMPARE(Rows(window->property("soundEffectInstancesModel"), 0), QStringList{"Clap"});
        QVERIFY(QMetaObject::invokeMethod(window, "soundEffectSelected", Q_ARG(QVariant, 1)));  // Rain
        QCOMPARE(Rows(window->property("soundEffectInstancesModel"), 0), QStringList{});
        window->setProperty("visible", false);
        manager->Show();
        QCOMPARE(Window(), window);
        QVERIFY(window->property("visible").toBool());
    }

    void newPlayerRebuildsOnceAndTellsTheLibrary()
    {
        const std::string thunder = rig->AddInstance("Clap", "thunder");
        rig->engine->LoadNewChangeLog();
        MakeShownManager();
        QCOMPARE(EditorWindows(), 0);
        QSignalSpy updated(manager.get(), &SfxManagerToolController::soundEffectsUpdated);
        QSignalSpy ready(vemo::audio::SfxPlayerControllerImpl::instance(), &vemo::audio::SfxPlayerControllerImpl::sfxIsReady);
        manager->SetPlayerInterface(rig->engine);
        QCOMPARE(updated.count(), 1);
        QCOMPARE(Rows(Window()->property("soundEffectInstancesModel"), 270), QStringList{QString::fromStdString(thunder)});
        QVERIFY(ready.wait(2000));
        QVERIFY(ready.at(0).at(0).toString().endsWith("thunder.wav"));
        QTRY_VERIFY(Instances()->data(Instances()->index(0, 0), 271).toBool());
        // A show load makes no editor window.
        manager->SetPlayerInterface(rig->engine);
        QCOMPARE(updated.count(), 2);
        QVERIFY(!manager->InstanceEditor());
        QCOMPARE(EditorWindows(), 0);
    }

    // The editor is made on the first request, for the player of the show loaded last; each of
    // its changes is announced once, however many shows were loaded before.
    void theEditorServesTheCurrentPlayer()
    {
        rig->AddInstance("Clap", "thunder", 0, "sfx.5");
        SfxRig next(ShowEffects());
        next.AddInstance("Drizzle", "rain", 0, "sfx.5");
        MakeManager();
        manager->SetPlayerInterface(rig->engine);
        manager->onEditSoundEffectInstanceClicked("sfx.5");
        QCOMPARE(EditorWindows(), 1);
        QObject* editor = manager->InstanceEditor()->QmlObject();
        QVERIFY(editor->property("visible").toBool());
        QCOMPARE(editor->property("name").toString(), QString("Clap"));

        manager->SetPlayerInterface(next.engine);
        QCOMPARE(EditorWindows(), 0);
        manager->onEditSoundEffectInstanceClicked("sfx.5");
        QCOMPARE(EditorWindows(), 1);
        editor = manager->InstanceEditor()->QmlObject();
        QVERIFY(editor->property("visible").toBool());
        QCOMPARE(editor->property("name").toString(), QString("Drizzle"));

        QSignalSpy updated(manager.get(), &SfxManagerToolController::soundEffectsUpdated);
        manager->onDeleteSoundEffectInstanceClicked("sfx.5");
        QCOMPARE(updated.count(), 1);
        QVERIFY(next.engine->GetChangeLogSoundEffects().empty());
        QCOMPARE(rig->engine->GetChangeLogSoundEffects().size(), std::size_t(1));
    }

    void filterListsOnlyKnownEffects()
    {
        rig->AddInstance("Clap", "thunder");
        rig->AddInstance("", "rain");
        rig->AddInstance("Lost", "snow");
        rig->AddInstance("Drizzle", "rain");
        MakeShownManager();
        manager->SetPlayerInterface(rig->engine);
        QCOMPARE(Rows(Window()->property("soundEffectInstancesModel"), 0), (QStringList{"Clap", "Rain", "Drizzle"}));
        manager->onSoundEffectSelected(1);  // Rain
        QCOMPARE(Rows(Window()->property("soundEffectInstancesModel"), 0), (QStringList{"Rain", "Drizzle"}));
        manager->onShowLoaded();
        QCOMPARE(Rows(Window()->property("soundEffectInstancesModel"), 0), (QStringList{"Rain", "Drizzle"}));
        manager->onSoundEffectSelected(0);
        QCOMPARE(Rows(Window()->property("soundEffectInstancesModel"), 0), (QStringList{"Clap", "Rain", "Drizzle"}));
    }

    void anInstanceWithoutFileIsSkipped()
    {
        WriteManifestBytes(R"({"metadata": {}, "ambient": [],
            "sfx": [{"name": "A", "id": "a", "file": "thunder.wav"}, {"name": "B", "id": "b"}]})");
        rig->AddInstance("A1", "a");
        rig->AddInstance("B1", "b");
        rig->AddInstance("A2", "a");
        MakeShownManager();
        manager->SetPlayerInterface(rig->engine);
        QCOMPARE(Rows(Window()->property("soundEffectInstancesModel"), 0), (QStringList{"A1", "A2"}));
    }

    void showWithoutPlayerListsNothing()
    {
        MakeManager();
        manager->Show();
        QVERIFY(Window()->property("visible").toBool());
        QCOMPARE(Rows(Window()->property("soundEffectInstancesModel"), 0), QStringList{});
        manager->onAddSoundEffectInstanceClicked("thunder");
        manager->SetPlayerInterface(rig->engine);
        manager->ClearPlayerInterface();
        QVERIFY(!manager->InstanceEditor());
        manager->onEditSoundEffectInstanceClicked("sfx.1");
        manager->onDeleteSoundEffectInstanceClicked("sfx.1");
        QVERIFY(!manager->InstanceEditor());
        manager->onAddSoundEffectInstanceClicked("thunder");
    }

    void auditionsInTheWindow()
    {
        const std::string clap = rig->AddInstance("Clap", "thunder");
        const std::string bell = rig->AddInstance("Bell", "bell", -1);
        rig->engine->LoadNewChangeLog();
        QQuickWindow* window = ShownManager();
        QTRY_VERIFY(!FindItem(window, Cover(bell))->isVisible());

        ClickItem(window, PlayMouse(bell));
        ClickItem(window, PlayMouse(clap));
        QCOMPARE(Playing(), (QStringList{QString::fromStdString(bell), QString::fromStdString(clap)}));
        QVERIFY(PlayButton(bell)->property("playing").toBool());
        QVERIFY(!FindItem(window, "createButton")->isEnabled());
        // The short one ends by itself; the other plays on.
        QTRY_COMPARE(Playing(), QStringList{QString::fromStdString(bell)});
        QVERIFY(!PlayButton(clap)->property("playing").toBool());
        ClickItem(window, PlayMouse(bell));
        QCOMPARE(Playing(), QStringList{});
        QVERIFY(FindItem(window, "createButton")->isEnabled());
        QTest::qWait(50);
        QCOMPARE(Playing(), QStringList{});
    }

    void aFailedPlayDoesNotStick()
    {
        // Refusals last for the process: an id of its own keeps the other tests' plays.
        const std::string clap = rig->AddInstance("Clap", "thunder", 0, "refused.1");
        rig->engine->LoadNewChangeLog();
        vemo::audio::testing::RefusePlay(clap);
        QQuickWindow* window = ShownManager();
        QTRY_VERIFY(!FindItem(window, Cover(clap))->isVisible());
        ClickItem(window, PlayMouse(clap));
        QTRY_COMPARE(Playing(), QStringList{});
        QVERIFY(FindItem(window, "createButton")->isEnabled());
    }

    void deleteAndChoosing()
    {
        const std::string clap = rig->AddInstance("Clap", "thunder");
        const std::string drizzle = rig->AddInstance("Drizzle", "rain");
        rig->engine->LoadNewChangeLog();
        QQuickWindow* window = ShownManager();
        QTRY_VERIFY(!FindItem(window, Cover(drizzle))->isVisible());
        QSignalSpy stop(window, SIGNAL(stopSfx(QString)));
        QSignalSpy deleted(window, SIGNAL(deleteSoundEffectInstanceClicked(QString)));
        QSignalSpy deleteRequest(manager.get(), &SfxManagerToolController::deleteInstanceRequest);
        ClickItem(window, FindItem(FindItem(window, "instanceRow_" + QString::fromStdString(drizzle)), "chooseMouse"));
        QCOMPARE(window->property("selectedSfxInstanceEventId").toString(), QString::fromStdString(drizzle));
        QVERIFY(FindItem(window, "editButton")->isEnabled());
        ClickItem(window, FindItem(window, "deleteButton"));
        QCOMPARE(stop.count(), 1);
        QCOMPARE(stop.at(0).at(0).toString(), QString::fromStdString(drizzle));
        QCOMPARE(deleted.at(0).at(0).toString(), QString::fromStdString(drizzle));
        QCOMPARE(deleteRequest.at(0).at(0).toString(), QString::fromStdString(drizzle));
        QCOMPARE(window->property("selectedSfxInstanceEventId").toString(), QString());
        QCOMPARE(Rows(window->property("soundEffectInstancesModel"), 270), QStringList{QString::fromStdString(clap)});
        QVERIFY(!FindItem(window, "deleteButton")->isEnabled());

        // A new effects row leaves no instance chosen.
        ClickItem(window, FindItem(FindItem(window, "instanceRow_" + QString::fromStdString(clap)), "chooseMouse"));
        QCOMPARE(window->property("selectedSfxInstanceEventId").toString(), QString::fromStdString(clap));
        QSignalSpy selected(window, SIGNAL(soundEffectSelected(QVariant)));
        auto* effects = FindItem(window, "effectsList");
        effects->forceActiveFocus();
        QTest::keyClick(window, Qt::Key_Down);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.at(0).at(0).toInt(), effects->property("currentIndex").toInt());
        QCOMPARE(window->property("selectedSfxInstanceEventId").toString(), QString());
        QVERIFY(!FindItem(window, "editButton")->isEnabled());
    }

    void spaceAndReturn()
    {
        const std::string clap = rig->AddInstance("Clap", "thunder");
        rig->engine->LoadNewChangeLog();
        QQuickWindow* window = ShownManager();
        QTRY_VERIFY(!FindItem(window, Cover(clap))->isVisible());
        QSignalSpy add(window, SIGNAL(addSoundEffectInstanceClicked(QString)));
        QSignalSpy edit(window, SIGNAL(editSoundEffectInstanceClicked(QString)));
        auto* instances = FindItem(window, "instancesList");
        instances->setProperty("currentIndex", -1);
        instances->forceActiveFocus();
        QTest::keyClick(window, Qt::Key_Space);
        QCOMPARE(edit.count(), 0);
        ClickItem(window, FindItem(FindItem(window, "instanceRow_" + QString::fromStdString(clap)), "chooseMouse"));
        QTest::keyClick(window, Qt::Key_Space);
        QCOMPARE(edit.count(), 1);
        QCOMPARE(edit.at(0).at(0).toString(), QString::fromStdString(clap));
        manager->InstanceEditor()->QmlObject()->setProperty("visible", false);
        QVERIFY(Activate(window));
        FindItem(window, "effectsList")->forceActiveFocus();
        QTest::keyClick(window, Qt::Key_Space);
        QCOMPARE(add.count(), 1);
        manager->InstanceEditor()->QmlObject()->setProperty("visible", false);
        QVERIFY(Activate(window));
        QTest::keyClick(window, Qt::Key_Return);
        QVERIFY(!window->isVisible());
    }

    void closingOnlyHides()
    {
        const std::string bell = rig->AddInstance("Bell", "bell", -1);
        rig->engine->LoadNewChangeLog();
        QQuickWindow* window = ShownManager();
        QCOMPARE(window->title(), QString("SFX Manager"));
        QCOMPARE(window->minimumSize(), QSize(640, 480));
        QTRY_VERIFY(!FindItem(window, Cover(bell))->isVisible());
        ClickItem(window, PlayMouse(bell));
        QSignalSpy add(window, SIGNAL(addSoundEffectInstanceClicked(QString)));
        ClickItem(window, FindItem(window, "closeButton"));
        QVERIFY(!window->isVisible());
        QCOMPARE(Playing(), QStringList{QString::fromStdString(bell)});
        QVERIFY(manager->QmlObject());
        manager->Show();
        QVERIFY(window->isVisible());
        QCOMPARE(Playing(), QStringList{QString::fromStdString(bell)});
        QCOMPARE(add.count(), 0);
    }

    void readinessBeforeTheRowsExist()
    {
        rig->AddInstance("Clap", "thunder");
        const std::string drizzle = rig->AddInstance("Drizzle", "rain");
        rig->engine->LoadNewChangeLog();
        vemo::audio::testing::HoldReadiness(true);
        MakeShownManager();
        manager->SetPlayerInterface(rig->engine);
        manager->onSoundEffectSelected(2);  // Thunder
        QCOMPARE(Rows(Window()->property("soundEffectInstancesModel"), 0), QStringList{"Clap"});
        vemo::audio::testing::HoldReadiness(false);
        QTRY_VERIFY(Instances()->data(Instances()->index(0, 0), 271).toBool());
        QTest::qWait(50);
        manager->onSoundEffectSelected(0);
        manager->Show();
        auto* window = qobject_cast<QQuickWindow*>(Window());
        QVERIFY(Settle(window));
        QVERIFY(!FindItem(window, Cover(drizzle))->isVisible());
        ClickItem(window, FindItem(FindItem(window, "instanceRow_" + QString::fromStdString(drizzle)), "chooseMouse"));
        QCOMPARE(window->property("selectedSfxInstanceEventId").toString(), QString::fromStdString(drizzle));
    }

private:
    void MakeManager()
    {
        manager = std::make_unique<SfxManagerToolController>(rig->qml.get(), kWindow, nullptr, nullptr, true);
        QVERIFY(!manager->Window());
    }

    void MakeShownManager()
    {
        MakeManager();
        manager->Show();
        QVERIFY(Window());
    }

    QQuickWindow* ShownManager()
    {
        MakeManager();
        manager->SetPlayerInterface(rig->engine);
        manager->Show();
        auto* window = qobject_cast<QQuickWindow*>(Window());
        if (!Settle(window) || !Activate(window))
            qWarning("the manager window did not show");
        return window;
    }

    QObject* Window() { return manager->Window(); }
    QAbstractItemModel* Instances()
    {
        return qobject_cast<QAbstractItemModel*>(Window()->property("soundEffectInstancesModel").value<QObject*>());
    }
    QStringList Playing() { return Window()->property("playing").toStringList(); }
    static QString Cover(const std::string& eventId) { return "notReadyCover_" + QString::fromStdString(eventId); }
    QQuickItem* Row(const std::string& eventId)
    {
        return FindItem(qobject_cast<QQuickWindow*>(Window()), "instanceRow_" + QString::fromStdString(eventId));
    }
    QQuickItem* PlayMouse(const std::string& eventId) { return FindItem(Row(eventId), "playMouse"); }
    QQuickItem* PlayButton(const std::string& eventId) { return FindItem(Row(eventId), "playButton"); }

    std::unique_ptr<SfxRig> rig;
    std::unique_ptr<SfxManagerToolController> manager;
};

QTEST_MAIN(TestSfxManagerTool)
#include "test_sfx_manager_tool.moc"
