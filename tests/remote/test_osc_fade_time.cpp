#include "osc/fade_time.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace vemo::osc;

class TestOscFadeTime : public QObject {
    Q_OBJECT

private slots:
    void saturatingMilliseconds_data();
    void saturatingMilliseconds();
    void fadeSeconds_data();
    void fadeSeconds();
};

void TestOscFadeTime::saturatingMilliseconds_data()
{
    QTest::addColumn<float>("milliseconds");
    QTest::addColumn<int>("whole");

    constexpr int lowest = std::numeric_limits<int>::min();
    constexpr int highest = std::numeric_limits<int>::max();
    QTest::newRow("10 s") << 10000.0F << 10000;
    QTest::newRow("fraction dropped") << 2500.75F << 2500;
    QTest::newRow("negative fraction toward zero") << -0.9F << 0;
    QTest::newRow("-1 s") << -1000.0F << -1000;
    QTest::newRow("largest float below 2^31") << 2147483520.0F << 2147483520;
    QTest::newRow("2^31") << 2147483648.0F << highest;
    QTest::newRow("-2^31") << -2147483648.0F << lowest;
    QTest::newRow("-1e30 s") << -1e33F << lowest;
    QTest::newRow("1e30 s") << 1e33F << highest;
    QTest::newRow("inf") << std::numeric_limits<float>::infinity() << highest;
    QTest::newRow("-inf") << -std::numeric_limits<float>::infinity() << lowest;
    QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN() << 0;
}

void TestOscFadeTime::saturatingMilliseconds()
{
    QFETCH(float, milliseconds);
    QFETCH(int, whole);
    QCOMPARE(SaturatingMilliseconds(milliseconds), whole);
}

void TestOscFadeTime::fadeSeconds_data()
{
    QTest::addColumn<int>("milliseconds");
    QTest::addColumn<float>("seconds");

    QTest::newRow("3000") << 3000 << 3.0F;
    QTest::newRow("1") << 1 << 0.001F;
    QTest::newRow("-1000") << -1000 << -1.0F;
    QTest::newRow("0") << 0 << 0.0F;
    QTest::newRow("lowest") << std::numeric_limits<int>::min() << -2147483.648F;
}

void TestOscFadeTime::fadeSeconds()
{
    QFETCH(int, milliseconds);
    QFETCH(float, seconds);
    QCOMPARE(FadeSeconds(milliseconds), seconds);
}

QTEST_GUILESS_MAIN(TestOscFadeTime)
#include "test_osc_fade_time.moc"
