#include "timeline/bars_beats_event_sequence.h"

#include <QtTest>

#include <stdexcept>
#include <vector>

using vemo::qt::BarRecord;
using vemo::qt::BarsBeatsEventSequence;

namespace {

// Beats given as (tick, bar number, beat number).
struct Beat {
    std::uint32_t tick;
    int bar;
    int beat;
};

TL::TimelineSequence<TL::BarsBeats> Grid(const std::vector<Beat>& beats)
{
    TL::TimelineSequence<TL::BarsBeats> grid;
    for (const Beat& b : beats)
        grid.push_back(TL::BarsBeats(b.tick, b.bar, b.beat));
    return grid;
}

// Three bars of 3/4 with beats every 240 ticks.
TL::TimelineSequence<TL::BarsBeats> ThreeFour()
{
    std::vector<Beat> beats;
    for (int bar = 1; bar <= 3; ++bar) {
        for (int beat = 1; beat <= 3; ++beat)
            beats.push_back({static_cast<std::uint32_t>(((bar - 1) * 3 + beat - 1) * 240), bar, beat});
    }
    return Grid(beats);
}

} // namespace

class TestBarsBeatsEventSequence : public QObject {
    Q_OBJECT

private slots:
    void nearestBeat_data()
    {
        QTest::addColumn<std::uint32_t>("tick");
        QTest::addColumn<std::uint32_t>("expected");
        QTest::newRow("on a beat") << 480u << 480u;
        QTest::newRow("midway goes to the earlier beat") << 600u << 480u;
        QTest::newRow("one past midway goes to the later beat") << 601u << 720u;
        QTest::newRow("just after a beat") << 250u << 240u;
        QTest::newRow("on the first beat") << 0u << 0u;
        QTest::newRow("after the last beat") << 100000u << 1920u;
        QTest::newRow("on the last beat") << 1920u << 1920u;
    }

    void nearestBeat()
    {
        QFETCH(std::uint32_t, tick);
        QFETCH(std::uint32_t, expected);
        QCOMPARE(BarsBeatsEventSequence(ThreeFour()).NearestBeatTick(tick), expected);
    }

    void nearestBeatBeforeTheFirstBeatIsTheFirstBeat()
    {
        const BarsBeatsEventSequence sequence(Grid({{960, 1, 1}, {1440, 1, 2}}));
        QCOMPARE(sequence.NearestBeatTick(0), 960u);
        QCOMPARE(sequence.NearestBeatTick(959), 960u);
    }

    void emptyGridHasNoBarsAndSeeksToZero()
    {
        const BarsBeatsEventSequence sequence(Grid({}));
        QCOMPARE(sequence.BarCount(), std::size_t(0));
        QCOMPARE(sequence.NearestBeatTick(0), 0u);
        QCOMPARE(sequence.NearestBeatTick(5000), 0u);
    }

    void barsInOrderWithTheirBeats()
    {
        const BarsBeatsEventSequence sequence(ThreeFour());
        QCOMPARE(sequence.BarCount(), std::size_t(3));
        for (std::size_t i = 0; i < 3; ++i) {
            const BarRecord bar = sequence.BarAt(i);
            QCOMPARE(bar.BarText(), std::to_string(i + 1));
            QCOMPARE(bar.index, static_cast<int>(i));
            QCOMPARE(bar.tick, static_cast<int>(i * 720));
            QCOMPARE(bar.BeatCount(), std::size_t(3));
            QCOMPARE(bar.BeatLabel(0), std::string("1"));
            QCOMPARE(bar.BeatLabel(2), std::string("3"));
            QCOMPARE(bar.BeatTick("2"), static_cast<int>(i * 720 + 240));
        }
    }

    void pickupBeatsFillTheUnknownRecordFirst()
    {
        const BarsBeatsEventSequence sequence(Grid({{0, 0, 3}, {480, 0, 4}, {960, 1, 1}, {1440, 1, 2}}));
        QCOMPARE(sequence.BarCount(), std::size_t(2));
        const BarRecord pickup = sequence.BarAt(0);
        QCOMPARE(pickup.BarText(), std::string("Unk"));
        QCOMPARE(pickup.tick, 0);
        QCOMPARE(pickup.index, 0);
        QCOMPARE(pickup.beatLabels, (std::vector<std::string>{"3", "4"}));
        QCOMPARE(pickup.BeatTick("4"), 480);
        const BarRecord first = sequence.BarAt(1);
        QCOMPARE(first.BarText(), std::string("1"));
        QCOMPARE(first.index, 0);
        QCOMPARE(first.tick, 960);
        QCOMPARE(first.BeatLabel(0), std::string("1"));
    }

    void repeatedBarStartFails()
    {
        try {
            BarsBeatsEventSequence sequence(Grid({{0, 1, 1}, {480, 1, 2}, {960, 2, 1}, {960, 3, 1}}));
            QFAIL("a repeated bar start was accepted");
        } catch (const std::runtime_error& error) {
            QCOMPARE(std::string(error.what()), std::string("barBeat with duplicate tick index."));
        }
    }

    void repeatedBeatLabelKeepsTheLaterTick()
    {
        const BarsBeatsEventSequence sequence(Grid({{0, 1, 1}, {480, 1, 2}, {960, 1, 2}, {1440, 1, 3}}));
        const BarRecord bar = sequence.BarAt(0);
        QCOMPARE(bar.beatLabels, (std::vector<std::string>{"1", "2", "2", "3"}));
        QCOMPARE(bar.BeatTick("2"), 960);
    }

    void missingBeatLabelThrowsItsOwnText()
    {
        const BarRecord bar = BarsBeatsEventSequence(ThreeFour()).BarAt(0);
        try {
            bar.BeatTick("7");
            QFAIL("a missing label gave a tick");
        } catch (const std::out_of_range& error) {
            QCOMPARE(std::string(error.what()), std::string("invalid unordered_map<K, T> key"));
        }
    }

    void defaultRecordIsTheUnknownBar()
    {
        const BarRecord bar;
        QCOMPARE(bar.tick, 0);
        QCOMPARE(bar.BarText(), std::string("Unk"));
        QCOMPARE(bar.index, 0);
        QCOMPARE(bar.BeatCount(), std::size_t(0));
    }
};

QTEST_GUILESS_MAIN(TestBarsBeatsEventSequence)
#include "test_bars_beats_event_sequence.moc"
