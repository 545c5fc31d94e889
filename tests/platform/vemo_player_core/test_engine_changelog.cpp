#include "engine_fixture.h"

#include <vemo_core/errors.h>

#include <QtTest>

using namespace enginetest;
using notify::EventKind;
using std::chrono::milliseconds;

namespace {

std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

FixtureShow markerShow()
{
    return MakeShow("[" + FourFourSong("1") + "," + FourFourSong("2") + "]",
                    {{"1", {Ev<CL::Marker>(1920, "Verse", "MRK1")}}});
}

}  // namespace

class TestEngineChangeLog : public QObject {
    Q_OBJECT
private slots:
    void saveWritesTheNextVersion()
    {
        const auto show = markerShow();
        auto engine = MakeEngine(show);
        QCOMPARE(engine->GetChangelogFilename(), std::string("Fixture-1.0.logdata"));
        QCOMPARE(engine->GetLogVersion(), std::string("1.0"));
        auto* editor = engine->GetChangeLogEditor();
        editor->SelectSongLogForEditing("1");
        editor->AddEvent(CL::Marker(3840, "Chorus", "MRK2"));
        QCOMPARE(engine->SaveChangelog(1, 1), std::string("Fixture-1.1.logdata"));
        QCOMPARE(engine->GetChangelogFilename(), std::string("Fixture-1.1.logdata"));
        QCOMPARE(engine->GetLogVersion(), std::string("1.1"));
        QVERIFY(std::filesystem::exists(show.folder / "Fixture-1.0.logdata"));
        QVERIFY(!std::filesystem::exists(show.folder / "Fixture-1.1.logdata.tmp"));
        QVERIFY(Contains(engine->Probe().Journal(), "SaveChangelog(1,1)->\"Fixture-1.1.logdata\""));
        engine.reset();

        auto reopened = MakeEngine(show);
        QCOMPARE(reopened->GetChangelogFilename(), std::string("Fixture-1.1.logdata"));
        QCOMPARE(reopened->GetMarkers().size(), std::size_t(2));
        QCOMPARE(reopened->SaveChangelog(1, 1), std::string("Fixture-1.1.logdata"));
    }

    void failedSaveLeavesTheOldFileIntact()
    {
        const auto show = markerShow();
        auto engine = MakeEngine(show);
        engine->SaveChangelog(2, 0);
        const auto before = readFile(show.folder / "Fixture-2.0.logdata");
        auto* editor = engine->GetChangeLogEditor();
        editor->SelectSongLogForEditing("1");
        editor->AddEvent(CL::Marker(3840, "Chorus", "MRK2"));
        std::filesystem::create_directory(show.folder / "Fixture-2.0.logdata.tmp");
        try {
            engine->SaveChangelog(2, 0);
            QFAIL("the save should fail");
        } catch (const std::runtime_error& e) {
            QVERIFY2(std::string(e.what()).rfind("Cannot write change log Fixture-2.0.logdata: ", 0) == 0, e.what());
        }
        QCOMPARE(readFile(show.folder / "Fixture-2.0.logdata"), before);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, engine->SaveChangelog(256, 0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, engine->SaveChangelog(1, -1));
        engine->Probe().SetReadOnly(true);
        try {
            engine->SaveChangelog(3, 0);
            QFAIL("a read-only log is never saved");
        } catch (const std::runtime_error& e) {
            QCOMPARE(std::string(e.what()), std::string("The change log is read-only and cannot be saved"));
        }
        QVERIFY(!std::filesystem::exists(show.folder / "Fixture-3.0.logdata"));
    }

    void publishedLogChangesOnlyOnReload()
    {
        const auto show = markerShow();
        auto engine = MakeEngine(show);
        engine->Seek(1000);
        auto* editor = engine->GetChangeLogEditor();
        editor->SelectSongLogForEditing("1");
        editor->AddEvent(CL::Cut(1920, 3840, "CUT1", 0));
        QVERIFY(engine->GetSongLog()->GetCuts().empty());
        const auto* oldLog = engine->GetSongLog();
        const auto* oldMarker = engine->GetMarkers().front();
        engine->LoadNewChangeLog();
        QCOMPARE(engine->GetSongLog()->GetCuts().size(), std::size_t(1));
        QCOMPARE(engine->GetTickIndex(), UInt32(1000));
        QCOMPARE(oldLog->GetMarkers().size(), std::size_t(1));
        QCOMPARE(oldMarker->value(), std::string("Verse"));
        const auto panel = engine->GetChangeLogPanelEvents();
        QCOMPARE(panel.size(), std::size_t(1));
        QCOMPARE(panel[0]->EventId(), std::string("CUT1"));
        engine->Play();
        engine->Probe().Advance(milliseconds(1500));
        QVERIFY(engine->GetTickIndex() > 3840);
    }

    void switchingLogsKeepsTheOldOneOnError()
    {
        const auto show = markerShow();
        auto engine = MakeEngine(show);
        engine->SaveChangelog(1, 1);
        std::ofstream(show.folder / "Broken-1.0.logdata") << "{ not json";
        QVERIFY_THROWS_EXCEPTION(CL::ChangeLogFormatError, engine->SetChangelogFilename("Broken-1.0.logdata"));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, engine->SetChangelogFilename("Missing-1.0.logdata"));
        QCOMPARE(engine->GetChangelogFilename(), std::string("Fixture-1.1.logdata"));
        engine->SetChangelogFilename("Fixture-1.0.logdata");
        QCOMPARE(engine->GetLogVersion(), std::string("1.0"));
        QCOMPARE(engine->GetChangelogFilename(), std::string("Fixture-1.0.logdata"));
    }

    void attaccaAndOutputPathsReachTheWorkingAndPlayingLogs()
    {
        auto engine = MakeEngine(markerShow());
        engine->SetAttacca("1", 1);
        QCOMPARE(int(engine->GetAttacca("1")), 1);
        QCOMPARE(int(engine->GetChangeLogEditor()->GetAttacca("1")), 1);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, engine->SetAttacca("1", 3));
        engine->SetAttacca("2", 2);
        engine->NextSong();
        QCOMPARE(engine->GetCurrentSongNumber(), std::string("1"));
        engine->onAddOutputhPath(CL::OutputPath("p1", "Mains", "", ""));
        engine->onAddOutputhPath(CL::OutputPath("p1", "Front", "dev", "Device"));
        QCOMPARE(engine->GetOutputPathMap().at("p1").GetName(), std::string("Front"));
        engine->onRemoveOutputhPath(CL::OutputPath("p1", "", "", ""));
        QVERIFY(engine->GetOutputPathMap().empty());
    }

    void loadWarningsAreReported()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]",
                                   {{"1", {Ev<CL::TempoScale>(0, 1920, "TMP1", 3.0), Ev<CL::Click>(0, 1920, "CLK1", 7)}}});
        auto engine = MakeEngine(show);
        QVERIFY(engine->GetTempoScaleWarnings().find("TMP1") != std::string::npos);
        QVERIFY(engine->GetModifiedClickEditLog().find("CLK1") != std::string::npos);
        QCOMPARE(engine->GetInvertedLoopEventCount(), 0);
        engine->Probe().SetLoadWarnings("c", "t", 2, "i");
        QCOMPARE(engine->GetModifiedClickEditLog(), std::string("c"));
        QCOMPARE(engine->GetInvertedLoopEventCount(), 2);
    }

    void failNextThrowsFromTheNamedCall()
    {
        auto engine = MakeEngine(markerShow());
        engine->Probe().FailNext("DeleteEvent", std::make_exception_ptr(std::runtime_error("disk gone")));
        auto* editor = engine->GetChangeLogEditor();
        editor->SelectSongLogForEditing("1");
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, editor->DeleteEvent(CL::Marker(1920, "Verse", "MRK1")));
        QCOMPARE(editor->Document().Song("1")->events.size(), std::size_t(1));
        editor->DeleteEvent(CL::Marker(1920, "Verse", "MRK1"));
        QVERIFY(editor->Document().Song("1")->events.empty());
        engine->Probe().FailNext("Shutdown", std::make_exception_ptr(std::runtime_error("scripted")));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, engine->Shutdown());
        engine->Shutdown();
        engine->Shutdown();
        engine->Play();
        QVERIFY(!engine->GetIsPlaying());
    }

    void pagesFollowThePosition()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "," + FourFourSong("2") + "]", {},
                                   R"("pages": [{"page": 1, "song": "1", "bar": "3"}, {"page": 2, "song": "2", "tick": 1920}], )");
        auto engine = MakeEngine(show);
        QCOMPARE(engine->LookupPage(2), (std::pair<std::string, UInt32>{"2", 1920}));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, engine->LookupPage(3));
        Recorder recorder;
        engine->Play();
        engine->Probe().Advance(milliseconds(4100));
        QCOMPARE(recorder.Of(EventKind::PageNum).size(), std::size_t(1));
        QCOMPARE(recorder.Of(EventKind::PageNum)[0].value, 1);
        engine->LoadSong("2");
        engine->Probe().Drain();
        QCOMPARE(recorder.Of(EventKind::PageNum).back().value, 1);
    }
};

QTEST_GUILESS_MAIN(TestEngineChangeLog)
#include "test_engine_changelog.moc"
