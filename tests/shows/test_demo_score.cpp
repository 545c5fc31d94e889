// The demo show's score as a fresh installation holds it: six 600 x 800 pages, published in
// order by the score pane's controller, each placed by the engine where the show puts it.
#include "score_archive.h"
#include "shows/score_view_controller.h"

#include <vemo_demo_show/install.h>
#include <vemo_player_core/audio_interface.h>
#include <vemo_test/qml_engine.h>
#include <vemo_test/test_environment.h>

#include <QImage>
#include <QQmlComponent>
#include <QTest>

#include <fstream>
#include <iterator>

class TestDemoScore : public QObject {
    Q_OBJECT

private slots:
    void theInstalledScoreShowsSixPagesWhereTheShowPlacesThem();
};

void TestDemoScore::theInstalledScoreShowsSixPagesWhereTheShowPlacesThem()
{
    qunsetenv("VEMO_NO_DEMO");
    const std::filesystem::path data = vemo::testing::TestRoot() / "demo";
    QVERIFY(vemo::demo::InstallIfNoCurrentShow(data));
    auto store = std::make_shared<vemo::core::ShowRecordStore>(data);
    const std::filesystem::path package = store->CurrentShowFolder() / "TheLanternKeeper.score";
    std::ifstream in(package, std::ios::binary);
    const std::string enciphered(std::istreambuf_iterator<char>(in), {});
    QCOMPARE(QByteArray::fromStdString(enciphered.substr(0, 16)).toHex(),
             QByteArray("cffbd5acc6fe11ea4e64a72abd1c4b04"));

    vemo::AudioInterface::Options options;
    options.clock = vemo::AudioInterface::Options::Clock::Manual;
    auto engine = std::make_shared<vemo::AudioInterface>(store->CurrentShowFolder().string(), data.string(), false,
                                                         nullptr, options);
    engine->ThrowIfThreadExceptions();
    const auto qml = vemo::testing::MakeQmlEngine();
    QQmlComponent component(qml.get(), QUrl("qrc:/qt/qml/com/quorvane/musical_ui/qml/ScoreView.qml"));
    const std::unique_ptr<QObject> item(component.create());
    QVERIFY(item);
    vemo::qt::ScoreViewController controller(item.get(), qml.get(), engine, store);
    score_tests::MessageLog log;
    controller.loadScore();
    QCOMPARE(log.warnings, QStringList());

    const QStringList pages = item->property("imageListModel").toStringList();
    QCOMPARE(pages.size(), 6);
    for (const QString& page : pages) {
        const QImage image = QImage::fromData(score_tests::Decoded(page), "PNG");
        QCOMPARE(image.size(), QSize(600, 800));
    }
    QVERIFY(QImage::fromData(score_tests::Decoded(pages[0])) != QImage::fromData(score_tests::Decoded(pages[1])));

    // Song 1 in 4/4 from tick 0; song 2 in 3/4 with bar 1 at tick 960; song 3 in 6/8 from tick 0.
    const std::vector<std::pair<std::string, UInt32>> places{
        {"1", 0}, {"1", 8 * 1920}, {"2", 0}, {"2", 960 + 12 * 1440}, {"3", 0}, {"3", 6 * 1440}};
    for (unsigned page = 1; page <= 6; ++page)
        QCOMPARE(engine->LookupPage(page), places[page - 1]);
}

QTEST_MAIN(TestDemoScore)
#include "test_demo_score.moc"
