#include "edit_rig.h"
#include "test_tool.h"

#include "audio_output/output_paths_model.h"
#include "editing/ambient_sfx_tool_controller.h"
#include "editing/primary_sfx_tool_controller.h"

#include <vemo_core/events.h>
#include <vemo_core/song_log.h>
#include <vemo_test/fixture_show.h>
#include <vemo_test/qml_engine.h>
#include <vemo_test/test_environment.h>

#include <QGuiApplication>
#include <QSignalSpy>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <set>

using edittest::Confirm;
using edittest::EditRig;
using edittest::kEditStartTick;
using edittest::SongOneTick;
using vemo::qt::AmbientSFXToolController;
using vemo::qt::OutputPathsModel;
using vemo::qt::PrimarySFXToolController;
using vemo::qt::SfxToolController;

namespace {

const char* const kUuid = "3f2a1c4e-9b7d-4e21-8a55-0c6d2e9f1b73";

std::filesystem::path MachineManifest()
{
    return vemo::testing::TestRoot() / "machine" / "vemo_data" / "sfx" / "manifest.json";
}

void WriteRawManifest(const QByteArray& bytes)
{
    std::filesystem::create_directories(MachineManifest().parent_path());
    std::ofstream(MachineManifest(), std::ios::binary | std::ios::trunc).write(bytes.constData(), bytes.size());
}

// The machine's manifest lists these effects (display name: the id with a capital), in the array
// the tool reads.
void WriteManifest(const QStringList& ids, bool ambient)
{
    vemo::testing::FixtureShow show;
    for (const QString& id : ids) {
        const QString name = id.left(1).toUpper() + id.mid(1);
        show.effects.push_back({.id = id.toStdString(), .name = name.toStdString(), .ambient = ambient});
    }
    if (ids.isEmpty()) {
        WriteRawManifest(ambient ? R"({"metadata":{"count":0,"ambientCount":0},"ambient":[]})"
                                 : R"({"metadata":{"count":0,"ambientCount":0},"sfx":[]})");
        return;
    }
    show.Write();
}

std::shared_ptr<OutputPathsModel> TwoPaths()
{
    auto paths = std::make_shared<OutputPathsModel>();
    paths->AddOrReplace(CL::OutputPath("main", "Main", "", "(default)"));
    paths->AddOrReplace(CL::OutputPath(kUuid, "Stage left", "", "(default)"));
    return paths;
}

SfxToolController* MakeKind(EditRig& rig, bool ambient, std::shared_ptr<OutputPathsModel> paths)
{
    if (ambient) {
        auto* tool = new AmbientSFXToolController(rig.qml.get(), rig.engine, rig.controller.get(), paths, nullptr);
        QObject::connect(tool, &AmbientSFXToolController::ambientSFXToolClosing, tool, &QObject::deleteLater);
        return tool;
    }
    auto* tool = new PrimarySFXToolController(rig.qml.get(), rig.engine, rig.controller.get(), paths, nullptr);
    QObject::connect(tool, &PrimarySFXToolController::primarySFXToolClosing, tool, &QObject::deleteLater);
    return tool;
}

// A tool as the main window holds it: released with deleteLater once it announces its closing, and
// the views refreshed after a change.
SfxToolController* MakeTool(EditRig& rig, bool ambient, std::shared_ptr<OutputPathsModel> paths = TwoPaths())
{
    SfxToolController* tool = MakeKind(rig, ambient, std::move(paths));
    QObject::connect(tool, &SfxToolController::valuesUpdated, rig.controller.get(),
                     [&rig] { rig.controller->RefreshAfterEdit({}); });
    return tool;
}

void OpenNew(EditRig& rig, SfxToolController* tool, UInt32 start, UInt32 end)
{
    if (auto* ambient = qobject_cast<AmbientSFXToolController*>(tool))
        ambient->onAmbientSFXButtonClicked(rig.engine->GetBarBeatByTick(start), rig.engine->GetBarBeatByTick(end));
    else
        qobject_cast<PrimarySFXToolController*>(tool)->onPrimarySFXButtonClicked(rig.engine->GetBarBeatByTick(start));
    tool->ConnectDocument();
}

void OpenEdit(SfxToolController* tool, cmn::VemoEvent* cue)
{
    if (auto* ambient = qobject_cast<AmbientSFXToolController*>(tool))
        ambient->onAmbientSFXEdit(cue);
    else
        qobject_cast<PrimarySFXToolController*>(tool)->onPrimarySFXEdit(cue);
    tool->ConnectDocument();
}

// The current song's sound-effect cues of either kind in the player's published log.
std::vector<const cmn::VemoEvent*> StoredCues(EditRig& rig)
{
    std::vector<const cmn::VemoEvent*> cues;
    for (const auto& cue : rig.engine->GetSongLog()->GetSfxs())
        cues.push_back(&*cue);
    for (const auto& cue : rig.engine->GetSongLog()->GetSfxAmbients())
        cues.push_back(&*cue);
    return cues;
}

const cmn::VemoEvent* StoredCue(EditRig& rig, const std::string& id)
{
    for (const cmn::VemoEvent* cue : StoredCues(rig)) {
        if (cue->EventId() == id)
            return cue;
    }
    return nullptr;
}

// A cue as a line: ticks (a primary cue's end is 0), name, output path, effect id and index, and the three levels.
QString Describe(const cmn::VemoEvent& cue)
{
    const CL::SfxProperties p = cue.sfx_properties();
    return QString("%1-%2 %3|%4|%5@%6|%7|%8|%9")
        .arg(cue.start())
        .arg(cue.end())
        .arg(QString::fromStdString(p.name()), QString::fromStdString(p.outputPath()),
             QString::fromStdString(p.effectId()))
        .arg(p.effectIdIndex())
        .arg(p.volume())
        .arg(p.pan())
        .arg(p.reverb());
}

CL::SfxProperties Properties(const std::string& effectId, int effectIdIndex, const std::string& outputPath = "main")
{
    CL::SfxProperties properties;
    properties.setName("Café ♪");
    properties.setOutputPath(outputPath);
    properties.setEffectId(effectId);
    properties.setEffectIdIndex(effectIdIndex);
    properties.setVolume(0.25f);
    properties.setPan(0.5f);
    properties.setReverb(0.75f);
    return properties;
}

// Adds the cue "SFX7" of the tool's kind over bar 2 (ambient: to bar 3) and returns a copy of it.
std::shared_ptr<cmn::VemoEvent> AddCue(EditRig& rig, bool ambient, const CL::SfxProperties& properties)
{
    if (ambient)
        rig.controller->onVemoMakeEvent(CL::SfxAmbient(SongOneTick(2, 1), SongOneTick(3, 1), "SFX7", properties));
    else
        rig.controller->onVemoMakeEvent(CL::Sfx(SongOneTick(2, 1), "SFX7", properties));
    const cmn::VemoEvent* stored = StoredCue(rig, "SFX7");
    if (stored == nullptr)
        return nullptr;
    return CL::CopyVemoEvent(*stored);
}

} // namespace

class TestSfxTools : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(vemo::testing::DataFoldersAreIsolated()); }
    void cleanup()
    {
        vemo::testing::DeliverDeferredDeletes();
        std::filesystem::remove_all(MachineManifest());
    }

    void aFailedReadingLeavesNoTool_data()
    {
        QTest::addColumn<bool>("ambient");
        QTest::addColumn<QByteArray>("manifest");
        QTest::addColumn<QString>("text");
        QTest::newRow("primary, no file") << false << QByteArray() << "Cannot open the manifest file";
        QTest::newRow("ambient, not JSON") << true << QByteArray("{") << "Error parsing sound effects manifest";
        QTest::newRow("primary, an array") << false << QByteArray("[]") << "No metadata available for sound effects";
        QTest::newRow("primary, no sfx")
            << false << QByteArray(R"({"metadata":{},"ambient":[]})") << "No sound effects available";
        QTest::newRow("ambient, no ambient")
            << true << QByteArray(R"({"metadata":{},"sfx":[]})") << "No ambient effects available";
    }

    void aFailedReadingLeavesNoTool()
    {
        QFETCH(bool, ambient);
        QFETCH(QByteArray, manifest);
        QFETCH(QString, text);
        if (!manifest.isEmpty())
            WriteRawManifest(manifest);
        EditRig rig;
        const qsizetype windows = QGuiApplication::allWindows().size();
        try {
            MakeTool(rig, ambient);
            QFAIL("The tool was made");
        } catch (const std::runtime_error& error) {
            QCOMPARE(QString(error.what()), text);
        }
        vemo::testing::DeliverDeferredDeletes();
        QCOMPARE(QGuiApplication::allWindows().size(), windows);
    }

    void aNewCueStoresTheWindowValues_data()
    {
        QTest::addColumn<bool>("ambient");
        QTest::addColumn<QStringList>("effects");
        QTest::addColumn<bool>("withPaths");
        QTest::addColumn<double>("volume");
        QTest::addColumn<int>("startBar");
        QTest::addColumn<QString>("stored");

        const QString bar2 = QString::number(SongOneTick(2, 1));
        const QString bar3 = QString::number(SongOneTick(3, 1));
        const QString bar1 = QString::number(kEditStartTick);
        QTest::newRow("primary, untouched") << false << QStringList{"thunder", "rain"} << true << 100.0 << 2
                                            << bar2 + "-0 |main|thunder@0|1|0.5|0.5";
        QTest::newRow("primary, slider at 73.6") << false << QStringList{"thunder", "rain"} << true << 73.6 << 2
                                                 << bar2 + "-0 |main|thunder@0|0.73|0.5|0.5";
        QTest::newRow("primary, before the earliest edit tick") << false << QStringList{"rain"} << true << 100.0 << 1
                                                                << bar1 + "-0 |main|rain@0|1|0.5|0.5";
        QTest::newRow("primary, no rows") << false << QStringList{} << false << 100.0 << 2
                                          << bar2 + "-0 ||@-1|1|0.5|0.5";
        QTest::newRow("ambient, untouched") << true << QStringList{"rain", "wind"} << true << 100.0 << 2
                                            << bar2 + "-" + bar3 + " |main|rain@0|1|0.5|0.5";
        // The start is raised to the earliest edit tick, the end stays.
        QTest::newRow("ambient, before the earliest edit tick") << true << QStringList{"rain"} << true << 100.0 << 1
                                                                << bar1 + "-" + bar3 + " |main|rain@0|1|0.5|0.5";
        QTest::newRow("ambient, no rows") << true << QStringList{} << false << 100.0 << 2
                                          << bar2 + "-" + bar3 + " ||@-1|1|0.5|0.5";
    }

    void aNewCueStoresTheWindowValues()
    {
        QFETCH(bool, ambient);
        QFETCH(QStringList, effects);
        QFETCH(bool, withPaths);
        QFETCH(double, volume);
        QFETCH(int, startBar);
        QFETCH(QString, stored);
        WriteManifest(effects, ambient);
        EditRig rig;
        std::set<std::string> ids;
        for (const cmn::VemoEvent* cue : StoredCues(rig))
            ids.insert(cue->EventId());
        SfxToolController* tool = MakeTool(rig, ambient, withPaths ? TwoPaths() : nullptr);
        OpenNew(rig, tool, SongOneTick(startBar, 1), SongOneTick(3, 1));
        QVERIFY(tool->DocumentConnected());
        QObject* window = tool->QmlObject();
        QCOMPARE(window->property("title").toString(), QString("Create Sound Effect"));
        QCOMPARE(window->property("eventId").toString(), QString());
        window->setProperty("volume", volume);
        QSignalSpy updated(tool, &SfxToolController::valuesUpdated);
        Confirm(window);
        QCOMPARE(rig.errors.size(), 0u);
        QCOMPARE(updated.count(), 0);
        const auto cues = StoredCues(rig);
        QCOMPARE(cues.size(), ids.size() + 1);
        const auto added = std::find_if(cues.begin(), cues.end(),
                                        [&](const cmn::VemoEvent* cue) { return !ids.contains(cue->EventId()); });
        QVERIFY(added != cues.end());
        // The window sends no id; the editor gives the cue one that no other cue of the song has.
        QVERIFY(!(*added)->EventId().empty());
        QCOMPARE(Describe(**added), stored);
    }

    void editingShowsTheStoredValues_data()
    {
        QTest::addColumn<bool>("ambient");
        QTest::addColumn<QString>("outputPath");
        QTest::addColumn<int>("outputRow");
        QTest::newRow("primary, output path in UUID text") << false << QString(kUuid) << 1;
        QTest::newRow("ambient, output path in UUID text") << true << QString(kUuid) << 1;
        QTest::newRow("primary, output path not listed") << false << "gone" << -1;
        QTest::newRow("ambient, output path not listed") << true << "gone" << -1;
    }

    void editingShowsTheStoredValues()
    {
        QFETCH(bool, ambient);
        QFETCH(QString, outputPath);
        QFETCH(int, outputRow);
        WriteManifest({"thunder", "rain", "wind"}, ambient);
        EditRig rig;
        const std::shared_ptr<cmn::VemoEvent> cue = AddCue(rig, ambient, Properties("rain", 1, outputPath.toStdString()));
        QVERIFY(cue != nullptr);
        const QString before = Describe(*cue);
        SfxToolController* tool = MakeTool(rig, ambient);
        OpenEdit(tool, cue.get());
        QObject* window = tool->QmlObject();
        QCOMPARE(window->property("title").toString(), QString("Create Sound Effect"));
        QCOMPARE(window->property("isEdit").toBool(), true);
        QCOMPARE(window->property("eventId").toString(), QString("SFX7"));
        QCOMPARE(window->property("name").toString(), QString("Café ♪"));
        QCOMPARE(window->property("volume").toDouble(), 25.0);
        QCOMPARE(window->property("pan").toDouble(), 50.0);
        QCOMPARE(window->property("reverb").toDouble(), 75.0);
        QCOMPARE(window->property("outputPathIndex").toInt(), outputRow);
        QCOMPARE(window->property("effectIdIndex").toInt(), 1);
        QSignalSpy updated(tool, &SfxToolController::valuesUpdated);
        rig.ClearJournal();
        Confirm(window);
        QCOMPARE(rig.Calls("EditEventSFXPropertyValues"),
                 std::vector<std::string>{"EditEventSFXPropertyValues(SFX7,\"Café ♪\")"});
        QCOMPARE(updated.count(), 1);
        QCOMPARE(rig.errors.size(), 0u);
        // An unchanged OK changes nothing, also where a list has no row for the stored value.
        QCOMPARE(Describe(*StoredCue(rig, "SFX7")), before);
    }

    // A level outside 0 to 1 opens at the slider's end, and an unchanged OK stores that end.
    void aLevelOutsideTheRangeIsClamped()
    {
        WriteManifest({"rain"}, false);
        EditRig rig;
        CL::SfxProperties properties = Properties("rain", 0);
        properties.setVolume(1.5f);
        properties.setReverb(-0.2f);
        const std::shared_ptr<cmn::VemoEvent> cue = AddCue(rig, false, properties);
        QVERIFY(cue != nullptr);
        SfxToolController* tool = MakeTool(rig, false);
        OpenEdit(tool, cue.get());
        QCOMPARE(tool->QmlObject()->property("volume").toDouble(), 100.0);
        QCOMPARE(tool->QmlObject()->property("reverb").toDouble(), 0.0);
        Confirm(tool->QmlObject());
        const CL::SfxProperties stored = StoredCue(rig, "SFX7")->sfx_properties();
        QCOMPARE(stored.volume(), 1.0f);
        QCOMPARE(stored.reverb(), 0.0f);
    }

    // The manifest is this machine's, the cue may come from another: the effect is found by id.
    void theEffectIsFoundById_data()
    {
        QTest::addColumn<bool>("ambient");
        QTest::addColumn<QStringList>("effects");
        QTest::addColumn<QString>("storedId");
        QTest::addColumn<int>("storedIndex");
        QTest::addColumn<int>("picked");  // -1: left as opened
        QTest::addColumn<int>("shownRow");
        QTest::addColumn<QString>("shownText");
        QTest::addColumn<QString>("sent");

        for (const bool ambient : {false, true}) {
            const QString tool = ambient ? "ambient, " : "primary, ";
            QTest::newRow(qPrintable(tool + "an effect added above"))
                << ambient << QStringList{"hail", "thunder", "rain", "wind"} << "wind" << 2 << -1 << 3 << "Wind"
                << "wind@3";
            QTest::newRow(qPrintable(tool + "the effect removed"))
                << ambient << QStringList{"thunder", "rain"} << "wind" << 2 << -1 << -1 << "" << "wind@2";
            QTest::newRow(qPrintable(tool + "an id listed twice"))
                << ambient << QStringList{"thunder", "rain", "rain", "wind"} << "rain" << 2 << -1 << 2 << "Rain"
                << "rain@2";
            QTest::newRow(qPrintable(tool + "another row picked"))
                << ambient << QStringList{"thunder", "rain", "wind"} << "wind" << 2 << 0 << 0 << "Thunder"
                << "thunder@0";
        }
    }

    void theEffectIsFoundById()
    {
        QFETCH(bool, ambient);
        QFETCH(QStringList, effects);
        QFETCH(QString, storedId);
        QFETCH(int, storedIndex);
        QFETCH(int, picked);
        QFETCH(int, shownRow);
        QFETCH(QString, shownText);
        QFETCH(QString, sent);
        WriteManifest(effects, ambient);
        EditRig rig;
        const std::shared_ptr<cmn::VemoEvent> cue = AddCue(rig, ambient, Properties(storedId.toStdString(), storedIndex));
        QVERIFY(cue != nullptr);
        SfxToolController* tool = MakeTool(rig, ambient);
        OpenEdit(tool, cue.get());
        QObject* window = tool->QmlObject();
        if (picked >= 0)
            window->setProperty("effectIdIndex", picked);
        QCOMPARE(window->property("effectIdIndex").toInt(), shownRow);
        QCOMPARE(vemo::testing::Child(window, "effectInput")->property("displayText").toString(), shownText);
        Confirm(window);
        const CL::SfxProperties properties = StoredCue(rig, "SFX7")->sfx_properties();
        QCOMPARE(QString::fromStdString(properties.effectId()) + "@" + QString::number(properties.effectIdIndex()),
                 sent);
    }

    void theEffectListFollowsTheManifest()
    {
        vemo::testing::FixtureShow show;
        show.effects = {{.id = "rain", .name = "Rain", .ambient = true},
                        {.id = "thunder", .name = "Thunder"},
                        {.id = "wind", .name = "<b>Wind</b>", .ambient = true},
                        {.id = "bell", .name = "Bell"}};
        show.Write();
        EditRig rig;
        auto* primary = static_cast<PrimarySFXToolController*>(MakeTool(rig, false));
        QCOMPARE(primary->property("soundEffects").toStringList(),
                 (QStringList{"Thunder", "Bell", "Rain", "<b>Wind</b>"}));
        auto* ambient = MakeTool(rig, true);
        QObject* effectInput = vemo::testing::Child(ambient->QmlObject(), "effectInput");
        QCOMPARE(effectInput->property("count").toInt(), 2);
        QCOMPARE(effectInput->property("displayText").toString(), QString("Rain"));
        delete primary;
        delete ambient;
    }

    // The editor refuses it, not the tool.
    void anAmbientStartAfterItsEndIsPassedOn()
    {
        WriteManifest({"rain"}, true);
        EditRig rig;
        SfxToolController* tool = MakeTool(rig, true);
        OpenNew(rig, tool, SongOneTick(4, 1), SongOneTick(3, 1));
        rig.ClearJournal();
        Confirm(tool->QmlObject());
        QCOMPARE(rig.Calls("AddEvent"),
                 std::vector<std::string>{"AddEvent(,R," + std::to_string(SongOneTick(4, 1)) + ","
                                          + std::to_string(SongOneTick(3, 1)) + ")"});
        QCOMPARE(rig.errors.size(), 1u);
        QVERIFY2(rig.errors[0].message.find("The end of the event is before its start") != std::string::npos,
                 rig.errors[0].message.c_str());
    }

    // The window goes with its deferred delete and must not read the tool's lists after the tool.
    void aToolDeletedWhileOpenLeavesNothingBehind_data()
    {
        QTest::addColumn<bool>("ambient");
        QTest::newRow("primary") << false;
        QTest::newRow("ambient") << true;
    }

    void aToolDeletedWhileOpenLeavesNothingBehind()
    {
        QFETCH(bool, ambient);
        WriteManifest({"thunder", "rain"}, ambient);
        EditRig rig;
        const qsizetype windows = QGuiApplication::allWindows().size();
        SfxToolController* tool = MakeTool(rig, ambient);
        OpenNew(rig, tool, SongOneTick(2, 1), SongOneTick(3, 1));
        QCOMPARE(tool->QmlObject()->property("visible").toBool(), true);
        QVERIFY(edittest::ReleasedWithItsWindow(tool, windows));
    }
};

QTEST_MAIN(TestSfxTools)
#include "test_sfx_tools.moc"
