#include "list_rig.h"

#include <QSignalSpy>
#include <QtTest>

using liststest::ListRig;

class TestSongList : public QObject {
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(".?")); }

    void rowsFollowTheEngine()
    {
        ListRig rig;
        const vemo::qt::SongListModel& model = rig.songs->Model();
        QCOMPARE(model.rowCount(), 3);
        QStringList statuses;
        for (int row = 0; row < 3; ++row)
            statuses << model.index(row).data(Qt::UserRole + 2).toString();
        QCOMPARE(statuses, QStringList({"plays", "continue", "x"}));
        QCOMPARE(model.index(1).data(Qt::UserRole + 1).toString(), QString("2"));
        QCOMPARE(model.index(1).data(Qt::UserRole + 3).toString(), QString("Song 2"));
        QCOMPARE(rig.songView->property("currentIndex").toInt(), 0);
    }

    void statusTexts_data()
    {
        QTest::addColumn<int>("attacca");
        QTest::addColumn<QVariant>("status");
        QTest::newRow("plays") << 0 << QVariant("plays");
        QTest::newRow("continue") << 1 << QVariant("continue");
        QTest::newRow("skip") << 2 << QVariant("x");
        QTest::newRow("unknown") << 7 << QVariant();
    }

    void statusTexts()
    {
        QFETCH(int, attacca);
        QFETCH(QVariant, status);
        vemo::qt::SongListModel model({{"1", "One", static_cast<UInt8>(attacca)}});
        QCOMPARE(model.index(0).data(Qt::UserRole + 2), status);
        QVERIFY(!model.index(0).data(Qt::UserRole + 4).isValid());
        QVERIFY(!model.index(0).data(0).isValid());
    }

    void clickLoadsOnlyAnotherSong()
    {
        ListRig rig;
        rig.ClickRow(rig.songView, 0);
        QCOMPARE(rig.Loads(), std::vector<std::string>{});
        rig.ClickRow(rig.songView, 1);
        QCOMPARE(rig.Loads(), std::vector<std::string>{"LoadSong(\"2\")"});
        QCOMPARE(rig.songView->property("currentIndex").toInt(), 1);
    }

    void iconClicksStepTheStateInPlace()
    {
        ListRig rig;
        std::vector<std::pair<std::string, int>> announced;
        connect(rig.songs.get(), &vemo::qt::SongListController::AttaccaStateChanged, this,
                [&announced](std::string song, UInt8 state) { announced.emplace_back(song, state); });
        QSignalSpy changed(&rig.songs->Model(), &QAbstractItemModel::dataChanged);
        rig.ClickRow(rig.songView, 1);
        rig.ClearJournal();

        for (int click = 0; click < 3; ++click) {
            rig.ClickChild(rig.songView, 0, "stateIcon");
            QCOMPARE(changed.size(), click + 1);
            QCOMPARE(changed.last().at(0).toModelIndex().row(), 0);
        }
        const std::vector<std::pair<std::string, int>> expected{{"1", 1}, {"1", 2}, {"1", 0}};
        QCOMPARE(announced, expected);
        QCOMPARE(rig.songView->property("currentIndex").toInt(), 1);
        QCOMPARE(rig.Loads(), std::vector<std::string>{});
    }

    void refreshAnnouncesOnlyChangedRows()
    {
        ListRig rig;
        QSignalSpy changed(&rig.songs->Model(), &QAbstractItemModel::dataChanged);
        rig.songs->RefreshAttacca();
        QCOMPARE(changed.size(), 0);

        rig.engine->SetAttacca("2", 2);
        rig.songs->RefreshAttacca();
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex().row(), 1);
        QCOMPARE(rig.songs->Model().index(1).data(Qt::UserRole + 2).toString(), QString("x"));
    }

    void followingALoadedSongLoadsNothing()
    {
        ListRig rig;
        rig.engine->LoadSong("3");
        rig.ClearJournal();
        rig.SongChanged("3");
        QCOMPARE(rig.songView->property("currentIndex").toInt(), 2);
        QCOMPARE(rig.Loads(), std::vector<std::string>{});
    }

    void lateNoticesOfEarlierLoadsOnlyMoveTheHighlight()
    {
        ListRig rig;
        rig.engine->LoadSong("3");
        rig.ClearJournal();
        rig.songs->SelectSong("2");
        QCOMPARE(rig.songView->property("currentIndex").toInt(), 1);
        rig.songs->SelectSong("3");
        QCOMPARE(rig.songView->property("currentIndex").toInt(), 2);
        QCOMPARE(rig.Loads(), std::vector<std::string>{});
    }

    void songNumbersCompareAsBytes()
    {
        ListRig rig;
        QCOMPARE(rig.songs->Model().IndexOfSong("01"), 3);
        rig.songs->SelectSong("01");
        rig.songs->CurrentItemChanged_(3);
        rig.songs->CurrentItemChanged_(-1);
        QCOMPARE(rig.Loads(), std::vector<std::string>{});
        QCOMPARE(rig.songs->Model().CycleAttacca("01"), std::optional<UInt8>{});
    }
};

QTEST_MAIN(TestSongList)
#include "test_song_list.moc"
