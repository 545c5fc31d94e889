#include "editing/event_kinds.h"

#include <QtTest>

using vemo::qt::RefreshTargets;

Q_DECLARE_METATYPE(RefreshTargets)

class TestEventKinds : public QObject {
    Q_OBJECT

private slots:
    void refreshTargets_data()
    {
        QTest::addColumn<std::vector<int>>("codes");
        QTest::addColumn<RefreshTargets>("expected");
        QTest::newRow("nothing") << std::vector<int>{} << RefreshTargets{};
        QTest::newRow("marker") << std::vector<int>{'E'} << RefreshTargets{.markerList = true};
        QTest::newRow("cut") << std::vector<int>{'B'} << RefreshTargets{.eventList = true};
        QTest::newRow("click") << std::vector<int>{'L'} << RefreshTargets{.eventList = true, .barsBeats = true};
        QTest::newRow("marker and skip")
            << std::vector<int>{'E', 'M'} << RefreshTargets{.markerList = true, .eventList = true};
        QTest::newRow("unknown code") << std::vector<int>{'z'} << RefreshTargets{.eventList = true};
    }

    void refreshTargets()
    {
        QFETCH(std::vector<int>, codes);
        QFETCH(RefreshTargets, expected);
        QVERIFY(vemo::qt::RefreshTargetsOf(codes) == expected);
    }

    void everyKindRefreshesEverything()
    {
        const std::vector<int> all = vemo::qt::AllKindCodes();
        QCOMPARE(all, (std::vector<int>{'@', 'A', 'B', 'C', 'D', 'E', 'L', 'M', 'N', 'Q', 'R', 'S'}));
        QVERIFY((vemo::qt::RefreshTargetsOf(all) == RefreshTargets{true, true, true}));
    }
};

QTEST_GUILESS_MAIN(TestEventKinds)
#include "test_event_kinds.moc"
