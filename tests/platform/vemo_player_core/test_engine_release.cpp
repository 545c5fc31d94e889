#include "engine_fixture.h"

#include <QtTest>

#include <chrono>
#include <condition_variable>
#include <fstream>

using namespace enginetest;
using notify::EventKind;

namespace {

// True while some thread of this process is named like the engine's thread.
bool engineThreadRunning()
{
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        if (name == "vemo-engine")
            return true;
    }
    return false;
}

// Holds the only reference to an engine and drops it from inside the first notification of
// `releaseOn`; records every notification that arrives after that.
class ReleasingObserver {
public:
    ReleasingObserver(std::shared_ptr<vemo::AudioInterface> engine, EventKind releaseOn)
        : engine_(std::move(engine))
    {
        observer_.SetCallbackFunc(
            [this, releaseOn](int id, int, const char*, void*) {
                std::unique_lock lock(mutex_);
                if (released_) {
                    late_.push_back(id);
                    return;
                }
                if (id != int(releaseOn))
                    return;
                auto last = std::move(engine_);
                lock.unlock();
                last.reset();
                lock.lock();
                released_ = true;
                changed_.notify_all();
            },
            nullptr);
        for (int kind = 0; kind < notify::kEventKindCount; ++kind)
            observer_.Register(static_cast<EventKind>(kind), kind);
    }

    bool WaitForRelease()
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), [this] { return released_; });
    }

    std::vector<int> Late() const
    {
        std::lock_guard lock(mutex_);
        return late_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::shared_ptr<vemo::AudioInterface> engine_;
    bool released_ = false;
    std::vector<int> late_;
    notify::EventObserver observer_;  // last: it goes first and waits for a running callback
};

}  // namespace

class TestEngineRelease : public QObject {
    Q_OBJECT
private slots:
    // The last reference to an engine may go inside one of its own callbacks (a show replaced from
    // a notification): the engine stops delivering, its thread leaves, and the process goes on.
    void releasedInsideItsOwnCallback_data()
    {
        QTest::addColumn<bool>("fromOutbox");
        QTest::newRow("a song load's notifications") << true;
        QTest::newRow("a notification run as an engine-thread task") << false;
    }

    void releasedInsideItsOwnCallback()
    {
        QFETCH(bool, fromOutbox);
        const auto show = MakeShow("[" + FourFourSong("1") + "," + FourFourSong("2") + "]");
        std::shared_ptr<vemo::AudioInterface> engine = MakeEngine(show);
        auto* raw = engine.get();
        ReleasingObserver observer(std::move(engine), fromOutbox ? EventKind::SongLoaded : EventKind::Marker);
        if (fromOutbox)
            raw->LoadSong("2");
        else
            raw->Probe().PublishFromEngineThread(EventKind::Marker, 960, "");
        QVERIFY(observer.WaitForRelease());
        QTRY_VERIFY_WITH_TIMEOUT(!engineThreadRunning(), 5000);
        QTest::qWait(200);
        QCOMPARE(observer.Late(), std::vector<int>{});
    }
};

QTEST_GUILESS_MAIN(TestEngineRelease)
#include "test_engine_release.moc"
