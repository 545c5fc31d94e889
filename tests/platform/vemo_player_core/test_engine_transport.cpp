#include "engine_fixture.h"

#include <QtTest>

using namespace enginetest;
using notify::EventKind;
using std::chrono::milliseconds;

namespace {

std::vector<std::string> flowTexts(const Recorder& recorder)
{
    std::vector<std::string> out;
    for (const auto& n : recorder.Of(EventKind::StatusFlowControl))
        out.push_back(n.text + ":" + std::to_string(n.value));
    return out;
}

}  // namespace

class TestEngineTransport : public QObject {
    Q_OBJECT
private slots:
    void loadReportsTheSongFromTheEngineThread()
    {
        Recorder recorder;
        vemo::AudioInterface engine(CopyShow(DemoShowSource(), "demo").string(),
                                    (vemo::testing::TestRoot() / "data").string(), false, nullptr, ManualClock());
        engine.ThrowIfThreadExceptions();
        engine.Probe().Drain();
        std::vector<std::pair<EventKind, std::string>> got;
        for (const auto& n : recorder.Notes())
            got.emplace_back(n.kind, n.kind == EventKind::PageNum || n.kind == EventKind::StatusVolume
                                         ? std::to_string(n.value) : n.text);
        const std::vector<std::pair<EventKind, std::string>> expected{
            {EventKind::SongLoaded, "1"},        {EventKind::SongTitle, "Overture"},
            {EventKind::Meter, "4/4"},           {EventKind::Key, "Bb"},
            {EventKind::Tempo, "120.00"},        {EventKind::TempoScale, "100%"},
            {EventKind::Transposition, ""},      {EventKind::StatusFlowControl, "ClearPickupBeat"},
            {EventKind::BarBeat, "0001:01"},     {EventKind::Playhead, ""},
            {EventKind::PageNum, "1"},           {EventKind::StatusVolume, "1000"}};
        QCOMPARE(got, expected);
        QVERIFY(recorder.AllFrom(std::this_thread::get_id()));
    }

    void songsInNumericOrder()
    {
        const auto show = MakeShow("[" + FourFourSong("10") + "," + FourFourSong("2") + "," + FourFourSong("1a") + "]");
        auto engine = MakeEngine(show);
        std::vector<std::string> order;
        for (const auto& [number, title] : engine->GetSongNamesBySongNumber())
            order.push_back(number);
        QCOMPARE(order, (std::vector<std::string>{"1a", "2", "10"}));
        QCOMPARE(engine->GetCurrentSongNumber(), std::string("1a"));
        engine->NextSong();
        QCOMPARE(engine->GetCurrentSongNumber(), std::string("2"));
        QCOMPARE(engine->GetActualSongNumber("02"), std::string("2"));
        QCOMPARE(engine->GetActualSongNumber("1A"), std::string("1a"));
        QVERIFY(!engine->SongExists("3"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, engine->LoadSong("3"));
        try {
            engine->LoadSong("3");
        } catch (const std::out_of_range& e) {
            QCOMPARE(std::string(e.what()), std::string("Song 3 does not exist."));
        }
    }

    void playbackAdvancesAtTheTempo()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]");
        auto engine = MakeEngine(show);
        engine->Play();
        QVERIFY(engine->GetIsPlaying());
        engine->Probe().Advance(milliseconds(1000));
        QCOMPARE(engine->GetTickIndex(), UInt32(960));
        engine->Pause(false);
        engine->Probe().Advance(milliseconds(1000));
        QCOMPARE(engine->GetTickIndex(), UInt32(960));
        QVERIFY(engine->GetIsPaused());
        engine->Stop();
        QCOMPARE(engine->GetTickIndex(), UInt32(0));
        QVERIFY(engine->IsStopped());
    }

    void pauseAfterAFadeOutKeepsThePosition()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]");
        auto engine = MakeEngine(show);
        engine->Play();
        engine->Fade({}, 0.5f);
        engine->Probe().Advance(milliseconds(600));
        QVERIFY(engine->IsStopped());
        QCOMPARE(engine->GetTickIndex(), UInt32(480));
        engine->Pause(true);
        QVERIFY(engine->GetIsPaused());
        QCOMPARE(engine->GetTickIndex(), UInt32(480));
        engine->Play();
        QVERIFY(engine->GetIsFaded());
        engine->Probe().Advance(milliseconds(500));
        QCOMPARE(engine->GetTickIndex(), UInt32(960));
    }

    void vampLoopsUntilExit()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]",
                                   {{"1", {Ev<CL::Vamp>(barStart(3), barStart(5), "VAMP1", 0)}}});
        auto engine = MakeEngine(show);
        Recorder recorder;
        engine->Play();
        engine->Probe().Advance(milliseconds(4000 + 4000 * 3 + 1000));
        QVERIFY(engine->GetTickIndex() >= barStart(3) && engine->GetTickIndex() < barStart(5));
        QCOMPARE(recorder.Of(EventKind::VampOn).size(), std::size_t(1));
        QVERIFY(recorder.Of(EventKind::VampOff).empty());
        QCOMPARE(flowTexts(recorder), (std::vector<std::string>{"Vamp:0", "Vamp:0", "Vamp:0", "Vamp:0"}));
        recorder.Clear();
        engine->FlowControlExit();
        engine->Probe().Advance(milliseconds(4000));
        QVERIFY(engine->GetTickIndex() > barStart(5));
        QCOMPARE(recorder.Of(EventKind::VampOff).size(), std::size_t(1));
        QCOMPARE(flowTexts(recorder), (std::vector<std::string>{"ClearPickupBeat:0"}));
    }

    void repeatPlaysItsCount()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]",
                                   {{"1", {Ev<CL::Repeat>(barStart(2), barStart(3), "REP1", 3)}}});
        auto engine = MakeEngine(show);
        Recorder recorder;
        engine->Play();
        // One bar before the region, three passes, then half a bar.
        engine->Probe().Advance(milliseconds(2000 + 3 * 2000 - 20));
        QVERIFY(engine->GetTickIndex() < barStart(3));
        engine->Probe().Advance(milliseconds(1000));
        QVERIFY(engine->GetTickIndex() > barStart(3));
        QCOMPARE(flowTexts(recorder),
                 (std::vector<std::string>{"Repeat:2", "Repeat:1", "Repeat:0", "ClearPickupBeat:0"}));
        QVERIFY(recorder.Of(EventKind::VampOn).empty());
    }

    void caesuraHoldsUntilContinue()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]", {{"1", {Ev<CL::Caesura>(barStart(2), "CAE1", 0)}}});
        auto engine = MakeEngine(show);
        Recorder recorder;
        engine->Play();
        engine->Probe().Advance(milliseconds(6000));
        QCOMPARE(engine->GetTickIndex(), barStart(2));
        QVERIFY(engine->GetIsPlaying());
        QCOMPARE(flowTexts(recorder), (std::vector<std::string>{"Caesura:0"}));
        engine->Continue();
        engine->Probe().Advance(milliseconds(1000));
        QCOMPARE(engine->GetTickIndex(), barStart(2) + 960);
        QCOMPARE(flowTexts(recorder), (std::vector<std::string>{"Caesura:0", "ClearPickupBeat:0"}));
    }

    void pauseDuringHoldResumesPastTheCaesura()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]", {{"1", {Ev<CL::Caesura>(barStart(2), "CAE1", 0)}}});
        auto engine = MakeEngine(show);
        engine->Play();
        engine->Probe().Advance(milliseconds(3000));
        engine->Pause(false);
        engine->Play();
        engine->Probe().Advance(milliseconds(1000));
        QCOMPARE(engine->GetTickIndex(), barStart(2) + 960);
    }

    void cutJumpsOverItsBars()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]", {{"1", {Ev<CL::Cut>(barStart(2), barStart(4), "CUT1", 0)}}});
        auto engine = MakeEngine(show);
        Recorder recorder;
        engine->Play();
        engine->Probe().Advance(milliseconds(3000));
        QCOMPARE(engine->GetTickIndex(), barStart(4) + 960);
        for (const auto& text : recorder.Texts(EventKind::BarBeat))
            QVERIFY2(text.substr(0, 4) != "0002" && text.substr(0, 4) != "0003", text.c_str());
        QVERIFY(recorder.Of(EventKind::StatusFlowControl).empty());
    }

    void cutDoesNotMoveAStoppedSeek()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]", {{"1", {Ev<CL::Cut>(barStart(2), barStart(4), "CUT1", 0)}}});
        auto engine = MakeEngine(show);
        engine->Seek(barStart(3));
        QCOMPARE(engine->GetTickIndex(), barStart(3));
        engine->Play();
        QCOMPARE(engine->GetTickIndex(), barStart(4));
    }

    void skipPlaysOnAndExitJumpsToItsEnd()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]",
                                   {{"1", {Ev<CL::Fermata>(barStart(2), barStart(5), "SKP1", 0)}}});
        auto engine = MakeEngine(show);
        Recorder recorder;
        engine->Play();
        engine->Probe().Advance(milliseconds(3000));
        QCOMPARE(engine->GetTickIndex(), barStart(2) + 960);
        QCOMPARE(flowTexts(recorder), (std::vector<std::string>{"Skip:0"}));
        QCOMPARE(recorder.Of(EventKind::VampOn).size(), std::size_t(1));
        engine->FlowControlExit();
        engine->Probe().Advance(milliseconds(20));
        QVERIFY(engine->GetTickIndex() >= barStart(5) && engine->GetTickIndex() < barStart(5) + 40);
        QCOMPARE(flowTexts(recorder), (std::vector<std::string>{"Skip:0", "ClearPickupBeat:0"}));
        QCOMPARE(recorder.Of(EventKind::VampOff).size(), std::size_t(1));
    }

    void tempoScaleChangesTheRate()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]",
                                   {{"1", {Ev<CL::TempoScale>(barStart(2), barStart(3), "TMP1", 1.5)}}});
        auto engine = MakeEngine(show);
        Recorder recorder;
        engine->Seek(barStart(2));
        engine->Probe().Drain();
        QCOMPARE(recorder.Texts(EventKind::TempoScale), std::vector<std::string>{"150%"});
        QCOMPARE(recorder.Texts(EventKind::Tempo), std::vector<std::string>{"180.00"});
        recorder.Clear();
        engine->Play();
        engine->Probe().Advance(milliseconds(1000));
        QCOMPARE(engine->GetTickIndex(), barStart(2) + 1440);
        engine->Probe().Advance(milliseconds(1000));
        QCOMPARE(recorder.Texts(EventKind::TempoScale), std::vector<std::string>{"100%"});
        QCOMPARE(recorder.Texts(EventKind::Tempo), std::vector<std::string>{"120.00"});
    }

    void transpositionChangesTheKeyText_data()
    {
        QTest::addColumn<int>("sharpsFlats");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("halfSteps");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("transposed");
        QTest::newRow("Bb up 2") << -2 << 0 << 2 << "Bb" << "C";
        QTest::newRow("C up 6 is F#") << 0 << 0 << 6 << "C" << "F#";
        QTest::newRow("C down 1") << 0 << 0 << -1 << "C" << "B";
        QTest::newRow("Em up 2") << 1 << 1 << 2 << "Em" << "F#m";
        QTest::newRow("D down 3") << 2 << 0 << -3 << "D" << "B";
    }
    void transpositionChangesTheKeyText()
    {
        QFETCH(int, sharpsFlats);
        QFETCH(int, mode);
        QFETCH(int, halfSteps);
        QFETCH(QString, written);
        QFETCH(QString, transposed);
        const auto keys = R"(, "keys": [{"bar": 1, "sf": )" + std::to_string(sharpsFlats) + R"(, "mi": )"
                          + std::to_string(mode) + "}]";
        const auto show = MakeShow("[" + FourFourSong("1", 32, keys) + "]",
                                   {{"1", {Ev<CL::Transpose>(barStart(2), barStart(3), "TRN1", halfSteps)}}});
        auto engine = MakeEngine(show);
        Recorder recorder;
        engine->Play();
        engine->Probe().Advance(milliseconds(5000));
        QCOMPARE(recorder.Texts(EventKind::Key),
                 (std::vector<std::string>{transposed.toStdString(), written.toStdString()}));
        std::vector<int> values;
        for (const auto& n : recorder.Of(EventKind::Transposition))
            values.push_back(n.value);
        QCOMPARE(values, (std::vector<int>{halfSteps, 0}));
    }

    void clickGridRenumbersBeats()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]", {{"1", {Ev<CL::Click>(barStart(2), barStart(3), "CLK1", 8)}}});
        auto engine = MakeEngine(show);
        Recorder recorder;
        engine->Seek(barStart(2) - 1);
        engine->Probe().Drain();
        recorder.Clear();
        engine->Play();
        engine->Probe().Advance(milliseconds(2500));
        std::vector<std::string> bar2;
        for (const auto& text : recorder.Texts(EventKind::BarBeat)) {
            if (text.substr(0, 4) == "0002")
                bar2.push_back(text);
        }
        QCOMPARE(bar2, (std::vector<std::string>{"0002:01", "0002:02", "0002:03", "0002:04", "0002:05", "0002:06",
                                                 "0002:07", "0002:08"}));
        QCOMPARE(engine->GetBarsBeats("1", false).size(), std::size_t(32 * 4 + 1));
        QCOMPARE(engine->GetBarsBeats("1", true).size(), std::size_t(32 * 4 + 4 + 1));
        QCOMPARE(engine->GetClickValues(barStart(2), barStart(3)),
                 (std::vector<int>{4, 1, 2, 3, 6, 8, 12, 16, 24, 32}));
    }

    void markersAreReportedWhenCrossed()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]",
                                   {{"1", {Ev<CL::Marker>(barStart(2), "Verse", "MRK1"), Ev<CL::Marker>(barStart(4), "Chorus", "MRK2")}}});
        auto engine = MakeEngine(show);
        Recorder recorder;
        engine->Play();
        engine->Probe().Advance(milliseconds(3000));
        std::vector<int> ticks;
        for (const auto& n : recorder.Of(EventKind::Marker))
            ticks.push_back(n.value);
        QCOMPARE(ticks, std::vector<int>{int(barStart(2))});
        engine->Stop();
        engine->SeekRight();
        QCOMPARE(engine->GetTickIndex(), barStart(2));
        engine->SeekRight();
        QCOMPARE(engine->GetTickIndex(), barStart(4));
        engine->SeekLeft();
        QCOMPARE(engine->GetTickIndex(), barStart(2));
    }

    void seekToBar()
    {
        const auto show = MakeShow(R"([{"number": "1", "title": "Waltz", "bars": 8, "pickupBeats": 1, "startTick": 480,
                                        "meters": [{"bar": 1, "num": 3, "den": 4}]}])");
        auto engine = MakeEngine(show);
        QVERIFY(engine->SeekToBar("2"));
        QCOMPARE(engine->GetTickIndex(), UInt32(480 + 480 + 1440));
        QVERIFY(engine->SeekToBar("0"));
        QCOMPARE(engine->GetTickIndex(), UInt32(480));
        engine->Seek(2000);
        QVERIFY(!engine->SeekToBar("9"));
        QVERIFY(!engine->SeekToBar("x"));
        QCOMPARE(engine->GetTickIndex(), UInt32(2000));
        QVERIFY(Contains(engine->Probe().Journal(), "SeekToBar(\"x\")->false"));
        engine->SeekToNextMeasure();
        QCOMPARE(engine->GetTickIndex(), UInt32(960 + 1440));
        engine->SeekToPreviousMeasure();
        QCOMPARE(engine->GetTickIndex(), UInt32(960));
        engine->SeekToPreviousMeasure();
        QCOMPARE(engine->GetTickIndex(), UInt32(480));
    }

    void gridLookups()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "," + FourFourSong("2") + "]",
                                   {{"1", {Ev<CL::Click>(barStart(3), barStart(4), "CLK1", 8)}}});
        auto engine = MakeEngine(show);
        QCOMPARE(engine->GetBarBeatByTick(barStart(2) - 20).bar_number(), std::string("2"));
        QCOMPARE(engine->GetBarBeatByTick(barStart(2) - 20, true, false).beat, 4);
        QCOMPARE(engine->GetBarBeatLeftByTick(barStart(2) - 1).bar_number(), std::string("1"));
        QCOMPARE(engine->GetBarBeatByTick(barStart(3) + 250, true, false).beat, 2);
        QCOMPARE(engine->GetBarBeatByTick(barStart(3) + 250, false, false).beat, 1);
        QCOMPARE(engine->GetAvailableShiftAfterBarBeat(barStart(3), true), UInt32(239));
        QCOMPARE(engine->GetAvailableShiftAfterBarBeat(barStart(3), false), UInt32(479));
        const auto beats = engine->GetBarsBeats("1");
        QCOMPARE(beats[beats.size() - 1].tick, UInt32(32 * kBar));
        QCOMPARE(beats[beats.size() - 1].bar_number(), std::string("33"));
        QVERIFY(engine->GetBarsBeats("9").empty());
        QCOMPARE(engine->GetTimeline().GetTempos().at(0).bpm(24), 120.0);

        engine->Play();
        engine->LoadSongAtTime("2", barStart(3));
        QVERIFY(engine->GetIsPlaying());
        QCOMPARE(engine->GetCurrentSongNumber(), std::string("2"));
        QCOMPARE(engine->GetTickIndex(), barStart(3));
        engine->LoadSong("1");
        QVERIFY(engine->IsStopped());
        engine->SetOutputDeviceUid(nullptr);
        QCOMPARE(engine->GetOutputDeviceUid(), std::string());
    }

    void songEndWithAttaccaPlaysOn()
    {
        const auto show = MakeShow("[" + FourFourSong("1", 2, R"(, "attacca": 1)") + "," + FourFourSong("2", 2) + ","
                                   + FourFourSong("3", 2) + "]");
        auto engine = MakeEngine(show);
        engine->Play();
        engine->Probe().Advance(milliseconds(5000));
        QCOMPARE(engine->GetCurrentSongNumber(), std::string("2"));
        QVERIFY(engine->GetIsPlaying());
        engine->Probe().Advance(milliseconds(4000));
        QCOMPARE(engine->GetCurrentSongNumber(), std::string("3"));
        QVERIFY(engine->IsStopped());
        QCOMPARE(engine->GetTickIndex(), UInt32(0));
    }

    void callbacksMayCallBackIntoTheEngine()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]");
        auto engine = MakeEngine(show);
        notify::EventObserver observer;
        std::atomic<int> seen{0};
        auto* raw = engine.get();
        observer.SetCallbackFunc(
            [&](int, int, const char*, void*) {
                raw->GetTickIndex();
                if (++seen == 3)
                    raw->Pause(false);
            },
            nullptr);
        observer.RegisterPlayhead(13);
        engine->Play();
        engine->Probe().Advance(milliseconds(200));
        QVERIFY(engine->GetIsPaused());
        QCOMPARE(seen.load(), 3);
    }
};

QTEST_GUILESS_MAIN(TestEngineTransport)
#include "test_engine_transport.moc"
