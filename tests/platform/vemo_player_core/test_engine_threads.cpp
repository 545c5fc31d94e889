#include "engine_fixture.h"

#include <QtTest>

#include <condition_variable>

using namespace enginetest;
using notify::EventKind;

namespace {

vemo::AudioInterface::Options fastRealtime()
{
    vemo::AudioInterface::Options options;
    options.clock = vemo::AudioInterface::Options::Clock::Realtime;
    options.speed = 40.0;
    return options;
}

// Waits until `condition` holds or ten seconds pass (the engine runs on its own real-time clock).
template<class F>
bool waitFor(F condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

}  // namespace

class TestEngineThreads : public QObject {
    Q_OBJECT
private slots:
    // The notification path under load: a whole song at high clock speed while this thread drives
    // the transport, edits and reloads the log, and the callback calls back into the engine.
    void transportCallsWhilePlayingAWholeSong()
    {
        const auto folder = CopyShow(DemoShowSource(), "demo");
        vemo::AudioInterface engine(folder.string(), (vemo::testing::TestRoot() / "data").string(), false, nullptr,
                                    fastRealtime());
        engine.ThrowIfThreadExceptions();
        std::atomic<int> songsLoaded{0};
        std::atomic<int> playheads{0};
        notify::EventObserver observer;
        observer.SetCallbackFunc(
            [&](int id, int, const char*, void*) {
                if (id == int(EventKind::SongLoaded))
                    ++songsLoaded;
                if (id == int(EventKind::Playhead)) {
                    ++playheads;
                    engine.GetTickIndex();
                }
                if (id == int(EventKind::StatusFlowControl))
                    engine.GetIsPlaying();
            },
            nullptr);
        for (int kind = 0; kind < notify::kEventKindCount; ++kind)
            observer.Register(static_cast<EventKind>(kind), kind);
        engine.Probe().Drain();
        const int loadedBefore = songsLoaded.load();
        engine.Play();
        auto* editor = engine.GetChangeLogEditor();
        editor->SelectSongLogForEditing("1");
        int round = 0;
        const bool ended = waitFor([&] {
            ++round;
            engine.GetTickIndex();
            engine.GetBarBeatByTick(engine.GetTickIndex());
            if (round % 50 == 0)
                engine.SetVolume(0.5 + (round % 100) / 200.0);
            if (round % 200 == 0) {
                engine.Pause(false);
                engine.Play();
            }
            if (round % 300 == 0)
                engine.FlowControlExit();
            if (round % 500 == 0) {
                editor->AddEvent(CL::Marker(static_cast<UInt32>(round % 20000), "Cue", ""));
                engine.LoadNewChangeLog();
            }
            return songsLoaded.load() > loadedBefore && engine.GetCurrentSongNumber() == "2";
        });
        QVERIFY(ended);
        QVERIFY(playheads.load() > 100);
        engine.Stop();
        engine.Probe().Drain();
    }

    // Destroying an engine while it plays, fades and delivers joins its thread: nothing arrives after
    // the reset, and no fade's done is ever called.
    void destructionWhilePlayingAndFading()
    {
        const auto folder = CopyShow(DemoShowSource(), "demo");
        std::atomic<int> delivered{0};
        std::atomic<int> doneCalls{0};
        notify::EventObserver observer;
        std::mutex mutex;
        std::condition_variable fading;
        int volumes = 0;
        observer.SetCallbackFunc(
            [&](int id, int, const char*, void*) {
                // Slow deliveries: one is likely in flight when the engine goes.
                std::this_thread::sleep_for(std::chrono::microseconds(300));
                ++delivered;
                if (id == int(EventKind::StatusVolume)) {
                    std::lock_guard lock(mutex);
                    ++volumes;
                    fading.notify_all();
                }
            },
            nullptr);
        for (int kind = 0; kind < notify::kEventKindCount; ++kind)
            observer.Register(static_cast<EventKind>(kind), kind);
        for (int i = 0; i < 5; ++i) {
            auto engine = std::make_unique<vemo::AudioInterface>(folder.string(),
                                                                 (vemo::testing::TestRoot() / "data").string(), true,
                                                                 nullptr, fastRealtime());
            engine->Play();
            engine->Fade([&] { ++doneCalls; }, 30.0f);
            engine->FadeTo([&] { ++doneCalls; }, 30.0f, 0.2f);
            {
                std::unique_lock lock(mutex);
                const int before = volumes;
                QVERIFY(fading.wait_for(lock, std::chrono::seconds(10), [&] { return volumes > before + 2; }));
            }
            engine.reset();
            const int atReset = delivered.load();
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            QCOMPARE(delivered.load(), atReset);
        }
        QCOMPARE(doneCalls.load(), 0);
    }
};

QTEST_GUILESS_MAIN(TestEngineThreads)
#include "test_engine_threads.moc"
