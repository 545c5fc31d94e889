#include "engine_fixture.h"

#include <QtTest>

#include <fstream>

using namespace enginetest;
using std::chrono::milliseconds;

namespace {

CL::SfxAmbient bed(UInt32 start, UInt32 end)
{
    return CL::SfxAmbient(start, end, "AMB1", CL::SfxProperties());
}

std::vector<std::string> fileLines(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace

class TestEngineLogFaults : public QObject {
    Q_OBJECT
private slots:
    // Ambient beds follow the playing copy of the log: a bed that an edit, an undo or a log switch
    // takes away from the position stops at once.
    void bedGoneFromThePositionStops_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("deleted by an edit") << "delete";
        QTest::newRow("moved off the position") << "move";
        QTest::newRow("added, then undone") << "undo";
        QTest::newRow("log switch to a version without it") << "switch";
    }

    void bedGoneFromThePositionStops()
    {
        QFETCH(QString, how);
        std::map<std::string, std::vector<std::shared_ptr<cmn::VemoEvent>>> events;
        if (how != "undo")
            events["1"] = {Ev<CL::SfxAmbient>(bed(0, barStart(9)))};
        const auto show = MakeShow("[" + FourFourSong("1") + "]", events);
        auto engine = std::make_unique<vemo::AudioInterface>(show.folder.string(), show.dataDirectory.string(), true,
                                                             nullptr, ManualClock());
        engine->ThrowIfThreadExceptions();
        auto* editor = engine->GetChangeLogEditor();
        editor->SelectSongLogForEditing("1");
        engine->Play();
        if (how == "undo") {
            editor->AddEvent(bed(0, barStart(9)));
            engine->LoadNewChangeLog();
        }
        engine->Probe().Advance(milliseconds(500));
        QVERIFY(Contains(engine->Probe().Journal(), "> fonexa.play AMB1"));
        if (how == "switch") {
            editor->DeleteEvent(bed(0, barStart(9)));
            QCOMPARE(engine->SaveChangelog(1, 1), std::string("Fixture-1.1.logdata"));
            engine->Probe().Advance(milliseconds(100));
            QVERIFY(!Contains(engine->Probe().Journal(), "> fonexa.stop AMB1"));
        }
        engine->Probe().ClearJournal();
        if (how == "delete") {
            editor->DeleteEvent(bed(0, barStart(9)));
            engine->LoadNewChangeLog();
        } else if (how == "move") {
            editor->EditEventStartEndValues(bed(0, barStart(9)), barStart(10), barStart(12));
            engine->LoadNewChangeLog();
        } else if (how == "undo") {
            editor->Undo();
            engine->LoadNewChangeLog();
        } else {
            engine->SetChangelogFilename("Fixture-1.1.logdata");
        }
        engine->Probe().Advance(milliseconds(100));
        const auto journal = engine->Probe().Journal();
        QVERIFY(Contains(journal, "> fonexa.stop AMB1"));
        QVERIFY(!Contains(journal, "> fonexa.play AMB1"));
        QVERIFY(engine->GetIsPlaying());
    }

    // Events the load renamed (no id, or an id used twice) are reported with the engine's other
    // load warnings, after the click-edit lines.
    void renamedEventIdsAreReported_data()
    {
        QTest::addColumn<QString>("firstId");
        QTest::addColumn<QString>("secondId");
        QTest::addColumn<QString>("expected");
        QTest::newRow("id used twice") << "MRK1" << "MRK1" << "Song 1: Marker id MRK1 was used twice and was renamed to MRK2.";
        QTest::newRow("no id") << "MRK1" << "" << "Song 1: Marker at tick 3840 had no id and was named MRK2.";
        QTest::newRow("distinct ids") << "MRK1" << "MRK2" << "";
    }

    void renamedEventIdsAreReported()
    {
        QFETCH(QString, firstId);
        QFETCH(QString, secondId);
        QFETCH(QString, expected);
        const auto show = MakeShow("[" + FourFourSong("1") + "]",
                                   {{"1",
                                     {Ev<CL::Marker>(barStart(2), "Verse", firstId.toStdString()),
                                      Ev<CL::Marker>(barStart(3), "Chorus", secondId.toStdString())}}});
        auto engine = MakeEngine(show);
        QCOMPARE(QString::fromStdString(engine->GetModifiedClickEditLog()), expected);
        std::vector<std::string> ids;
        for (const auto* marker : engine->GetMarkers())
            ids.push_back(marker->EventId());
        QCOMPARE(ids, (std::vector<std::string>{"MRK1", "MRK2"}));
    }

    // The journal file holds exactly the journal's lines in the same order: a call with a result
    // comes before the notifications it caused, and failed calls are there with their error.
    void journalFileMatchesTheJournal()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "," + FourFourSong("2") + "]");
        const auto path = show.folder.parent_path() / (show.folder.filename().string() + "-journal.txt");
        auto options = ManualClock();
        options.journalPath = path.string();
        vemo::AudioInterface engine(show.folder.string(), show.dataDirectory.string(), false, nullptr, options);
        engine.ThrowIfThreadExceptions();
        engine.Play();
        engine.Probe().Advance(milliseconds(500));
        QVERIFY(engine.SeekToBar("3"));
        engine.GetTickIndex();
        engine.Probe().SetReadOnly(true);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, engine.SaveChangelog(1, 1));
        engine.Probe().FailNext("Play", std::make_exception_ptr(std::runtime_error("Device lost")));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, engine.Play());
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, engine.GetActualSongNumber("9"));
        engine.NextSong();
        engine.Probe().Drain();
        const auto journal = engine.Probe().Journal();
        QCOMPARE(fileLines(path), journal);
        const auto seek = std::find(journal.begin(), journal.end(), "SeekToBar(\"3\")->true");
        QVERIFY(seek != journal.end());
        QCOMPARE(*std::next(seek), std::string("> notify 13 3840 \"\""));
        QVERIFY(Contains(journal, "SaveChangelog(1,1)->throw \"The change log is read-only and cannot be saved\""));
        QVERIFY(Contains(journal, "Play()->throw \"Device lost\""));
        QVERIFY(Contains(journal, "GetActualSongNumber(\"9\")->throw \"Song 9 does not exist.\""));
    }
};

QTEST_GUILESS_MAIN(TestEngineLogFaults)
#include "test_engine_log_faults.moc"
