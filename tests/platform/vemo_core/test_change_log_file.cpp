#include "vemo_core/change_log.h"
#include "vemo_core/change_log_document.h"
#include "vemo_core/editor.h"
#include "vemo_core/errors.h"
#include "vemo_core/show_record.h"
#include "vemo_core/song_log.h"

#include "test_files.h"

#include <QTest>

namespace {

std::filesystem::path Folder(const std::string& name)
{
    return core_tests::FreshFolder("change-log-file", name);
}

// A log with one event of every kind and every show-level member set.
CL::ChangeLogDocument FullDocument()
{
    CL::ChangeLogDocument document;
    document.SetShowId("the-lantern-keeper");
    document.SetVersion({1, 1});
    CL::NetworkPath network;
    network.SetNetworkId("NETWORK0");
    network.SetName("Lighting desk");
    network.SetIpAddress("127.0.0.1");
    network.SetPort(9001);
    network.SetTransport(1);
    document.SetNetworks({network});
    document.SetOutputPaths({CL::OutputPath("p1", "Mains", "", "(default)"), CL::OutputPath("p2", "Monitors", "hw:1", "Card")});
    CL::SfxProperties sfx;
    sfx.setName("Thunder clap");
    sfx.setOutputPath("p1");
    sfx.setEffectId("thunder");
    sfx.setEffectIdIndex(2);
    sfx.setVolume(0.8f);
    sfx.setPan(0.25f);
    sfx.setReverb(0.1f);
    sfx.setFadeIn(20);
    sfx.setFadeOut(500);
    sfx.setRepeats(-1);
    document.SoundEffects().push_back(std::make_shared<CL::Sfx>(0, "sfx.1", sfx));
    CL::SongDocument& song = document.SongForWriting("1");
    song.attacca = 1;
    song.Insert(std::make_shared<CL::Vamp>(3840, 7680, "VAMP1", 0));
    song.Insert(std::make_shared<CL::Repeat>(3840, 7680, "REP1", 2));
    song.Insert(std::make_shared<CL::Cut>(9600, 11520, "CUT1"));
    song.Insert(std::make_shared<CL::Transpose>(0, 1920, "TRN1", -3));
    song.Insert(std::make_shared<CL::TempoScale>(0, 5760, "TMP1", 1.1));
    song.Insert(std::make_shared<CL::Marker>(0, "Curtain \"up\" – Ä", "MRK1"));
    song.Insert(std::make_shared<CL::Click>(1920, 3840, "CLK1", 8));
    song.Insert(std::make_shared<CL::Fermata>(12000, 12480, "SKP1"));
    song.Insert(std::make_shared<CL::Caesura>(4800, "CAE1", 7));
    song.Insert(std::make_shared<CL::Sfx>(480, "SFX1", sfx));
    song.Insert(std::make_shared<CL::SfxAmbient>(480, 960, "AMB1", sfx));
    song.Insert(std::make_shared<CL::Osc>(0, "OSC1", CL::OscProperties("/demo/lights/preset 1", "NETWORK0")));
    document.SongForWriting("3").attacca = 2;
    document.SongForWriting("4");
    return document;
}

const char* kValidHeader = R"({"format": "2.0", "show": "", "version": {"major": 1, "minor": 0}, )";

} // namespace

class TestChangeLogFile : public QObject {
    Q_OBJECT

private slots:
    void roundTripOfEveryKind()
    {
        const std::filesystem::path folder = Folder("round-trip");
        const CL::ChangeLogDocument written = FullDocument();
        written.Save(folder / "Show-1.1.logdata");
        QVERIFY(!std::filesystem::exists(folder / "Show-1.1.logdata.tmp"));
        const CL::ChangeLogDocument read = CL::ChangeLogDocument::Load(folder / "Show-1.1.logdata");
        QCOMPARE(read.Serialize(), written.Serialize());
        QVERIFY(read.loadReport().issues.empty());
        QVERIFY(!read.IsReadOnly());
        QCOMPARE(read.Version(), (cmn::VEMOVersion{1, 1}));
        QCOMPARE(read.ShowId(), std::string("the-lantern-keeper"));
        QCOMPARE(read.Networks(), written.Networks());
        QCOMPARE(read.OutputPaths(), written.OutputPaths());
        QCOMPARE(read.SoundEffects().size(), std::size_t(1));
        QVERIFY(*read.SoundEffects().front() == *written.SoundEffects().front());
        QCOMPARE(read.Attacca("1"), UInt8(1));
        QCOMPARE(read.Attacca("3"), UInt8(2));
        QVERIFY(read.Song("4") == nullptr); // an empty song log is not written
        const auto& original = written.Song("1")->events;
        const auto& loaded = read.Song("1")->events;
        QCOMPARE(loaded.size(), std::size_t(12));
        for (std::size_t i = 0; i < loaded.size(); ++i) {
            QVERIFY2(*loaded[i] == *original[i], original[i]->EventId().c_str());
            QVERIFY(typeid(*loaded[i]) == typeid(*original[i]));
        }
        const CL::SongLog log(*read.Song("1"));
        QCOMPARE(log.GetVamps().size(), std::size_t(1));
        QCOMPARE(log.GetFermatas().front()->EventId(), std::string("SKP1"));
        QCOMPARE(log.GetDisplayCaesurasRef().size(), std::size_t(1));
        QCOMPARE(log.GetMarkers().front()->value(), std::string("Curtain \"up\" – Ä"));
    }

    void fileLayout()
    {
        const std::string text = FullDocument().Serialize();
        // Sorted keys, pretty printed, events in (start, code, id) order.
        QVERIFY(text.find("\n    \"format\": \"2.0\"") != std::string::npos);
        QVERIFY(text.find("\"format\"") < text.find("\"networks\""));
        QVERIFY(text.find("\"outputPaths\"") < text.find("\"show\""));
        QVERIFY(text.find("\"id\": \"OSC1\"") > text.find("\"id\": \"MRK1\""));
        QVERIFY(text.find("\"id\": \"TMP1\"") > text.find("\"id\": \"TRN1\""));
        QVERIFY(text.find("\"id\": \"SFX1\"") > text.find("\"id\": \"TMP1\""));
        QVERIFY(text.find("\"float\": 1.1,") != std::string::npos);
    }

    void readsTheDocumentedExample()
    {
        const std::string text = R"({ "format": "2.0", "show": "the-lantern-keeper", "version": {"major": 2, "minor": 0},
  "networks": [], "outputPaths": [],
  "soundEffects": [ {"id": "sfx.1", "sfx": {"name": "Thunder clap", "outputPath": "x", "effectId": "thunder",
                     "effectIdIndex": 0, "volume": 0.8, "pan": 0.5, "reverb": 0.0, "fadeIn": 0, "fadeOut": 500, "repeats": 0}} ],
  "songs": {
    "1": { "attacca": 1, "events": [
      {"code": "@", "id": "VAMP1", "start": 3840, "end": 7680, "int": 0},
      {"code": "E", "id": "MRK1", "start": 0, "text": "Curtain up"},
      {"code": "S", "id": "OSC1", "start": 0, "osc": {"message": "/demo/lights/preset 1", "networkId": "NETWORK0"}} ] },
    "3": { "attacca": 0, "events": [
      {"code": "D", "id": "TMP1", "start": 0, "end": 5760, "float": 1.1} ] } } })";
        const CL::ChangeLogDocument document = CL::ChangeLogDocument::Parse(text, "Show-2.0.logdata");
        QCOMPARE(document.Song("1")->events.size(), std::size_t(3));
        QCOMPARE(document.Song("1")->events.front()->EventId(), std::string("MRK1"));
        QCOMPARE(document.Song("3")->events.front()->float_value(), 1.1f);
        QCOMPARE(document.SoundEffects().front()->sfx_properties().fadeOut(), UInt16(500));
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("versionError");
        QTest::addColumn<QString>("message");
        const std::string valid = FullDocument().Serialize();
        const QString malformed = "Change log bad.logdata is malformed: ";
        QTest::newRow("empty") << QByteArray() << false << malformed + "the file is empty";
        QTest::newRow("truncated") << QByteArray::fromStdString(valid.substr(0, valid.size() / 2)) << false
                                   << malformed + "not valid JSON";
        QTest::newRow("binary") << QByteArray("\x00\xff\x13garbage", 10) << false << malformed + "not valid JSON";
        QTest::newRow("list") << QByteArray("[1, 2]") << false << malformed + "the top level is not an object";
        QTest::newRow("no songs") << QByteArray(kValidHeader) + R"("x": 1})" << false
                                  << malformed + "member \"songs\" is missing";
        QTest::newRow("no version") << QByteArray(R"({"format": "2.0", "songs": {}})") << false
                                    << malformed + "member \"version\" is missing";
        QTest::newRow("format text") << QByteArray(R"({"format": "two", "songs": {}})") << false
                                     << malformed + "member \"format\" must be a version such as \"2.0\"";
        QTest::newRow("start as text")
            << QByteArray(kValidHeader) + R"("songs": {"1": {"events": [{"code": "B", "id": "C", "start": "0", "end": 5}]}}})"
            << false << malformed + "member \"start\" of song 1 event 1 must be a whole number from 0 to 4294967295";
        QTest::newRow("region without end")
            << QByteArray(kValidHeader) + R"("songs": {"1": {"events": [{"code": "B", "id": "C", "start": 0}]}}})" << false
            << malformed + "member \"end\" of song 1 event 1 is missing";
        QTest::newRow("negative tick")
            << QByteArray(kValidHeader) + R"("songs": {"1": {"events": [{"code": "E", "id": "M", "start": -1, "text": ""}]}}})"
            << false << malformed + "member \"start\" of song 1 event 1";
        QTest::newRow("attacca 5") << QByteArray(kValidHeader) + R"("songs": {"1": {"attacca": 5, "events": []}}})" << false
                                   << malformed + "member \"attacca\" of song 1 must be a whole number from 0 to 2";
        QTest::newRow("event not an object") << QByteArray(kValidHeader) + R"("songs": {"1": {"events": [3]}}})" << false
                                             << malformed + "member \"events\" of song 1 entry 1 must be an object";
        QTest::newRow("networks not a list") << QByteArray(kValidHeader) + R"("networks": {}, "songs": {}})" << false
                                             << malformed + "member \"networks\" must be a list";
        QTest::newRow("newer major") << QByteArray(R"({"format": "3.0", "whatever": true})") << true
                                     << "The change log bad.logdata uses format 3.0; this program reads format 2";
    }

    void badFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, versionError);
        QFETCH(QString, message);
        const std::filesystem::path file = Folder("bad") / "bad.logdata";
        core_tests::WriteFile(file, content.toStdString());
        try {
            CL::ChangeLogDocument::Load(file);
            QFAIL("loaded a bad file");
        } catch (const CL::ChangeLogVersionError& error) {
            QVERIFY(versionError);
            QCOMPARE(QString(error.what()), message);
        } catch (const CL::ChangeLogFormatError& error) {
            QVERIFY(!versionError);
            QVERIFY2(QString(error.what()).startsWith(message), error.what());
        }
    }

    void everyTruncationIsAFormatError()
    {
        const std::string valid = FullDocument().Serialize();
        for (std::size_t length = 0; length + 1 < valid.size(); ++length) {
            try {
                CL::ChangeLogDocument::Parse(valid.substr(0, length), "cut.logdata");
                QFAIL(qPrintable(QString("a file cut at %1 bytes loaded").arg(length)));
            } catch (const CL::ChangeLogFormatError&) {
            }
        }
    }

    void missingFile()
    {
        const std::filesystem::path file = Folder("missing") / "none.logdata";
        try {
            CL::ChangeLogDocument::Load(file);
            QFAIL("loaded a missing file");
        } catch (const std::runtime_error& error) {
            QCOMPARE(QString(error.what()), QString::fromStdString("Cannot open change log: " + file.string()));
        }
    }

    void newerMinorOpensReadOnly()
    {
        const std::string text = R"({"format": "2.3", "version": {"major": 4, "minor": 1}, "futureMember": [1],
            "songs": {"1": {"events": [{"code": "E", "id": "MRK1", "start": 0, "text": "a", "colour": "red"}]}}})";
        CL::ChangeLogDocument document = CL::ChangeLogDocument::Parse(text, "Show-4.1.logdata");
        QVERIFY(document.IsReadOnly());
        CL::Editor editor;
        editor.LoadDocument(std::move(document));
        QVERIFY(editor.ChangelogIsReadOnly());
        QCOMPARE(editor.GetVersion(), (cmn::VEMOVersion{4, 1}));
        editor.SelectSongLogForEditing("1");
        QVERIFY_THROWS_EXCEPTION(CL::EditorError, editor.DeleteEvent(CL::Marker(0, "", "MRK1")));
    }

    void unknownCodeIsSkipped()
    {
        const std::string text = std::string(kValidHeader)
            + R"("songs": {"1": {"events": [{"code": "Z", "id": "Z1", "start": 0}, {"code": "N", "id": "CAE1", "start": 5}]}}})";
        const CL::ChangeLogDocument document = CL::ChangeLogDocument::Parse(text, "a.logdata");
        QCOMPARE(document.Song("1")->events.size(), std::size_t(1));
    }

    void loadFixesAndWarnings()
    {
        const std::string text = std::string(kValidHeader) + R"("songs": {"2": {"events": [
            {"code": "@", "id": "VAMP1", "start": 7680, "end": 3840, "int": 1},
            {"code": "D", "id": "TMP1", "start": 0, "end": 10, "float": 3.0},
            {"code": "D", "id": "TMP2", "start": 20, "end": 30, "float": 0.4999},
            {"code": "E", "id": "", "start": 960, "text": "a"},
            {"code": "E", "id": "MRK4", "start": 0, "text": "b"},
            {"code": "E", "id": "MRK4", "start": 1, "text": "c"},
            {"code": "B", "id": "MRK4", "start": 1, "end": 2}]}}})";
        const CL::ChangeLogDocument document = CL::ChangeLogDocument::Parse(text, "a.logdata");
        const CL::LoadReport& report = document.loadReport();
        QCOMPARE(report.InvertedLoopEventCount(), 1);
        const auto bar = [](const std::string& song, UInt32 tick) { return song + "/" + std::to_string(tick / 1920 + 1); };
        QCOMPARE(report.InvertedLoopEventDescription(bar),
            std::string("Song 2: Vamp VAMP1 ran backwards from bar 2/5 to bar 2/3 and was reversed."));
        QCOMPARE(report.TempoScaleWarnings(), std::string("Song 2: Tempo scale TMP1 of 300% was limited to 200%."));
        QCOMPARE(report.EventIdWarnings(),
            std::string("Song 2: Marker at tick 960 had no id and was named MRK5.\n"
                        "Song 2: Marker id MRK4 was used twice and was renamed to MRK6."));
        const CL::SongDocument& song = *document.Song("2");
        QCOMPARE(song.Find('@', "VAMP1")->start(), UInt32(3840));
        QCOMPARE(song.Find('D', "TMP1")->float_value(), 2.0f);
        QCOMPARE(song.Find('D', "TMP2")->float_value(), 0.4999f); // within the tolerance
        QCOMPARE(song.Find('E', "MRK4")->value(), std::string("b"));
        QCOMPARE(song.Find('E', "MRK6")->value(), std::string("c"));
        QVERIFY(song.Find('B', "MRK4") != nullptr);
    }

    void failedSaveKeepsTheOldFile()
    {
        const std::filesystem::path folder = Folder("atomic");
        const std::filesystem::path file = folder / "Show-1.0.logdata";
        CL::ChangeLogDocument old;
        old.Save(file);
        const std::string before = core_tests::ReadFile(file);
        std::filesystem::create_directory(folder / "Show-1.0.logdata.tmp");
        try {
            FullDocument().Save(file);
            QFAIL("saved through a blocked temporary file");
        } catch (const std::runtime_error& error) {
            QVERIFY2(QString(error.what()).startsWith("Cannot write change log Show-1.0.logdata: "), error.what());
        }
        QCOMPARE(core_tests::ReadFile(file), before);

        // A rename that fails removes its temporary file.
        const std::filesystem::path blocked = folder / "Blocked-1.0.logdata";
        std::filesystem::create_directories(blocked / "inside");
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, FullDocument().Save(blocked));
        QVERIFY(!std::filesystem::exists(folder / "Blocked-1.0.logdata.tmp"));
    }

    void listingRecord()
    {
        const std::filesystem::path folder = Folder("listing");
        vemo::core::ShowRecord record;
        record.id = "the-lantern-keeper";
        vemo::core::WriteShowRecordFile(folder / "show.record", record);
        FullDocument().Save(folder / "Show-1.1.logdata");
        const CL::ChangeLog listed(folder / "Show-1.1.logdata", folder / "show.record");
        QCOMPARE(listed.version(), (cmn::VEMOVersion{1, 1}));
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
            std::chrono::file_clock::to_sys(std::filesystem::last_write_time(folder / "Show-1.1.logdata")).time_since_epoch());
        QCOMPARE(listed.modificationTime(), UInt32(seconds.count()));
        QCOMPARE(listed.filePath(), folder / "Show-1.1.logdata");

        core_tests::WriteFile(folder / "Show-9.0.logdata", R"({"format": "3.0", "version": {"major": 9, "minor": 0}, "songs": 1})");
        QCOMPARE(CL::ChangeLog(folder / "Show-9.0.logdata", folder / "show.record").version(), (cmn::VEMOVersion{9, 0}));

        CL::ChangeLogDocument other;
        other.SetShowId("another-show");
        other.Save(folder / "Other-1.0.logdata");
        try {
            CL::ChangeLog(folder / "Other-1.0.logdata", folder / "show.record");
            QFAIL("listed another show's log");
        } catch (const std::runtime_error& error) {
            QCOMPARE(QString(error.what()),
                QString::fromStdString("Change log belongs to another show: " + (folder / "Other-1.0.logdata").string()));
        }
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, CL::ChangeLogDocument::Load(folder / "Other-1.0.logdata", folder / "show.record"));
        CL::ChangeLog(folder / "Other-1.0.logdata", folder / "no.record");
        core_tests::WriteFile(folder / "Broken-1.0.logdata", "{\"format\": \"2.0\", \"vers");
        QVERIFY_THROWS_EXCEPTION(CL::ChangeLogFormatError, CL::ChangeLog(folder / "Broken-1.0.logdata", {}));
        CL::ChangeLog sameVersion;
        sameVersion.SetVersion(1, 1);
        QVERIFY(CL::operator==(listed, sameVersion));
        QVERIFY(!(CL::ChangeLog() == sameVersion));
    }
};

QTEST_GUILESS_MAIN(TestChangeLogFile)
#include "test_change_log_file.moc"
