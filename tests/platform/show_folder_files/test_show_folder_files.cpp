// Files of a show or data folder are read only when they are regular files of a sane size: a named
// pipe, device or link to one under a show's file names gives an error naming the file at once
// (never a read that waits for a writer), and a huge file is refused.
#include <vemo_core/change_log.h>
#include <vemo_core/change_log_document.h>
#include <vemo_core/regular_file.h>
#include <vemo_core/show_record.h>
#include <vemo_player_core/audio_interface.h>
#include <vemo_test/pipe_watch.h>
#include <vemo_test/test_environment.h>

#include <QTest>

#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Call = std::function<void(const fs::path& folder)>;
Q_DECLARE_METATYPE(Call)

namespace {

void WriteText(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

fs::path NewFolder(const std::string& name)
{
    static int counter = 0;
    const fs::path folder = vemo::testing::TestRoot() / "folders" / (name + std::to_string(counter++));
    fs::create_directories(folder);
    return folder;
}

void MakeFifo(const fs::path& file)
{
    fs::remove(file);
    QVERIFY(::mkfifo(file.c_str(), 0600) == 0);
}

// Name, kind and bytes of every entry: what a test compares to see that nothing changed.
std::map<std::string, std::string> Snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string description = std::to_string(static_cast<int>(entry.symlink_status().type()));
        if (entry.is_regular_file() && !entry.is_symlink()) {
            std::ostringstream bytes;
            bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
            description += ":" + bytes.str();
        }
        entries[entry.path().filename().string()] = description;
    }
    return entries;
}

// A one-song show with its change log and record, as the engine loads it.
fs::path FixtureShowFolder(const std::string& name)
{
    const fs::path folder = NewFolder(name);
    WriteText(folder / "show.json",
              R"({"format": "vemo-show/1", "id": "fixture", "name": "Fixture", "songs": [{"number": "1",)"
              R"( "title": "Song 1", "bars": 8, "meters": [{"bar": 1, "num": 4, "den": 4}],)"
              R"( "tempos": [{"bar": 1, "bpm": 120}]}]})");
    CL::ChangeLogDocument document;
    document.SetShowId("fixture");
    document.SetVersion(cmn::VEMOVersion{1, 0});
    document.Save(folder / "Fixture-1.0.logdata");
    WriteText(folder / "show.record", R"({"id": "fixture"})");
    return folder;
}

void LoadEngine(const fs::path& folder)
{
    vemo::AudioInterface::Options manual;
    manual.clock = vemo::AudioInterface::Options::Clock::Manual;
    const fs::path data = folder.parent_path() / (folder.filename().string() + "-data");
    vemo::AudioInterface engine(folder.string(), data.string(), false, nullptr, manual);
    engine.ThrowIfThreadExceptions();
}

} // namespace

class TestShowFolderFiles : public QObject {
    Q_OBJECT

private slots:
    void regularFileReader_data();
    void regularFileReader();
    void headReaderGivesFirstBytesAndFullSize();
    void fifoUnderShowFileName_data();
    void fifoUnderShowFileName();
    void oversizedShowDescriptionIsRefused();
};

void TestShowFolderFiles::regularFileReader_data()
{
    using Make = std::function<void(const fs::path&)>;
    QTest::addColumn<Make>("make");
    QTest::addColumn<qulonglong>("cap");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");

    const Make none = [](const fs::path&) {};
    const auto text = [](const std::string& content) { return Make([content](const fs::path& f) { WriteText(f, content); }); };
    const auto linkTo = [](const fs::path& target) {
        return Make([target](const fs::path& f) { fs::create_symlink(target, f); });
    };
    QTest::newRow("regular file") << text("abc") << 100ull << QByteArray("abc") << QString();
    QTest::newRow("empty file") << text("") << 100ull << QByteArray() << QString();
    QTest::newRow("exactly the cap") << text("0123456789") << 10ull << QByteArray("0123456789") << QString();
    QTest::newRow("one byte over the cap")
        << text("0123456789A") << 10ull << QByteArray() << QString("is too large (11 bytes; at most 10)");
    QTest::newRow("missing") << none << 100ull << QByteArray() << QString("does not exist");
    QTest::newRow("named pipe") << Make([](const fs::path& f) { MakeFifo(f); }) << 100ull << QByteArray()
                                << QString("is not a regular file");
    QTest::newRow("link to a named pipe")
        << Make([](const fs::path& f) {
               MakeFifo(f.string() + ".pipe");
               fs::create_symlink(f.string() + ".pipe", f);
           })
        << 100ull << QByteArray() << QString("is not a regular file");
    QTest::newRow("link to a regular file")
        << Make([](const fs::path& f) {
               WriteText(f.string() + ".target", "linked");
               fs::create_symlink(f.string() + ".target", f);
           })
        << 100ull << QByteArray("linked") << QString();
    QTest::newRow("link to a device") << linkTo("/dev/zero") << 100ull << QByteArray() << QString("is not a regular file");
    QTest::newRow("folder") << Make([](const fs::path& f) { fs::create_directory(f); }) << 100ull << QByteArray()
                            << QString("is not a regular file");
}

void TestShowFolderFiles::regularFileReader()
{
    QFETCH(std::function<void(const fs::path&)>, make);
    QFETCH(qulonglong, cap);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);

    const fs::path folder = NewFolder("reader");
    const fs::path file = folder / "show.json";
    make(file);
    const auto before = Snapshot(folder);
    std::string read;
    const vemo::testing::PipeWatchOutcome outcome = vemo::testing::RunWatchingPipes([&] { read = vemo::core::ReadRegularFile(file, cap); }, folder);
    QVERIFY2(!outcome.openedPipe, "the read waited for a writer");
    if (error.isEmpty()) {
        QCOMPARE(QString::fromStdString(outcome.error), QString());
        QCOMPARE(QByteArray::fromStdString(read), bytes);
    } else {
        QCOMPARE(QString::fromStdString(outcome.error), QString::fromStdString(file.string()) + " " + error);
    }
    QVERIFY(Snapshot(folder) == before);

    std::optional<std::string> present;
    const vemo::testing::PipeWatchOutcome ifPresent =
        vemo::testing::RunWatchingPipes([&] { present = vemo::core::ReadRegularFileIfPresent(file, cap); }, folder);
    QVERIFY(!ifPresent.openedPipe);
    if (QTest::currentDataTag() == QByteArray("missing")) {
        QCOMPARE(QString::fromStdString(ifPresent.error), QString());
        QVERIFY(!present);
    } else {
        QCOMPARE(ifPresent.error, outcome.error);
    }
}

void TestShowFolderFiles::headReaderGivesFirstBytesAndFullSize()
{
    const fs::path folder = NewFolder("head");
    WriteText(folder / "sound.wav", "RIFF0123456789");
    const auto head = vemo::core::ReadRegularFileHeadIfPresent(folder / "sound.wav", 4);
    QVERIFY(head);
    QCOMPARE(QByteArray::fromStdString(head->bytes), QByteArray("RIFF"));
    QCOMPARE(head->size, std::uintmax_t(14));
    QVERIFY(!vemo::core::ReadRegularFileHeadIfPresent(folder / "missing.wav", 4));

    MakeFifo(folder / "pipe.wav");
    const vemo::testing::PipeWatchOutcome outcome =
        vemo::testing::RunWatchingPipes([&] { vemo::core::ReadRegularFileHeadIfPresent(folder / "pipe.wav", 4); }, folder);
    QVERIFY2(!outcome.openedPipe, "the read waited for a writer");
    QCOMPARE(QString::fromStdString(outcome.error), QString::fromStdString((folder / "pipe.wav").string())
                                                        + " is not a regular file");
}

void TestShowFolderFiles::fifoUnderShowFileName_data()
{
    QTest::addColumn<QString>("fifoName");
    QTest::addColumn<Call>("call");
    QTest::addColumn<QString>("error"); // the start of the error, followed by the FIFO's path

    const Call currentRecord = [](const fs::path& folder) {
        vemo::core::ShowRecordStore store(folder.parent_path() / (folder.filename().string() + "-data"));
        vemo::core::ShowRecord record;
        record.id = "fixture";
        record.directory = folder.string();
        store.Put(record);
        store.SetCurrent("fixture");
        store.CurrentRecord();
    };
    const Call recordFile = [](const fs::path& folder) { vemo::core::ReadShowRecordFile(folder / "show.record"); };
    const Call listing = [](const fs::path& folder) { CL::ChangeLog(folder / "Fixture-1.0.logdata", folder / "show.record"); };
    const Call newerListing = [](const fs::path& folder) { CL::ChangeLog(folder / "Fixture-9.0.logdata", folder / "show.record"); };
    const Call newerDocument = [](const fs::path& folder) {
        CL::ChangeLogDocument::Load(folder / "Fixture-9.0.logdata", folder / "show.record");
    };
    const Call engine = [](const fs::path& folder) { LoadEngine(folder); };

    QTest::newRow("show.record, current record") << "show.record" << currentRecord << "Show record file is malformed: ";
    QTest::newRow("show.record, record file") << "show.record" << recordFile << "Show record file is malformed: ";
    QTest::newRow("show.record, change log listing") << "show.record" << listing << "Cannot read the show record: ";
    QTest::newRow("show.record, engine load") << "show.record" << engine << "Cannot read the show record: ";
    QTest::newRow("show.json, engine load") << "show.json" << engine << "Show description cannot be read: ";
    QTest::newRow("newer change log, listing") << "Fixture-9.0.logdata" << newerListing << "Cannot open change log: ";
    QTest::newRow("newer change log, document") << "Fixture-9.0.logdata" << newerDocument << "Cannot open change log: ";
    // The engine passes over a change log that is not a regular file and loads the next one.
    QTest::newRow("newer change log, engine load") << "Fixture-9.0.logdata" << engine << QString();
}

void TestShowFolderFiles::fifoUnderShowFileName()
{
    QFETCH(QString, fifoName);
    QFETCH(Call, call);
    QFETCH(QString, error);

    const fs::path folder = FixtureShowFolder("fifo");
    const fs::path fifo = folder / fifoName.toStdString();
    MakeFifo(fifo);
    const auto before = Snapshot(folder);
    const vemo::testing::PipeWatchOutcome outcome = vemo::testing::RunWatchingPipes([&] { call(folder); }, folder);
    QVERIFY2(!outcome.openedPipe, "the call waited for a writer to the named pipe");
    const QString expected = error.isEmpty() ? QString() : error + QString::fromStdString(fifo.string()) + " is not a regular file";
    QCOMPARE(QString::fromStdString(outcome.error), expected);
    QVERIFY(Snapshot(folder) == before);
}

void TestShowFolderFiles::oversizedShowDescriptionIsRefused()
{
    const fs::path folder = FixtureShowFolder("huge");
    const fs::path description = folder / "show.json";
    fs::resize_file(description, 65ull * 1024 * 1024);
    const vemo::testing::PipeWatchOutcome outcome = vemo::testing::RunWatchingPipes([&] { LoadEngine(folder); }, folder);
    QVERIFY(!outcome.openedPipe);
    QCOMPARE(QString::fromStdString(outcome.error),
             "Show description cannot be read: " + QString::fromStdString(description.string())
                 + " is too large (68157440 bytes; at most 67108864)");
    QCOMPARE(fs::file_size(description), std::uintmax_t(65ull * 1024 * 1024));
}

QTEST_GUILESS_MAIN(TestShowFolderFiles)
#include "test_show_folder_files.moc"
