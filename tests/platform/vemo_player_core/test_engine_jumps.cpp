#include "engine_fixture.h"

#include <QtTest>

using namespace enginetest;
using notify::EventKind;
using std::chrono::milliseconds;

namespace {

// 16 bars: 4/4 at 120 bpm in C major up to bar 5 (tick 7680), then 3/4 at 60 bpm in D major (bar 6 at 9120).
std::string changingSong(const std::string& number)
{
    return R"({"number": ")" + number + R"(", "title": "Song )" + number + R"(", "bars": 16,
        "meters": [{"bar": 1, "num": 4, "den": 4}, {"bar": 5, "num": 3, "den": 4}],
        "tempos": [{"bar": 1, "bpm": 120}, {"bar": 5, "bpm": 60}],
        "keys": [{"bar": 1, "sf": 0, "mi": 0}, {"bar": 5, "sf": 2, "mi": 0}]})";
}

constexpr UInt32 kChangeTick = 7680;
constexpr UInt32 kBarSixTick = 9120;

std::vector<std::string> textsAfter(const std::vector<Note>& notes, std::size_t from, EventKind kind)
{
    std::vector<std::string> out;
    for (std::size_t i = from; i < notes.size(); ++i) {
        if (notes[i].kind == kind)
            out.push_back(notes[i].text);
    }
    return out;
}

// The last key, tempo and meter texts a recorder saw.
std::vector<std::string> lastMaps(const Recorder& recorder)
{
    std::vector<std::string> out;
    for (const auto kind : {EventKind::Key, EventKind::Tempo, EventKind::Meter}) {
        const auto texts = recorder.Texts(kind);
        out.push_back(texts.empty() ? std::string() : texts.back());
    }
    return out;
}

// What a song load at `tick` reports as the key, tempo and meter there.
std::vector<std::string> mapsAt(vemo::AudioInterface& engine, const std::string& song, UInt32 tick)
{
    Recorder recorder;
    engine.LoadSongAtTime(song, tick);
    engine.Probe().Drain();
    return lastMaps(recorder);
}

class CountingOsc : public vemo::PlayerOscCallback {
public:
    void ExecuteEvent(const CL::Osc&, unsigned) override { ++calls; }
    void EnqueueEvent(const CL::Osc&, unsigned) override { ++calls; }
    void SetDefaultPort(uint16_t) override {}
    std::atomic<int> calls{0};
};

std::size_t countOf(const std::vector<std::string>& texts, const std::string& text)
{
    return static_cast<std::size_t>(std::count(texts.begin(), texts.end(), text));
}

}  // namespace

class TestEngineJumps : public QObject {
    Q_OBJECT
private slots:
    // Playback never runs inside a cut, however it starts: it moves to the cut's end first and
    // nothing inside the cut goes out. A seek while stopped or paused may still park inside.
    void playbackLeavesACutItStartsIn_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("seek while playing") << "seek";
        QTest::newRow("load at a time while playing") << "load at time";
        QTest::newRow("attacca into a song starting in a cut") << "attacca";
        QTest::newRow("play from a parked position") << "play parked";
        QTest::newRow("resume from a pause inside") << "resume";
    }

    void playbackLeavesACutItStartsIn()
    {
        QFETCH(QString, how);
        const std::vector<std::shared_ptr<cmn::VemoEvent>> cutSong = {
            Ev<CL::Cut>(barStart(3), barStart(5), "CUT1"), Ev<CL::Marker>(4900, "Inside", "MRK1"),
            Ev<CL::Osc>(5000, "OSC1", CL::OscProperties("/inside", "NETWORK0"))};
        const std::vector<std::shared_ptr<cmn::VemoEvent>> openingCut = {
            Ev<CL::Cut>(0, barStart(3), "CUT1"), Ev<CL::Marker>(1000, "Inside", "MRK1"),
            Ev<CL::Osc>(1200, "OSC1", CL::OscProperties("/inside", "NETWORK0"))};
        const bool attacca = how == "attacca";
        const auto show = MakeShow("[" + FourFourSong("1", attacca ? 2 : 16, attacca ? R"(, "attacca": 1)" : "") + ","
                                       + FourFourSong("2", 16) + "]",
                                   {{"1", attacca ? std::vector<std::shared_ptr<cmn::VemoEvent>>{} : cutSong},
                                    {"2", attacca ? openingCut : cutSong}});
        auto osc = std::make_shared<CountingOsc>();
        auto engine = MakeEngine(show, osc);
        Recorder recorder;
        UInt32 landing = barStart(5);
        if (how == "seek") {
            engine->Play();
            engine->Seek(4000);
        } else if (how == "load at time") {
            engine->Play();
            engine->LoadSongAtTime("2", 4000);
        } else if (how == "attacca") {
            engine->Play();
            engine->Probe().Advance(milliseconds(4100));
            landing = barStart(3);
        } else if (how == "play parked") {
            engine->Seek(4000);
            QCOMPARE(engine->GetTickIndex(), UInt32(4000));
            engine->Probe().Drain();
            recorder.Clear();
            engine->Play();
        } else {
            engine->Play();
            engine->Pause(false);
            engine->Seek(4000);
            QCOMPARE(engine->GetTickIndex(), UInt32(4000));
            engine->Probe().Drain();
            recorder.Clear();
            engine->Play();
        }
        engine->Probe().Drain();
        QVERIFY2(engine->GetTickIndex() >= landing && engine->GetTickIndex() < landing + 200,
                 qPrintable(QString::number(engine->GetTickIndex())));
        engine->Probe().Advance(milliseconds(1000));
        QVERIFY(engine->GetTickIndex() >= landing + 900);
        QCOMPARE(recorder.Of(EventKind::Marker).size(), std::size_t(0));
        QCOMPARE(osc->calls.load(), 0);
        for (const auto& playhead : recorder.Of(EventKind::Playhead))
            QVERIFY2(playhead.value >= int(landing) || playhead.value < int(barStart(3)),
                     qPrintable(QString::number(playhead.value)));
    }

    // Every way a caesura hold ends clears the banner's flow control once.
    void everyHoldEndClearsTheCaesuraOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("continue") << "continue";
        QTest::newRow("flow-control exit") << "exit";
        QTest::newRow("stop") << "stop";
        QTest::newRow("seek") << "seek";
        QTest::newRow("pause then play") << "pause play";
        QTest::newRow("pause then seek") << "pause seek";
        QTest::newRow("song load") << "load";
    }

    void everyHoldEndClearsTheCaesuraOnce()
    {
        QFETCH(QString, how);
        const auto show = MakeShow("[" + FourFourSong("1") + "," + FourFourSong("2") + "]",
                                   {{"1", {Ev<CL::Caesura>(barStart(2), "CAE1")}}});
        auto engine = MakeEngine(show);
        Recorder recorder;
        engine->Play();
        engine->Probe().Advance(milliseconds(2500));
        QCOMPARE(engine->GetTickIndex(), barStart(2));
        QCOMPARE(recorder.Texts(EventKind::StatusFlowControl).back(), std::string("Caesura"));
        recorder.Clear();
        if (how == "continue") {
            engine->Continue();
        } else if (how == "exit") {
            engine->FlowControlExit();
        } else if (how == "stop") {
            engine->Stop();
        } else if (how == "seek") {
            engine->Seek(barStart(4));
        } else if (how == "pause play") {
            engine->Pause(false);
            engine->Play();
        } else if (how == "pause seek") {
            engine->Pause(false);
            engine->Seek(barStart(4));
        } else {
            engine->LoadSong("2");
        }
        engine->Probe().Advance(milliseconds(500));
        QCOMPARE(recorder.Texts(EventKind::StatusFlowControl), std::vector<std::string>{"ClearPickupBeat"});
    }

    // After any jump the banner shows the key, tempo and meter in force where playback landed.
    void mapsReportedAfterEveryJump_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("landsAfterTheChange");
        QTest::newRow("cut over the change") << "cut" << true;
        QTest::newRow("skip exit over the change") << "skip" << true;
        QTest::newRow("vamp looping back over the change") << "vamp" << false;
        QTest::newRow("seek over the change") << "seek" << true;
        QTest::newRow("song load at a time") << "load" << true;
    }

    void mapsReportedAfterEveryJump()
    {
        QFETCH(QString, how);
        QFETCH(bool, landsAfterTheChange);
        std::vector<std::shared_ptr<cmn::VemoEvent>> events;
        if (how == "cut")
            events.push_back(Ev<CL::Cut>(barStart(3), kBarSixTick, "CUT1"));
        else if (how == "skip")
            events.push_back(Ev<CL::Fermata>(barStart(3), kBarSixTick, "SKP1"));
        else if (how == "vamp")
            events.push_back(Ev<CL::Vamp>(barStart(2), kBarSixTick, "VMP1", 0));
        const auto show = MakeShow("[" + changingSong("1") + "," + changingSong("2") + "]", {{"1", events}});
        auto engine = MakeEngine(show);
        const auto later = mapsAt(*engine, "1", kBarSixTick + 100);
        const auto earlier = mapsAt(*engine, "1", 0);
        QVERIFY(later != earlier);
        Recorder recorder;
        engine->Play();
        if (how == "cut") {
            engine->Probe().Advance(milliseconds(4500));
        } else if (how == "skip") {
            engine->Probe().Advance(milliseconds(4500));
            engine->FlowControlExit();
        } else if (how == "vamp") {
            engine->Probe().Advance(milliseconds(2000 + 6000 + 3000 + 500));
            QVERIFY(engine->GetTickIndex() < kChangeTick);
        } else if (how == "seek") {
            engine->Probe().Advance(milliseconds(500));
            engine->Seek(kBarSixTick + 100);
        } else {
            engine->Probe().Advance(milliseconds(500));
            engine->LoadSongAtTime("2", kBarSixTick + 100);
        }
        engine->Probe().Drain();
        QCOMPARE(engine->GetTickIndex() >= kChangeTick, landsAfterTheChange);
        QCOMPARE(lastMaps(recorder), landsAfterTheChange ? later : earlier);
        if (how == "vamp")
            QCOMPARE(recorder.Texts(EventKind::Key).size(), std::size_t(2));
    }

    // Landing on a caesura by a jump holds it as arriving there by playing does.
    void caesuraAtAJumpsLandingIsHeld_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<UInt32>("caesura");
        QTest::newRow("cut's end") << "cut" << barStart(4);
        QTest::newRow("skip's end") << "skip" << barStart(4);
        QTest::newRow("loop start") << "repeat" << barStart(2);
        QTest::newRow("cut left when playback starts") << "play in cut" << barStart(4);
    }

    void caesuraAtAJumpsLandingIsHeld()
    {
        QFETCH(QString, how);
        QFETCH(UInt32, caesura);
        std::vector<std::shared_ptr<cmn::VemoEvent>> events{Ev<CL::Caesura>(caesura, "CAE1")};
        if (how == "cut" || how == "play in cut")
            events.push_back(Ev<CL::Cut>(barStart(2), barStart(4), "CUT1"));
        else if (how == "skip")
            events.push_back(Ev<CL::Fermata>(barStart(2), barStart(4), "SKP1"));
        else
            events.push_back(Ev<CL::Repeat>(barStart(2), barStart(4), "RPT1", 2));
        auto engine = MakeEngine(MakeShow("[" + FourFourSong("1") + "]", {{"1", events}}));
        Recorder recorder;
        if (how == "play in cut")
            engine->Seek(barStart(3));
        engine->Play();
        if (how == "repeat") {
            engine->Probe().Advance(milliseconds(2500));
            QCOMPARE(engine->GetTickIndex(), caesura);
            engine->Continue();
            engine->Probe().Advance(milliseconds(4500));
        } else if (how == "skip") {
            engine->Probe().Advance(milliseconds(2500));
            engine->FlowControlExit();
            engine->Probe().Advance(milliseconds(500));
        } else {
            engine->Probe().Advance(milliseconds(2500));
        }
        QCOMPARE(engine->GetTickIndex(), caesura);
        QVERIFY(engine->GetIsPlaying());
        const auto texts = recorder.Texts(EventKind::StatusFlowControl);
        QCOMPARE(countOf(texts, "Caesura"), std::size_t(how == "repeat" ? 2 : 1));
        QCOMPARE(texts.back(), std::string("Caesura"));
        engine->Continue();
        engine->Probe().Advance(milliseconds(500));
        QVERIFY(engine->GetTickIndex() > caesura);
    }

    // A song load that ends a pause says playback stopped, as one that ends playback does.
    void songLoadWhilePausedSendsStop_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("next song") << "next";
        QTest::newRow("load song") << "load";
        QTest::newRow("load song at a time") << "load at time";
    }

    void songLoadWhilePausedSendsStop()
    {
        QFETCH(QString, how);
        auto engine = MakeEngine(MakeShow("[" + FourFourSong("1") + "," + FourFourSong("2") + "]"));
        Recorder recorder;
        engine->Play();
        engine->Probe().Advance(milliseconds(500));
        engine->Pause(false);
        engine->Probe().Drain();
        const auto from = recorder.Notes().size();
        if (how == "next")
            engine->NextSong();
        else if (how == "load")
            engine->LoadSong("2");
        else
            engine->LoadSongAtTime("2", 960);
        engine->Probe().Drain();
        QVERIFY(!engine->GetIsPaused());
        QVERIFY(!engine->GetIsPlaying());
        const auto notes = recorder.Notes();
        QVERIFY(notes.size() > from);
        QCOMPARE(notes[from].kind, EventKind::PlaybackStopped);
        QCOMPARE(textsAfter(notes, from, EventKind::PlaybackStopped).size(), std::size_t(1));
    }
};

QTEST_GUILESS_MAIN(TestEngineJumps)
#include "test_engine_jumps.moc"
