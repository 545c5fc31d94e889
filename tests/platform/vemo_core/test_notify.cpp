#include "vemo_core/notify.h"

#include <QTest>

#include <atomic>
#include <condition_variable>
#include <fstream>
#include <future>
#include <thread>

#include <sys/syscall.h>
#include <unistd.h>

namespace {

// True while the thread sleeps in a futex wait (a mutex or condition variable it is blocked on).
bool sleepsInAWait(pid_t thread)
{
    std::ifstream syscall("/proc/self/task/" + std::to_string(thread) + "/syscall");
    long number = -1;
    syscall >> number;
    return number == SYS_futex;
}

} // namespace

class TestNotify : public QObject {
    Q_OBJECT

private slots:
    void observerDeliversRegisteredKinds()
    {
        notify::EventObserver observer;
        std::vector<std::string> received;
        int user = 0;
        observer.SetCallbackFunc([&](int id, int value, const char* text, void* u) {
            QCOMPARE(u, static_cast<void*>(&user));
            received.push_back(std::to_string(id) + " " + std::to_string(value) + " " + (text ? text : "null"));
        }, &user);
        observer.RegisterPlayhead(102);
        observer.RegisterBarBeat(101);
        observer.RegisterBarBeat(100);
        notify::Publish(notify::EventKind::Playhead, 960, nullptr);
        notify::Publish(notify::EventKind::BarBeat, 0, "0012:03");
        notify::Publish(notify::EventKind::Key, 0, "C");
        const std::vector<std::string> expected = {"102 960 null", "100 0 0012:03"};
        QCOMPARE(received, expected);
        observer.SetCallbackFunc({}, nullptr);
        notify::Publish(notify::EventKind::Playhead, 1, nullptr);
        QCOMPARE(received.size(), std::size_t(2));
    }

    void throwingObserverDoesNotStopOthers()
    {
        notify::EventObserver throwing;
        notify::EventObserver counting;
        int calls = 0;
        throwing.SetCallbackFunc([](int, int, const char*, void*) { throw std::runtime_error("boom"); }, nullptr);
        counting.SetCallbackFunc([&](int, int, const char*, void*) { ++calls; }, nullptr);
        throwing.RegisterSongLoaded(1);
        counting.RegisterSongLoaded(2);
        notify::Publish(notify::EventKind::SongLoaded, 0, "2");
        notify::Publish(notify::EventKind::SongLoaded, 0, "3");
        QCOMPARE(calls, 2);
    }

    // The callback is held until the destroying thread provably sleeps in a wait: a destructor that
    // returns early is seen to have returned while the callback still runs.
    void observerDestructorWaitsForARunningCallback()
    {
        auto observer = std::make_unique<notify::EventObserver>();
        std::promise<void> entered;
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        std::atomic<bool> finished{false};
        observer->SetCallbackFunc([&](int, int, const char*, void*) {
            entered.set_value();
            released.wait();
            finished = true;
        }, nullptr);
        observer->RegisterVampOn(19);
        std::thread publisher([] { notify::Publish(notify::EventKind::VampOn, 0, nullptr); });
        entered.get_future().wait();
        std::atomic<pid_t> destroyerId{0};
        std::atomic<bool> destroyed{false};
        std::thread destroyer([&] {
            destroyerId = gettid();
            observer.reset();
            destroyed = true;
        });
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!destroyed && !(destroyerId && sleepsInAWait(destroyerId)) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const bool returnedEarly = destroyed;
        const bool blocked = !returnedEarly && sleepsInAWait(destroyerId);
        release.set_value();
        destroyer.join();
        publisher.join();
        QVERIFY2(!returnedEarly, "the destructor returned while the callback was running");
        QVERIFY(blocked);
        QVERIFY(finished);
        notify::Publish(notify::EventKind::VampOn, 0, nullptr);
    }

    void dispatcherCallsInSubscriptionOrder()
    {
        notify::CallbackDispatcher dispatcher;
        std::string calls;
        int a = 0;
        int b = 0;
        dispatcher.Subscribe(notify::names::EVT_MARKER_PANEL_SELECTED, &a, [&](void* payload) {
            calls += "a" + std::to_string(*static_cast<int*>(payload));
        });
        dispatcher.Subscribe(notify::names::EVT_MARKER_PANEL_SELECTED, &b, [&](void*) { calls += "b"; });
        dispatcher.Subscribe(notify::names::editControllerShowEditor, &a, [&](void*) { calls += "s"; });
        int row = 4;
        dispatcher.Notify(notify::names::EVT_MARKER_PANEL_SELECTED, &row);
        QCOMPARE(calls, std::string("a4b"));
        dispatcher.RemoveCallbacksForTarget(&a);
        dispatcher.Notify(notify::names::EVT_MARKER_PANEL_SELECTED, &row);
        dispatcher.Notify(notify::names::editControllerShowEditor);
        QCOMPARE(calls, std::string("a4bb"));
    }

    void dispatcherIsReentrant()
    {
        notify::CallbackDispatcher dispatcher;
        std::string calls;
        int first = 0;
        int second = 0;
        int late = 0;
        dispatcher.Subscribe("x", &first, [&](void*) {
            calls += "1";
            dispatcher.RemoveCallbacksForTarget(&second);
            dispatcher.Subscribe("x", &late, [&](void*) { calls += "L"; });
            dispatcher.Notify("y");
        });
        dispatcher.Subscribe("x", &second, [&](void*) { calls += "2"; });
        dispatcher.Subscribe("y", &first, [&](void*) { calls += "y"; });
        dispatcher.Notify("x");
        QCOMPARE(calls, std::string("1y"));
        calls.clear();
        dispatcher.RemoveCallbacksForTarget(&first);
        dispatcher.Notify("x");
        QCOMPARE(calls, std::string("L"));
    }

    void globalDispatcherAndNames()
    {
        int target = 0;
        bool needsSave = false;
        notify::callbackDispatcher.Subscribe(notify::names::editModelChangeLogNeedsSave, &target,
            [](void* payload) { *static_cast<bool*>(payload) = true; });
        notify::callbackDispatcher.Notify(notify::names::editModelChangeLogNeedsSave, &needsSave);
        notify::callbackDispatcher.RemoveCallbacksForTarget(&target);
        QVERIFY(needsSave);
        QCOMPARE(notify::names::editModelUpdatedSelectedVemoEvent, std::string_view("editModelUpdatedSelectedVemoEvent"));
    }
};

QTEST_GUILESS_MAIN(TestNotify)
#include "test_notify.moc"
