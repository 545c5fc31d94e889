#include "engine_fixture.h"

#include <vemo_midi/midi.h>

#include <QtTest>

using namespace enginetest;
using notify::EventKind;
using std::chrono::milliseconds;

namespace {

struct OscCall {
    bool enqueued;
    std::string id;
    std::string message;
    unsigned delayMs;
    std::thread::id thread;
};

class RecordingOsc : public vemo::PlayerOscCallback {
public:
    void ExecuteEvent(const CL::Osc& cue, unsigned delayMs) override { Add(false, cue, delayMs); }
    void EnqueueEvent(const CL::Osc& cue, unsigned delayMs) override { Add(true, cue, delayMs); }
    void SetDefaultPort(uint16_t port) override { defaultPort = port; }

    std::vector<OscCall> Calls()
    {
        std::lock_guard lock(mutex);
        return calls;
    }
    std::atomic<int> defaultPort{0};

private:
    void Add(bool enqueued, const CL::Osc& cue, unsigned delayMs)
    {
        std::lock_guard lock(mutex);
        calls.push_back({enqueued, cue.EventId(), cue.osc_properties().Message(), delayMs, std::this_thread::get_id()});
    }
    std::mutex mutex;
    std::vector<OscCall> calls;
};

std::shared_ptr<cmn::VemoEvent> oscCue(UInt32 tick, const std::string& id)
{
    return Ev<CL::Osc>(tick, id, CL::OscProperties("/lights/go " + id, "NETWORK0"));
}

}  // namespace

class TestEngineCues : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { vemo::midi::testing::SetSources(std::nullopt); }

    void fadeStopsAndCallsDoneOnceOnTheEngineThread()
    {
        auto engine = MakeEngine(MakeShow("[" + FourFourSong("1") + "]"));
        Recorder recorder;
        std::atomic<int> calls{0};
        std::thread::id doneThread;
        engine->Play();
        engine->Probe().Advance(milliseconds(500));
        recorder.Clear();
        engine->Fade(
            [&] {
                ++calls;
                doneThread = std::this_thread::get_id();
            },
            1.0f);
        engine->Probe().Advance(milliseconds(1500));
        QCOMPARE(calls.load(), 1);
        QVERIFY(doneThread != std::this_thread::get_id());
        QVERIFY(engine->GetIsFaded());
        QVERIFY(!engine->GetIsPlaying());
        QCOMPARE(engine->GetTickIndex(), UInt32(480 + 960));
        const auto notes = recorder.Notes();
        QCOMPARE(notes.front().kind, EventKind::PlaybackFading);
        const auto volumes = recorder.Of(EventKind::StatusVolume);
        QCOMPARE(volumes.size(), std::size_t(50));
        QVERIFY(volumes.front().value < 1000 && volumes.back().value == 0);
        QCOMPARE(recorder.Of(EventKind::PlaybackStopped).size(), std::size_t(1));
        QVERIFY(Contains(engine->Probe().Journal(), "> fade.done"));
        engine->CancelFade();
        QVERIFY(!engine->GetIsFaded());
    }

    void replacedOrCancelledFadesNeverCallDone_data()
    {
        QTest::addColumn<QString>("interruption");
        QTest::newRow("replaced") << "replaced";
        QTest::newRow("cancelled") << "cancelled";
        QTest::newRow("stopped") << "stopped";
        QTest::newRow("song load") << "song load";
        QTest::newRow("play") << "play";
    }
    void replacedOrCancelledFadesNeverCallDone()
    {
        QFETCH(QString, interruption);
        auto engine = MakeEngine(MakeShow("[" + FourFourSong("1") + "," + FourFourSong("2") + "]"));
        Recorder recorder;
        std::atomic<int> first{0}, second{0};
        engine->Play();
        engine->Fade([&] { ++first; }, 1.0f);
        engine->Probe().Advance(milliseconds(400));
        if (interruption == "replaced")
            engine->Fade([&] { ++second; }, 0.0f);
        else if (interruption == "cancelled")
            engine->CancelFade();
        else if (interruption == "stopped")
            engine->Stop();
        else if (interruption == "song load")
            engine->LoadSong("2");
        else
            engine->Play();
        engine->Probe().Advance(milliseconds(2000));
        QCOMPARE(first.load(), 0);
        QCOMPARE(second.load(), interruption == "replaced" ? 1 : 0);
        if (interruption != "replaced") {
            QCOMPARE(recorder.Of(EventKind::StatusVolume).back().value, 1000);
            QVERIFY(!engine->GetIsFaded());
        }
        if (interruption == "play")
            QVERIFY(engine->GetIsPlaying());
    }

    void fadeToRampsTheMasterGain()
    {
        auto engine = MakeEngine(MakeShow("[" + FourFourSong("1") + "]"));
        Recorder recorder;
        std::atomic<int> calls{0};
        engine->Play();
        engine->FadeTo([&] { ++calls; }, 0.2f, 0.5f);
        engine->Probe().Advance(milliseconds(400));
        QCOMPARE(calls.load(), 1);
        QCOMPARE(engine->GetVolume(), 0.5);
        QVERIFY(engine->GetIsPlaying());
        QVERIFY(!engine->GetIsFaded());
        QCOMPARE(recorder.Of(EventKind::PlaybackFading).size(), std::size_t(1));
        QCOMPARE(recorder.Of(EventKind::PlaybackStarted).size(), std::size_t(2));
        QCOMPARE(recorder.Of(EventKind::StatusVolume).back().value, 500);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, engine->FadeTo({}, NAN, 1.0f));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, engine->SetVolume(NAN));
        engine->SetVolume(9.0);
        QCOMPARE(engine->GetVolume(), 4.0);
    }

    void oscCuesExecutedWhilePlayingAndEnqueuedWhileStopped()
    {
        auto osc = std::make_shared<RecordingOsc>();
        auto engine = MakeEngine(MakeShow("[" + FourFourSong("1") + "]", {{"1", {oscCue(0, "OSC1"), oscCue(barStart(2), "OSC2")}}}), osc);
        QVERIFY(osc->Calls().empty());
        engine->Play();
        engine->Probe().Advance(milliseconds(2100));
        auto calls = osc->Calls();
        QCOMPARE(calls.size(), std::size_t(2));
        QCOMPARE(calls[0].id, std::string("OSC1"));
        QCOMPARE(calls[1].id, std::string("OSC2"));
        QCOMPARE(calls[1].message, std::string("/lights/go OSC2"));
        QVERIFY(!calls[0].enqueued && !calls[1].enqueued);
        QVERIFY(calls[1].delayMs <= 20);
        QVERIFY(calls[1].thread != std::this_thread::get_id());

        engine->Stop();
        engine->Seek(barStart(2));
        engine->Probe().Drain();
        calls = osc->Calls();
        QCOMPARE(calls.size(), std::size_t(4));
        QVERIFY(calls[2].enqueued && calls[2].id == "OSC1" && calls[2].delayMs == 0);
        QVERIFY(calls[3].enqueued && calls[3].id == "OSC2" && calls[3].delayMs == 0);
        engine->Seek(barStart(2));
        engine->Play();
        engine->Probe().Advance(milliseconds(500));
        QCOMPARE(osc->Calls().size(), std::size_t(4));
        QVERIFY(Contains(engine->Probe().Journal(), "> osc.EnqueueEvent OSC2 \"/lights/go OSC2\" 0"));
    }

    void oscCuesInLoopsRefireAndInCutsNever()
    {
        auto osc = std::make_shared<RecordingOsc>();
        auto engine = MakeEngine(MakeShow("[" + FourFourSong("1") + "]",
                                          {{"1", {Ev<CL::Vamp>(barStart(2), barStart(3), "VAMP1", 3), oscCue(barStart(2) + 480, "OSC1"),
                                                  Ev<CL::Cut>(barStart(4), barStart(5), "CUT1", 0), oscCue(barStart(4) + 480, "OSC2")}}}),
                                 osc);
        engine->Play();
        engine->Probe().Advance(milliseconds(12000));
        int first = 0, second = 0;
        for (const auto& call : osc->Calls()) {
            first += call.id == "OSC1";
            second += call.id == "OSC2";
        }
        QCOMPARE(first, 3);
        QCOMPARE(second, 0);
        engine->DoOscProcessing(false);
        engine->Stop();
        engine->Play();
        engine->Probe().Advance(milliseconds(3000));
        QCOMPARE(int(osc->Calls().size()), 3);
    }

    void defaultPortGoesToTheCallbackOnTheEngineThread()
    {
        auto osc = std::make_shared<RecordingOsc>();
        auto engine = MakeEngine(MakeShow("[" + FourFourSong("1") + "]"), osc);
        engine->SetOscControlDefaultPort(9100);
        engine->Probe().Drain();
        QCOMPARE(osc->defaultPort.load(), 9100);
    }

    void probeHooksActOnTheEngineThread()
    {
        auto osc = std::make_shared<RecordingOsc>();
        auto engine = MakeEngine(MakeShow("[" + FourFourSong("1") + "," + FourFourSong("2") + "]",
                                          {{"2", {Ev<CL::Marker>(0, "Bridge", "MRK1")}}}),
                                 osc);
        Recorder recorder;
        engine->Probe().FireOscCue(CL::Osc(0, "OSC7", CL::OscProperties("/x 1", "NETWORK0")), 5, true);
        engine->Probe().PublishFromEngineThread(EventKind::Marker, 42, "");
        const auto calls = osc->Calls();
        QCOMPARE(calls.size(), std::size_t(1));
        QVERIFY(calls[0].enqueued && calls[0].id == "OSC7" && calls[0].delayMs == 5);
        QVERIFY(calls[0].thread != std::this_thread::get_id());
        QCOMPARE(recorder.Of(EventKind::Marker).at(0).value, 42);
        QVERIFY(recorder.AllFrom(std::this_thread::get_id()));
        engine->Probe().SetTransport(true, false, false);
        engine->Probe().SetPosition("2", 960);
        QVERIFY(engine->GetIsPlaying());
        QCOMPARE(engine->GetCurrentSongNumber(), std::string("2"));
        QCOMPARE(engine->GetTickIndex(), UInt32(960));
        QCOMPARE(engine->GetChangeLogEditor()->GetEventsByEventId().count("MRK1"), std::size_t(1));
        engine->Probe().Drain();
        QCOMPARE(recorder.Notes().size(), std::size_t(1));
        std::thread::id ran;
        engine->Probe().RunOnEngineThread([&] { ran = std::this_thread::get_id(); });
        QVERIFY(ran != std::this_thread::get_id());
    }

    void midiLearnIsAnsweredByLearnedOrCancelled()
    {
        const auto show = MakeShow("[" + FourFourSong("1") + "]");
        auto engine = MakeEngine(show);
        Recorder recorder;
        engine->SetMidiSource(0);
        QVERIFY(engine->HasMidiSource());
        engine->LearnMidiCommand(0);
        QVERIFY(engine->IsMidiCommandLearning(0));
        vemo::midi::testing::Inject(0, {0x91, 60, 100});
        engine->Probe().Drain();
        auto learned = recorder.Of(EventKind::LearnedMIDICommand);
        QCOMPARE(learned.size(), std::size_t(1));
        QCOMPARE(learned[0].value, (0 << 16) | (0x91 << 8) | 60);
        QVERIFY(!engine->GetIsPlaying());
        const auto command = engine->GetLearnedCommands().at(0);
        QCOMPARE(int(command.status), 0x90);
        QCOMPARE(int(command.channel), 1);
        QCOMPARE(int(command.note), 60);
        QVERIFY(std::filesystem::exists(show.dataDirectory / "midi_commands.json"));

        vemo::midi::testing::Inject(0, {0x91, 60, 100});
        engine->Probe().Drain();
        QVERIFY(engine->GetIsPlaying());
        QCOMPARE(recorder.Of(EventKind::MidiNotification).size(), std::size_t(2));

        engine->LearnMidiCommand(1);
        engine->LearnMidiCommand(2);
        engine->LearnMidiCommand(99);
        engine->Probe().Drain();
        std::vector<int> cancelled;
        for (const auto& n : recorder.Of(EventKind::MIDICommandCanceled))
            cancelled.push_back(n.value);
        QCOMPARE(cancelled, (std::vector<int>{1, 2, 99}));
        engine->LearnMidiCommand(3);
        engine->Probe().Advance(milliseconds(9980));
        QCOMPARE(recorder.Of(EventKind::MIDICommandCanceled).size(), std::size_t(3));
        engine->Probe().Advance(milliseconds(40));
        QCOMPARE(recorder.Of(EventKind::MIDICommandCanceled).back().value, 3);
        QVERIFY(!engine->IsMidiCommandLearning(3));
    }

    void midiFadeOutEndsInTheNextSong()
    {
        auto engine = MakeEngine(MakeShow("[" + FourFourSong("1") + "," + FourFourSong("2") + "]"));
        engine->SetMidiSource(0);
        engine->SetMidiCommand(7, 0xB0, 2, 20);
        engine->SetMidiCommand(0, 0x90, 0, 60);
        engine->SetMidiCommand(200, 0x90, 0, 61);
        QCOMPARE(engine->GetLearnedCommands().count(200), std::size_t(0));
        vemo::midi::testing::Inject(0, {0x90, 60, 0});
        vemo::midi::testing::Inject(0, {0xB2, 20, 0});
        engine->Probe().Drain();
        QVERIFY(!engine->GetIsPlaying());
        vemo::midi::testing::Inject(0, {0x90, 60, 1});
        vemo::midi::testing::Inject(0, {0xB2, 20, 127});
        engine->Probe().Advance(milliseconds(3100));
        QCOMPARE(engine->GetCurrentSongNumber(), std::string("2"));
        QVERIFY(!engine->GetIsFaded());
        QVERIFY(engine->IsStopped());
    }

    void noteOnWithoutVelocityIsLearnedAsNoteOff()
    {
        auto engine = MakeEngine(MakeShow("[" + FourFourSong("1") + "]"));
        Recorder recorder;
        engine->SetMidiSource(1);
        engine->LearnMidiCommand(1);
        vemo::midi::testing::Inject(1, {0x90, 62, 0});
        engine->Probe().Drain();
        QCOMPARE(recorder.Of(EventKind::LearnedMIDICommand).at(0).value, (1 << 16) | (0x80 << 8) | 62);
        engine->SetMidiSource(5);
        QVERIFY(!engine->HasMidiSource());
    }

    void soundEffectCuesReachTheCallback()
    {
        struct RecordingSfx : vemo::SfxCallback {
            std::vector<std::string> calls;
            void StopAllEffects() override { calls.push_back("stopAll"); }
            void StopAmbientEffects() override { calls.push_back("stopAmbient"); }
            void StopPrimaryEffects() override { calls.push_back("stopPrimary"); }
            void TriggerSfx(CL::SfxAmbient& e) override { calls.push_back("ambient " + e.EventId()); }
            void TriggerSfx(CL::Sfx& e) override { calls.push_back("trigger " + e.EventId()); }
            void RegisterAmbientPlayer(CL::SfxAmbient& e, const vemo::SongState& state) override
            {
                std::shared_lock lock(state.mutex);
                calls.push_back("register " + e.EventId() + " " + state.currentSongNumber);
            }
            void ProcessAmbientEvents(unsigned, unsigned, std::string) override {}
        };
        CL::SfxProperties thunder;
        thunder.setEffectId("thunder");
        const auto show = MakeShow("[" + FourFourSong("1") + "," + FourFourSong("2") + "]",
                                   {{"2", {Ev<CL::Sfx>(480, "SFX1", thunder), Ev<CL::SfxAmbient>(0, barStart(3), "AMB1", thunder)}}});
        vemo::AudioInterface engine(show.folder.string(), show.dataDirectory.string(), true, nullptr, ManualClock());
        auto sfx = std::make_shared<RecordingSfx>();
        engine.SetSfxCallback(sfx);
        engine.LoadSong("2");
        engine.Play();
        engine.Probe().Advance(milliseconds(1000));
        engine.Pause(false);
        engine.Probe().Drain();
        QCOMPARE(sfx->calls, (std::vector<std::string>{"stopAll", "register AMB1 2", "trigger SFX1", "stopAmbient"}));
    }
};

QTEST_GUILESS_MAIN(TestEngineCues)
#include "test_engine_cues.moc"
