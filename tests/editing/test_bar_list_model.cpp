#include "editing/bar_list_model.h"

#include <QtTest>

#include <vector>

using vemo::qt::BarListModel;

namespace {

using Sequence = TL::TimelineSequence<TL::BarsBeats>;

// Bars `first` to `last` of 4/4; bar b starts at (b - 1) × 1920.
Sequence FourFourBars(int first, int last)
{
    Sequence sequence;
    for (int bar = first; bar <= last; ++bar) {
        for (int beat = 1; beat <= 4; ++beat)
            sequence.push_back(TL::BarsBeats(static_cast<std::uint32_t>((bar - 1) * 1920 + (beat - 1) * 480), bar, beat));
    }
    return sequence;
}

// "bar[beats|ticks]" per row, then the leading entry.
QString Render(const BarListModel& model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString bar = model.data(model.index(row), BarListModel::BarRole).toString();
        QStringList beats;
        for (const uint beat : model.getBeats(row).value<QList<uint>>())
            beats << QString::number(beat);
        QStringList ticks;
        for (const uint tick : model.data(model.index(row), BarListModel::TimesRole).value<QList<uint>>())
            ticks << QString::number(tick);
        rows << bar + "[" + beats.join(",") + "|" + ticks.join(",") + "]";
    }
    rows << QString("lead %1/%2/%3").arg(model.LeadingTick()).arg(model.LeadingBar()).arg(model.LeadingBeat());
    return rows.join(" ");
}

} // namespace

class TestBarListModel : public QObject {
    Q_OBJECT

private slots:
    void building_data()
    {
        QTest::addColumn<Sequence>("sequence");
        QTest::addColumn<uint>("minimum");
        QTest::addColumn<QString>("expected");
        QTest::newRow("minimum on beat 3 of bar 4")
            << FourFourBars(3, 5) << 6720u
            << "4[3,4|6720,7200] 5[1,2,3,4|7680,8160,8640,9120] lead 0//0";
        QTest::newRow("minimum between beats 2 and 3 of bar 4")
            << FourFourBars(3, 5) << 6500u
            << "4[2,3,4|6240,6720,7200] 5[1,2,3,4|7680,8160,8640,9120] lead 6240/4/2";
        QTest::newRow("minimum between bars 3 and 4")
            << FourFourBars(3, 5) << 5700u
            << "3[4|5280] 4[1,2,3,4|5760,6240,6720,7200] 5[1,2,3,4|7680,8160,8640,9120] lead 5280/3/4";
        QTest::newRow("minimum 0 on the first beat")
            << FourFourBars(1, 2) << 0u << "1[1,2,3,4|0,480,960,1440] 2[1,2,3,4|1920,2400,2880,3360] lead 0//0";
        QTest::newRow("minimum after the last beat") << FourFourBars(1, 2) << 9999u << "2[4|3360] lead 3360/2/4";
        QTest::newRow("empty sequence") << Sequence{} << 0u << "lead 0//0";
        Sequence repeated = FourFourBars(1, 1);
        repeated.push_back(TL::BarsBeats(1920, 2, 1));
        repeated.push_back(TL::BarsBeats(2400, 1, 1));
        QTest::newRow("repeated label merges into its first row")
            << repeated << 0u << "1[1,2,3,4,1|0,480,960,1440,2400] 2[1|1920] lead 0//0";
    }

    void building()
    {
        QFETCH(Sequence, sequence);
        QFETCH(uint, minimum);
        QFETCH(QString, expected);
        const BarListModel model(nullptr, &sequence, minimum);
        QCOMPARE(Render(model), expected);
    }

    void nullSequenceGivesNoRows()
    {
        const BarListModel model(nullptr, nullptr, 0);
        QCOMPARE(model.rowCount(), 0);
    }

    void lookups()
    {
        const Sequence sequence = FourFourBars(3, 5);
        const BarListModel model(nullptr, &sequence, 6720);
        QCOMPARE(model.roleNames(), (QHash<int, QByteArray>{{257, "bar"}, {258, "beats"}, {259, "times"}}));
        QCOMPARE(model.data(model.index(0), 258).toUInt(), 3u);
        QCOMPARE(model.getTime("4", 4).toUInt(), 7200u);
        QCOMPARE(model.getTime("5", 3).toUInt(), 8640u);
        QCOMPARE(model.getTime("4", 1).toUInt(), 6720u);
        QVERIFY(!model.data(model.index(0), Qt::DisplayRole).isValid());
    }

    void outsideTheModel()
    {
        const Sequence sequence = FourFourBars(1, 1);
        const BarListModel model(nullptr, &sequence, 0);
        QCOMPARE(model.getBeats(1).value<QList<uint>>(), QList<uint>{});
        QCOMPARE(model.getBeats(-1).value<QList<uint>>(), QList<uint>{});
        QCOMPARE(model.getTime("7", 1).toUInt(), 0u);
        QCOMPARE(model.getTime("", 1).toUInt(), 0u);
        QVERIFY(!model.data(model.index(3), 257).isValid());
        QVERIFY(!model.data(QModelIndex(), 257).isValid());
        const BarListModel empty(nullptr, nullptr, 0);
        QCOMPARE(empty.getBeats(0).value<QList<uint>>(), QList<uint>{});
        QCOMPARE(empty.getTime("", 0).toUInt(), 0u);
    }
};

QTEST_GUILESS_MAIN(TestBarListModel)
#include "test_bar_list_model.moc"
