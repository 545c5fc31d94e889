#include <vemo_midi/midi.h>

#include <QtTest>

using namespace vemo::midi;

class TestVemoMidi : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { testing::SetSources(std::nullopt); qunsetenv("VEMO_MIDI_SOURCES"); }

    void sourcesFromEnvironment_data()
    {
        QTest::addColumn<QByteArray>("env");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("unset") << QByteArray() << QStringList{"Virtual MIDI In 1", "Virtual MIDI In 2"};
        QTest::newRow("empty means none") << QByteArray("") << QStringList{};
        QTest::newRow("two") << QByteArray("Desk A;Desk B") << QStringList{"Desk A", "Desk B"};
    }
    void sourcesFromEnvironment()
    {
        QFETCH(QByteArray, env);
        QFETCH(QStringList, names);
        if (env.isNull())
            qunsetenv("VEMO_MIDI_SOURCES");
        else
            qputenv("VEMO_MIDI_SOURCES", env);
        const auto sources = EnumerateSources();
        QCOMPARE(int(sources.size()), names.size());
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(QString::fromStdString(sources[i].GetSourceName()), names[i]);
            QCOMPARE(sources[i].Index(), i);
        }
    }

    void injectReachesOnlyInputsOnThatSource()
    {
        MidiInput first, second;
        std::vector<std::vector<std::uint8_t>> atFirst, atSecond;
        QVERIFY(first.Open(0, [&](const auto& m) { atFirst.push_back(m); }));
        QVERIFY(second.Open(1, [&](const auto& m) { atSecond.push_back(m); }));
        testing::Inject(0, {0x90, 60, 100});
        testing::Inject(1, {0xB0, 7, 1});
        QCOMPARE(atFirst.size(), std::size_t(1));
        QCOMPARE(atFirst[0], (std::vector<std::uint8_t>{0x90, 60, 100}));
        QCOMPARE(atSecond.size(), std::size_t(1));
        second.Close();
        QVERIFY(!second.IsOpen());
        testing::Inject(1, {0xB0, 7, 1});
        QCOMPARE(atSecond.size(), std::size_t(1));
    }

    void openOutOfRangeFails()
    {
        testing::SetSources(std::vector<std::string>{"Only"});
        MidiInput input;
        QVERIFY(!input.Open(1, [](const auto&) {}));
        QVERIFY(!input.Open(-1, [](const auto&) {}));
        QVERIFY(!input.IsOpen());
        QCOMPARE(input.SourceIndex(), -1);
        QVERIFY(input.Open(0, [](const auto&) {}));
        QCOMPARE(input.SourceIndex(), 0);
    }

    void callbackMayCloseItsOwnInput()
    {
        MidiInput input;
        int calls = 0;
        QVERIFY(input.Open(0, [&](const auto&) { ++calls; input.Close(); }));
        testing::Inject(0, {0x80, 60, 0});
        testing::Inject(0, {0x80, 60, 0});
        QCOMPARE(calls, 1);
    }
};

QTEST_GUILESS_MAIN(TestVemoMidi)
#include "test_vemo_midi.moc"
