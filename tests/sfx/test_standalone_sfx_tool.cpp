#include "sfx/sfx_manager_tool_controller.h"
#include "sfx/standalone_sfx_tool_controller.h"
#include "sfx_rig.h"

#include <fonexa/sfx_manifest.h>
#include <fonexa/sfx_player.h>
#include <vemo_core/editor.h>
#include <vemo_core/errors.h>
#include <vemo_core/show_record.h>
#include <vemo_demo_show/install.h>
#include <vemo_test/qml_engine.h>
#include <vemo_test/test_environment.h>

#include <QFileInfo>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <fstream>

using namespace vemo::testing;
using vemo::qt::StandaloneSFXToolController;

namespace {

const char* kEffectsPath = "5b0f0c1e-0000-4000-8000-000000000002";

std::shared_ptr<CL::Sfx> Instance(vemo::AudioInterface& engine, const std::string& eventId)
{
    std::shared_ptr<CL::Sfx> found;
    for (const auto& effect : engine.GetChangeLogSoundEffects()) {
        if (effect->EventId() == eventId)
            found = effect;
    }
    return found;
}

bool PlayLineFor(const std::string& line)
{
    const auto journal = vemo::audio::testing::Journal();
    return std::find(journal.begin(), journal.end(), line) != journal.end();
}

}  // namespace

class TestStandaloneSfxTool : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(DataFoldersAreIsolated());
        qunsetenv("VEMO_NO_DEMO");
        data = TestRoot() / "demo_data";
        QVERIFY(vemo::demo::InstallIfNoCurrentShow(data));
        qputenv("VEMO_NO_DEMO", "1");
        manifest = QByteArray::fromStdString(ReadManifest());
        qml = MakeQmlEngine();
    }

    void init()
    {
        WriteManifestBytes(manifest);
        vemo::AudioInterface::Options options;
        options.clock = vemo::AudioInterface::Options::Clock::Manual;
        engine = std::make_shared<vemo::AudioInterface>(vemo::core::ShowRecordStore(data).CurrentShowFolder().string(),
                                                        data.string(), true, nullptr, options);
        engine->ThrowIfThreadExceptions();
        MakeEditor();
    }

    void cleanup()
    {
        editor.reset();
        DeliverDeferredDeletes();
        engine.reset();
    }

    void createsWithTheDialogsValues()
    {
        QSignalSpy changed(editor.get(), &StandaloneSFXToolController::soundEffectsChanged);
        editor->OpenForEdit("");
        QVERIFY(Window()->property("visible").toBool());
        QCOMPARE(Window()->property("title").toString(), QString("Create Instance"));
        QCOMPARE(Window()->property("effectIdIndex").toInt(), 0);
        QCOMPARE(Window()->property("name").toString(), QString("Thunder"));
        QCOMPARE(Window()->property("eventId").toString(), QString("sfx.3"));
        QCOMPARE(Window()->property("pan").toDouble(), 50.0);
        QVERIFY(std::abs(Window()->property("volume").toDouble() - 0.7866279) < 1e-6);
        Window()->setProperty("volume", 0.04076220398);
        Window()->setProperty("fadeIn", "1.5");
        Window()->setProperty("loop", true);
        Confirm();
        QCOMPARE(changed.count(), 1);
        QVERIFY(!Window()->property("visible").toBool());
        const auto created = Instance(*engine, "sfx.3");
        QVERIFY(created);
        QCOMPARE(created->start(), 0u);
        const auto p = created->sfx_properties();
        QCOMPARE(p.name(), std::string("Thunder"));
        QCOMPARE(p.effectId(), std::string("thunder"));
        QCOMPARE(p.outputPath(), std::string());
        QVERIFY(std::abs(p.volume() - 0.0001f) < 1e-7f);
        QCOMPARE(p.pan(), 0.5f);
        QCOMPARE(p.fadeIn(), UInt16(1500));
        QCOMPARE(p.repeats(), -1);
    }

    void createChoosesTheGivenEffect()
    {
        editor->OpenForEdit("rain");
        QCOMPARE(Window()->property("effectIdIndex").toInt(), 1);
        QCOMPARE(Window()->property("name").toString(), QString("Rain"));
        editor->OpenForEdit("snow");
        QCOMPARE(Window()->property("effectIdIndex").toInt(), 1);
        QCOMPARE(editor->soundEffects(), (QVariantList{"thunder", "rain"}));
    }

    void changeWritesTheInstanceInPlace()
    {
        QSignalSpy edited(editor.get(), &StandaloneSFXToolController::soundEffectEdited);
        QSignalSpy changed(editor.get(), &StandaloneSFXToolController::soundEffectsChanged);
        editor->onEditInstanceRequest("sfx.1");
        QCOMPARE(Window()->property("title").toString(), QString("Edit Instance"));
        QCOMPARE(Window()->property("fadeOut").toString(), QString("0.5"));
        QCOMPARE(Window()->property("name").toString(), QString("Thunder clap"));
        Window()->setProperty("volume", 0.04076220398);
        Window()->setProperty("fadeIn", "1.5");
        Confirm();
        QCOMPARE(edited.count(), 1);
        QCOMPARE(changed.count(), 1);
        QVERIFY(!Window()->property("isEdit").toBool());
        const auto p = Instance(*engine, "sfx.1")->sfx_properties();
        QCOMPARE(p.volume(), 0.0f);
        QCOMPARE(p.fadeIn(), UInt16(1500));
        QCOMPARE(p.fadeOut(), UInt16(500));
        QCOMPARE(p.name(), std::string("Thunder clap"));
        editor->onEditInstanceRequest("sfx.1");
        QCOMPARE(Window()->property("volume").toDouble(), 0.04076220398);
        QCOMPARE(Window()->property("fadeIn").toString(), QString("1.5"));
    }

    void changeKeepsTheOutputPath()
    {
        editor->onEditInstanceRequest("sfx.1");
        Window()->setProperty("volume", 0.5);
        Confirm();
        const auto p = Instance(*engine, "sfx.1")->sfx_properties();
        QCOMPARE(p.outputPath(), std::string(kEffectsPath));
        QVERIFY(std::abs(p.volume() - std::pow(10.0f, 25.0f * std::log(0.5f) / 20.0f)) < 1e-6f);
    }

    void editKeepsTheInstanceName()
    {
        editor->onEditInstanceRequest("sfx.2");
        QCOMPARE(Window()->property("effectIdIndex").toInt(), 1);
        QCOMPARE(Window()->property("name").toString(), QString("Rain bed"));
        Confirm();
        QCOMPARE(Instance(*engine, "sfx.2")->sfx_properties().name(), std::string("Rain bed"));
    }

    void loopAndRepeats_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("loop");
        QTest::addColumn<int>("confirmed");
        QTest::newRow("a count confirmed unchanged") << 3 << true << 3;
        QTest::newRow("a count unticked") << 3 << false << 0;
        QTest::newRow("none ticked") << 0 << true << -1;
        QTest::newRow("looping unchanged") << -1 << true << -1;
        QTest::newRow("looping unticked") << -1 << false << 0;
    }

    void loopAndRepeats()
    {
        QFETCH(int, stored);
        QFETCH(bool, loop);
        QFETCH(int, confirmed);
        CL::SfxProperties properties;
        properties.setEffectId("thunder");
        properties.setRepeats(stored);
        engine->GetChangeLogEditor()->AddSoundEffect(CL::Sfx(0, "sfx.7", properties));
        editor->onEditInstanceRequest("sfx.7");
        QCOMPARE(Window()->property("loop").toBool(), stored != 0);
        Window()->setProperty("loop", loop);
        Confirm();
        QCOMPARE(Instance(*engine, "sfx.7")->sfx_properties().repeats(), confirmed);
    }

    void fadesStayInTheirRange_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::newRow("seconds") << "2" << 2000;
        QTest::newRow("truncated") << "1.001" << 1000;
        QTest::newRow("too long") << "100" << 65535;
        QTest::newRow("negative") << "-1" << 0;
        QTest::newRow("huge") << "1e300" << 65535;
        QTest::newRow("not a number") << "abc" << 0;
    }

    void fadesStayInTheirRange()
    {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        editor->onEditInstanceRequest("sfx.1");
        Window()->setProperty("fadeOut", typed);
        Confirm();
        QCOMPARE(int(Instance(*engine, "sfx.1")->sfx_properties().fadeOut()), stored);
    }

    void duplicateIds()
    {
        CL::SfxProperties first, second;
        first.setName("First");
        first.setEffectId("thunder");
        second.setName("Second");
        second.setEffectId("rain");
        engine->GetChangeLogEditor()->AddSoundEffect(CL::Sfx(0, "dup", first));
        engine->GetChangeLogEditor()->AddSoundEffect(CL::Sfx(0, "dup", second));
        editor->onEditInstanceRequest("dup");
        QCOMPARE(Window()->property("name").toString(), QString("Second"));
        QCOMPARE(Window()->property("effectIdIndex").toInt(), 1);
        Window()->setProperty("visible", false);
        editor->onToolClosing();
        QSignalSpy changed(editor.get(), &StandaloneSFXToolController::soundEffectsChanged);
        editor->onDeleteInstanceRequest("dup");
        QCOMPARE(changed.count(), 1);
        QVERIFY(!Instance(*engine, "dup"));
        QVERIFY(Instance(*engine, "sfx.1"));
        editor->onDeleteInstanceRequest("nothing");
        QCOMPARE(changed.count(), 2);
    }

    void keysFromTheContent_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("created");
        QTest::newRow("Return confirms") << int(Qt::Key_Return) << 1;
        QTest::newRow("Escape cancels") << int(Qt::Key_Escape) << 0;
    }

    void keysFromTheContent()
    {
        QFETCH(int, key);
        QFETCH(int, created);
        QSignalSpy changed(editor.get(), &StandaloneSFXToolController::soundEffectsChanged);
        QSignalSpy closing(editor.get(), &StandaloneSFXToolController::toolClosing);
        editor->OpenForEdit("");
        auto* window = qobject_cast<QQuickWindow*>(Window());
        QVERIFY(Settle(window));
        QVERIFY(Activate(window));
        FindItem(window, "content")->forceActiveFocus();
        QTest::keyClick(window, Qt::Key(key));
        QCOMPARE(changed.count(), created);
        QCOMPARE(closing.count(), 1);
        QVERIFY(!window->isVisible());
    }

    void editOfAnUnknownIdOpensNothing()
    {
        editor->onEditInstanceRequest("sfx.9");
        QVERIFY(!Window()->property("visible").toBool());
    }

    void unreadableManifest()
    {
        WriteManifestBytes("{");
        MakeEditor();
        QCOMPARE(editor->soundEffects(), QVariantList{});
        QSignalSpy create(Window(), SIGNAL(createRequest(QString,QString,int,QString,int,double,double,int,int,int,int)));
        editor->OpenForEdit("");
        QVERIFY(Window()->property("visible").toBool());
        Confirm();
        QCOMPARE(create.count(), 1);
        QCOMPARE(create.at(0).at(3).toString(), QString());
        QCOMPARE(Instance(*engine, "sfx.3")->sfx_properties().effectId(), std::string());
    }

    void withoutPlayerNothingHappens()
    {
        editor = std::make_unique<StandaloneSFXToolController>(qml.get(), nullptr);
        QSignalSpy changed(editor.get(), &StandaloneSFXToolController::soundEffectsChanged);
        editor->OpenForEdit("");
        QCOMPARE(Window()->property("eventId").toString(), QString());
        Confirm();
        editor->onDeleteInstanceRequest("sfx.1");
        editor->onEditInstanceRequest("sfx.1");
        QCOMPARE(changed.count(), 0);
    }

    void refusalsChangeNothing()
    {
        engine->Probe().FailNext("AddSoundEffect", std::make_exception_ptr(CL::EditorError("refused")));
        QSignalSpy changed(editor.get(), &StandaloneSFXToolController::soundEffectsChanged);
        editor->OpenForEdit("");
        Confirm();
        QCOMPARE(changed.count(), 0);
        QCOMPARE(engine->GetChangeLogSoundEffects().size(), std::size_t(2));
        engine->Probe().SetReadOnly(true);
        editor->OpenForEdit("");
        Confirm();
        QCOMPARE(changed.count(), 1);
        QVERIFY(Instance(*engine, "sfx.3"));
    }

    void theLibraryPlaysWhatWasStored()
    {
        vemo::qt::SfxManagerToolController manager(qml.get(),
                                                   QUrl("qrc:/qt/qml/com/quorvane/vemo_ui/qml/SfxManagerTool.qml"),
                                                   nullptr, nullptr, true);
        manager.SetPlayerInterface(engine);
        vemo::audio::SfxPlayerController library;
        QSignalSpy ready(vemo::audio::SfxPlayerControllerImpl::instance(), &vemo::audio::SfxPlayerControllerImpl::sfxIsReady);

        manager.onAddSoundEffectInstanceClicked("thunder");
        auto* tool = manager.InstanceEditor();
        QObject* window = tool->QmlObject();
        window->setProperty("loop", true);
        QMetaObject::invokeMethod(window, "confirm");
        QCOMPARE(library.play(std::string("sfx.3")), 0);

        connect(&manager, &vemo::qt::SfxManagerToolController::soundEffectsUpdated, this,
                [this] { engine->LoadNewChangeLog(); });
        vemo::audio::testing::ClearJournal();
        tool->OpenForEdit("rain");
        window->setProperty("loop", false);
        QMetaObject::invokeMethod(window, "confirm");
        tool->onEditInstanceRequest("sfx.1");
        window->setProperty("loop", true);
        QMetaObject::invokeMethod(window, "confirm");
        QVERIFY(library.play(std::string("sfx.4")) != 0);
        QVERIFY(library.play(std::string("sfx.1")) != 0);
        QVERIFY(PlayLineFor("play sfx.4 rain 8000"));
        QVERIFY(PlayLineFor("play sfx.1 thunder -1"));
        library.stop();
        QTRY_VERIFY(ready.count() >= 2);
        QStringList paths;
        for (const auto& report : ready)
            paths << QFileInfo(report.at(0).toString()).fileName();
        QVERIFY(paths.contains("rain.wav"));
        QVERIFY(paths.contains("thunder.wav"));
        manager.ClearPlayerInterface();
    }

private:
    static std::string ReadManifest()
    {
        std::ifstream in(vemo::sfx::SfxManifest::Location(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    void MakeEditor()
    {
        editor.reset();
        editor = std::make_unique<StandaloneSFXToolController>(qml.get(), engine);
        QVERIFY(editor->QmlObject());
    }

    QObject* Window() { return editor->QmlObject(); }
    void Confirm() { QVERIFY(QMetaObject::invokeMethod(Window(), "confirm")); }

    std::filesystem::path data;
    QByteArray manifest;
    std::unique_ptr<QQmlEngine> qml;
    std::shared_ptr<vemo::AudioInterface> engine;
    std::unique_ptr<StandaloneSFXToolController> editor;
};

QTEST_MAIN(TestStandaloneSfxTool)
#include "test_standalone_sfx_tool.moc"
