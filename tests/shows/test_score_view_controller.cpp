// The score pane's controller over a ScoreView in a test engine and the simulated engine: the
// package's pages reach the pane in order, page turns move playback, engine pages turn the pane,
// and a missing or broken score leaves the pane empty while loading goes on.
#include "score_archive.h"
#include "shows/score_view_controller.h"

#include <vemo_player_core/audio_interface.h>
#include <vemo_security/score_package.h>
#include <vemo_test/fixture_show.h>
#include <vemo_test/pipe_watch.h>
#include <vemo_test/qml_engine.h>
#include <vemo_test/test_environment.h>

#include <QQmlComponent>
#include <QSignalSpy>
#include <QTest>

#include <fstream>
#include <functional>

#include <sys/stat.h>

namespace fs = std::filesystem;
using vemo::core::DataVector;
using vemo::qt::ScoreViewController;

namespace {

constexpr UInt32 kBar = 1920;
const DataVector kKey(32, 0x11);
const DataVector kIv(16, 0x22);

// Five pages over three songs: 1 and 2 in song 1, 3 and 4 in song 2, 5 in song 3.
fs::path WriteShow()
{
    vemo::testing::FixtureShow show;
    show.name = "Score Show";
    show.songs = {{.number = "1", .bars = 8}, {.number = "2", .bars = 8}, {.number = "3", .bars = 8}};
    show.pages = {{1, "1", 0}, {2, "1", 4 * kBar}, {3, "2", 0}, {4, "2", 2 * kBar}, {5, "3", kBar}};
    return show.Write();
}

std::vector<score_tests::Entry> PageEntries()
{
    std::vector<score_tests::Entry> entries;
    for (int page : {3, 1, 5, 2, 4})
        entries.push_back({"pages/page-0" + std::to_string(page) + ".png", score_tests::Png(6, 8, page)});
    return entries;
}

void WriteRecord(const fs::path& folder, const DataVector& key, const DataVector& iv)
{
    vemo::core::ShowRecord record;
    record.id = "fixture";
    record.keyMaterial1 = key;
    record.keyMaterial2 = iv;
    vemo::core::WriteShowRecordFile(folder / "show.record", record);
}

// The show's folder with its record and package, the store that names it current, and the engine.
struct Rig {
    fs::path folder = WriteShow();
    std::shared_ptr<vemo::core::ShowRecordStore> store;
    std::shared_ptr<vemo::AudioInterface> engine;
    std::unique_ptr<QQmlEngine> qml = vemo::testing::MakeQmlEngine();
    std::unique_ptr<QObject> item;

    Rig()
    {
        WriteRecord(folder, kKey, kIv);
        vemo_sec::WriteScorePackage(folder / "ScoreShow.score", score_tests::MakeTar(PageEntries()), kKey, kIv);
        store = std::make_shared<vemo::core::ShowRecordStore>(folder.parent_path());
        vemo::core::ShowRecord record;
        record.id = "fixture";
        record.directory = folder.filename().string();
        store->Put(record);
        store->SetCurrent("fixture");
        vemo::AudioInterface::Options options;
        options.clock = vemo::AudioInterface::Options::Clock::Manual;
        engine = std::make_shared<vemo::AudioInterface>(folder.string(), (folder.parent_path() / "data").string(),
                                                        false, nullptr, options);
        engine->ThrowIfThreadExceptions();
        QQmlComponent component(qml.get(), QUrl("qrc:/qt/qml/com/quorvane/musical_ui/qml/ScoreView.qml"));
        item.reset(component.create());
        if (!item)
            qWarning() << component.errors();
    }

    std::unique_ptr<ScoreViewController> Controller()
    {
        return std::make_unique<ScoreViewController>(item.get(), qml.get(), engine, store);
    }

    QStringList Pages() const { return item->property("imageListModel").toStringList(); }

    // The engine calls since the last look, without its notifications.
    QStringList Calls()
    {
        engine->Probe().Drain();
        QStringList calls;
        for (const std::string& line : engine->Probe().Journal()) {
            if (!line.starts_with("> notify"))
                calls << QString::fromStdString(line);
        }
        engine->Probe().ClearJournal();
        return calls;
    }
};

using Setup = std::function<void(Rig& rig)>;

void MakeFifo(const fs::path& file)
{
    QVERIFY(::mkfifo(file.c_str(), 0600) == 0);
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestScoreViewController : public QObject {
    Q_OBJECT

private slots:
    void publishesThePagesInOrder();
    void pageTurnsMovePlayback_data();
    void pageTurnsMovePlayback();
    void theButtonsTurnThroughTheController();
    void enginePagesTurnThePaneSilently();
    void withoutAnItemNothingHappens();
    void aMissingOrBrokenScoreLeavesThePaneEmpty_data();
    void aMissingOrBrokenScoreLeavesThePaneEmpty();
};

void TestScoreViewController::publishesThePagesInOrder()
{
    Rig rig;
    QVERIFY(rig.item);
    auto controller = rig.Controller();
    score_tests::MessageLog log;
    controller->loadScore();
    const QStringList pages = rig.Pages();
    QCOMPARE(pages.size(), 5);
    for (int page = 1; page <= 5; ++page)
        QCOMPARE(score_tests::Decoded(pages[page - 1]), QByteArray::fromStdString(score_tests::Png(6, 8, page)));
    QCOMPARE(log.warnings, QStringList());
    QCOMPARE(vemo::testing::Child(rig.item.get(), "pageLabel")->property("text").toString(), "Page 1 of 5");

    // The pane keeps its pages after the controller is gone.
    controller.reset();
    QCOMPARE(rig.Pages().size(), 5);
}

void TestScoreViewController::pageTurnsMovePlayback_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("calls");
    const QString currentSong = "GetCurrentSongNumber()->\"1\"";
    QTest::newRow("in the current song") << 2 << QStringList{"LookupPage(2)", currentSong, "Seek(7680)"};
    QTest::newRow("in another song") << 4
                                     << QStringList{"LookupPage(4)", currentSong, "LoadSongAtTime(\"2\",3840)"};
    QTest::newRow("unknown page") << 9 << QStringList{"LookupPage(9)"};
    QTest::newRow("page 0") << 0 << QStringList{"LookupPage(0)"};
}

void TestScoreViewController::pageTurnsMovePlayback()
{
    QFETCH(int, page);
    QFETCH(QStringList, calls);
    Rig rig;
    auto controller = rig.Controller();
    controller->loadScore();
    rig.Calls();
    QVERIFY(QMetaObject::invokeMethod(rig.item.get(), "pageChanged", Q_ARG(int, page)));
    QCOMPARE(rig.Calls(), calls);
}

void TestScoreViewController::theButtonsTurnThroughTheController()
{
    Rig rig;
    auto controller = rig.Controller();
    controller->loadScore();
    rig.Calls();
    QVERIFY(QMetaObject::invokeMethod(rig.item.get(), "nextPage"));
    QVERIFY(QMetaObject::invokeMethod(rig.item.get(), "nextPage"));
    QCOMPARE(rig.item->property("currentIndex").toInt(), 2);
    QCOMPARE(rig.Calls(), (QStringList{"LookupPage(2)", "GetCurrentSongNumber()->\"1\"", "Seek(7680)", "LookupPage(3)",
                                       "GetCurrentSongNumber()->\"1\"", "LoadSongAtTime(\"2\",0)"}));
    QCOMPARE(rig.engine->GetCurrentSongNumber(), std::string("2"));
}

void TestScoreViewController::enginePagesTurnThePaneSilently()
{
    Rig rig;
    auto controller = rig.Controller();
    controller->loadScore();
    QSignalSpy turned(rig.item.get(), SIGNAL(pageChanged(int)));
    rig.Calls();
    controller->setCurrentPage(5);
    QCOMPARE(rig.item->property("currentIndex").toInt(), 4);
    controller->setCurrentPage(0);
    QCOMPARE(rig.item->property("currentIndex").toInt(), -1);
    QCOMPARE(turned.count(), 0);
    QCOMPARE(rig.Calls(), QStringList());
}

void TestScoreViewController::withoutAnItemNothingHappens()
{
    Rig rig;
    rig.Calls();
    score_tests::MessageLog log;
    ScoreViewController controller(nullptr, rig.qml.get(), rig.engine, rig.store);
    controller.loadScore();
    controller.setCurrentPage(3);
    QCOMPARE(log.warnings, QStringList());
    QCOMPARE(log.debugs, QStringList());
    QCOMPARE(rig.Calls(), QStringList());
}

void TestScoreViewController::aMissingOrBrokenScoreLeavesThePaneEmpty_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("debug");
    QTest::addColumn<QString>("warning"); // "<folder>" stands for the show's folder, "<data>" for its parent

    const auto withoutPackage = [](const std::function<void(const fs::path&)>& put) {
        return Setup([put](Rig& rig) {
            fs::remove(rig.folder / "ScoreShow.score");
            put(rig.folder);
        });
    };
    const QString none = "No .score file found.";
    const QString noAccessData = "Failed to read score package: Cannot read show access data: <folder>/show.record";
    QTest::newRow("no score file") << withoutPackage([](const fs::path&) {}) << none << "";
    QTest::newRow("a folder named *.score")
        << withoutPackage([](const fs::path& folder) { fs::create_directory(folder / "Pages.score"); }) << none << "";
    QTest::newRow("a named pipe named *.score")
        << withoutPackage([](const fs::path& folder) { MakeFifo(folder / "Pipe.score"); }) << none << "";
    QTest::newRow("a link to a device named *.score")
        << withoutPackage([](const fs::path& folder) { fs::create_symlink("/dev/zero", folder / "Zero.score"); })
        << none << "";
    QTest::newRow("a dangling link named *.score")
        << withoutPackage([](const fs::path& folder) { fs::create_symlink("gone", folder / "Gone.score"); }) << none
        << "";
    QTest::newRow("no current show") << Setup([](Rig& rig) { rig.store->SetCurrent(""); }) << ""
                                     << "Failed to read score package: No current show in <data>/showrecords.json";
    QTest::newRow("no record file") << Setup([](Rig& rig) { fs::remove(rig.folder / "show.record"); }) << ""
                                    << noAccessData;
    QTest::newRow("a named pipe as record file") << Setup([](Rig& rig) {
        fs::remove(rig.folder / "show.record");
        MakeFifo(rig.folder / "show.record");
    }) << "" << noAccessData;
    QTest::newRow("an oversized record file") << Setup([](Rig& rig) {
        std::ofstream(rig.folder / "show.record", std::ios::app) << std::string(70000, ' ');
    }) << "" << noAccessData;
    QTest::newRow("a malformed record file")
        << Setup([](Rig& rig) { std::ofstream(rig.folder / "show.record") << "{\"keyMaterial1\":"; }) << ""
        << noAccessData;
    QTest::newRow("wrong-sized key material")
        << Setup([](Rig& rig) { WriteRecord(rig.folder, DataVector(16, 1), kIv); }) << ""
        << "Failed to read score package: Score key material must be 32 and 16 bytes";
    QTest::newRow("a wrong key") << Setup([](Rig& rig) { WriteRecord(rig.folder, DataVector(32, 1), kIv); }) << ""
                                 << "Failed to read score package: Score package could not be deciphered: "
                                    "<folder>/ScoreShow.score";
    QTest::newRow("an empty package") << Setup([](Rig& rig) { std::ofstream(rig.folder / "ScoreShow.score"); }) << ""
                                      << "Failed to read score package: Score package could not be deciphered: "
                                         "<folder>/ScoreShow.score";
    QTest::newRow("an oversized package") << Setup([](Rig& rig) {
        fs::resize_file(rig.folder / "ScoreShow.score", vemo_sec::kMaxScorePackageBytes + 1);
    }) << "" << "Failed to read score package: Score package is too large: <folder>/ScoreShow.score";
    QTest::newRow("no archive inside") << Setup([](Rig& rig) {
        vemo_sec::WriteScorePackage(rig.folder / "ScoreShow.score", "no archive", kKey, kIv);
    }) << "" << "Failed to open in-memory archive: Unrecognized archive format";
}

void TestScoreViewController::aMissingOrBrokenScoreLeavesThePaneEmpty()
{
    QFETCH(Setup, setup);
    QFETCH(QString, debug);
    QFETCH(QString, warning);
    Rig rig;
    auto controller = rig.Controller();
    // An earlier list is replaced by the empty one.
    rig.item->setProperty("imageListModel", QStringList{"data:image/png;base64,"});
    setup(rig);

    score_tests::MessageLog log;
    const vemo::testing::PipeWatchOutcome outcome =
        vemo::testing::RunWatchingPipes([&] { controller->loadScore(); }, rig.folder);
    QVERIFY(!outcome.openedPipe);
    QCOMPARE(outcome.error, std::string());
    QCOMPARE(rig.item->property("imageListModel").metaType(), QMetaType::fromType<QStringList>());
    QCOMPARE(rig.Pages(), QStringList());
    QCOMPARE(log.debugs, debug.isEmpty() ? QStringList() : QStringList{debug});
    const QString folder = QString::fromStdString(rig.folder.string());
    const QString data = QString::fromStdString(rig.folder.parent_path().string());
    const QString expected = QString(warning).replace("<folder>", folder).replace("<data>", data);
    QCOMPARE(log.warnings, warning.isEmpty() ? QStringList() : QStringList{expected});
}

QTEST_MAIN(TestScoreViewController)
#include "test_score_view_controller.moc"
