#include "vemo_core/notify.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <iostream>
#include <thread>

namespace notify {

// One observer's delivery state, shared with the hub so that a publisher may hold it while the
// observer goes away.
struct EventObserver::State {
    std::mutex mutex;
    std::condition_variable idle;
    ObserverCallback callback;
    void* user = nullptr;
    std::array<int, kEventKindCount> ids{};
    std::array<bool, kEventKindCount> registered{};
    bool alive = true;
    std::vector<std::thread::id> running; // threads inside the callback now

    // Waits until no other thread runs the callback.
    void WaitForOtherThreads(std::unique_lock<std::mutex>& lock)
    {
        const std::thread::id self = std::this_thread::get_id();
        idle.wait(lock, [&] { return std::all_of(running.begin(), running.end(), [&](auto id) { return id == self; }); });
    }

    void Deliver(EventKind kind, int value, const char* text)
    {
        const auto index = static_cast<std::size_t>(kind);
        std::unique_lock lock(mutex);
        if (!alive || !callback || !registered[index])
            return;
        const ObserverCallback call = callback;
        void* const callUser = user;
        const int id = ids[index];
        running.push_back(std::this_thread::get_id());
        lock.unlock();
        try {
            call(id, value, text, callUser);
        } catch (const std::exception& error) {
            std::cerr << "Platform callback threw: " << error.what() << std::endl;
        } catch (...) {
            std::cerr << "Platform callback threw: unknown exception" << std::endl;
        }
        FinishCall();
    }

    void FinishCall()
    {
        std::lock_guard lock(mutex);
        running.erase(std::find(running.begin(), running.end(), std::this_thread::get_id()));
        idle.notify_all();
    }
};

namespace {

struct Hub {
    std::mutex mutex;
    std::vector<std::shared_ptr<EventObserver::State>> observers;
};

Hub& TheHub()
{
    static Hub hub;
    return hub;
}

} // namespace

EventObserver::EventObserver()
    : state_(std::make_shared<State>())
{
    Hub& hub = TheHub();
    std::lock_guard lock(hub.mutex);
    hub.observers.push_back(state_);
}

EventObserver::~EventObserver()
{
    {
        Hub& hub = TheHub();
        std::lock_guard lock(hub.mutex);
        std::erase(hub.observers, state_);
    }
    std::unique_lock lock(state_->mutex);
    state_->alive = false;
    state_->WaitForOtherThreads(lock);
}

void EventObserver::SetCallbackFunc(ObserverCallback callback, void* user)
{
    std::unique_lock lock(state_->mutex);
    state_->callback = std::move(callback);
    state_->user = user;
    state_->WaitForOtherThreads(lock);
}

void EventObserver::Register(EventKind kind, int id)
{
    const auto index = static_cast<std::size_t>(kind);
    if (index >= static_cast<std::size_t>(kEventKindCount))
        return;
    std::lock_guard lock(state_->mutex);
    state_->ids[index] = id;
    state_->registered[index] = true;
}

void Publish(EventKind kind, int value, const char* text)
{
    if (static_cast<std::size_t>(kind) >= static_cast<std::size_t>(kEventKindCount))
        return;
    std::vector<std::shared_ptr<EventObserver::State>> observers;
    {
        Hub& hub = TheHub();
        std::lock_guard lock(hub.mutex);
        observers = hub.observers;
    }
    for (const auto& observer : observers)
        observer->Deliver(kind, value, text);
}

struct CallbackDispatcher::Subscription {
    std::string name;
    const void* target = nullptr;
    std::function<void(void*)> callback;
    std::atomic<bool> active{true};
};

CallbackDispatcher::CallbackDispatcher() = default;
CallbackDispatcher::~CallbackDispatcher() = default;

void CallbackDispatcher::Subscribe(std::string_view name, const void* target, std::function<void(void* payload)> callback)
{
    auto subscription = std::make_shared<Subscription>();
    subscription->name = std::string(name);
    subscription->target = target;
    subscription->callback = std::move(callback);
    std::lock_guard lock(mutex_);
    subscriptions_.push_back(std::move(subscription));
}

void CallbackDispatcher::Notify(std::string_view name, void* payload)
{
    std::vector<std::shared_ptr<Subscription>> matching;
    {
        std::lock_guard lock(mutex_);
        for (const auto& subscription : subscriptions_) {
            if (subscription->name == name)
                matching.push_back(subscription);
        }
    }
    for (const auto& subscription : matching) {
        if (subscription->active.load() && subscription->callback)
            subscription->callback(payload);
    }
}

void CallbackDispatcher::RemoveCallbacksForTarget(const void* target)
{
    std::lock_guard lock(mutex_);
    std::erase_if(subscriptions_, [&](const std::shared_ptr<Subscription>& subscription) {
        if (subscription->target != target)
            return false;
        subscription->active.store(false);
        return true;
    });
}

} // namespace notify
