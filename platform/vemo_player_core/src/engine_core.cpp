#include "engine_core.h"

#include <vemo_core/show_record.h>

#include <pthread.h>

#include <atomic>
#include <future>
#include <iostream>

namespace vemo::engine {
namespace {

std::atomic<testing::EngineProbe*> currentEngine{nullptr};

std::string withoutTrailingSlash(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

void reportCallbackFailure(const char* what)
{
    std::cerr << "Platform callback threw: " << what << std::endl;
}

}  // namespace

EngineCore::EngineCore(std::string productName, std::string showFolder, std::string dataDirectory,
                       bool soundEffects, std::shared_ptr<PlayerOscCallback> oscCallback,
                       AudioInterface::Options options)
    : options_(std::move(options))
    , journal_(options_.journalPath)
    , probe_(*this)
    , showFolder_(withoutTrailingSlash(showFolder))
    , dataDirectory_(std::move(dataDirectory))
    , soundEffects_(soundEffects)
    , oscCallback_(std::move(oscCallback))
{
    journal_.Add("# " + productName + " engine: " + showFolder_.string());
    Directories::SetShowDirectory(showFolder_.string());
    currentEngine = &probe_;
    std::thread loader([this] {
        try {
            Load();
        } catch (...) {
            loadError_ = std::current_exception();
        }
    });
    loader.join();
    if (loadError_) {
        Lock lock(mutex_);
        player_.reset();
        show_ = ShowDescription{};
        outbox_.clear();
        return;
    }
    if (soundEffects_) {
        providerLink_->engine = this;
        instanceToken_ = audio::SetInstanceProvider([link = providerLink_] {
            std::lock_guard lock(link->mutex);
            return link->engine ? link->engine->Instances() : std::vector<audio::SfxInstanceInfo>{};
        });
    }
    thread_ = std::thread([this] { Run(); });
}

EngineCore::~EngineCore()
{
    try {
        Shutdown();
    } catch (const std::exception& e) {
        std::cerr << "Engine shutdown failed: " << e.what() << std::endl;
    }
    if (thread_.joinable()) {
        if (OnEngineThread()) {
            // Released from one of its own callbacks: the thread leaves without touching this object again.
            releasedOnOwnThread_->store(true);
            thread_.detach();
        } else {
            thread_.join();
        }
    }
    testing::EngineProbe* self = &probe_;
    currentEngine.compare_exchange_strong(self, nullptr);
}

void EngineCore::Load()
{
    show_ = LoadShowDescription(showFolder_);
    recordFile_ = showFolder_ / "show.record";
    {
        Lock lock(mutex_);
        player_ = std::make_unique<Player>(show_, *this);
    }
    SetupEditor();
    LoadInitialChangeLog();
    LoadMidiSettings();
    Lock lock(mutex_);
    player_->LoadFirstSong();
}

void EngineCore::ThrowIfThreadExceptions()
{
    auto error = std::exchange(loadError_, nullptr);
    if (error)
        std::rethrow_exception(error);
}

JournalLine EngineCore::Enter(const std::string& name, const std::string& line, bool resultFollows)
{
    std::exception_ptr failure;
    {
        Lock lock(mutex_);
        const auto it = failures_.find(name);
        if (it != failures_.end()) {
            failure = it->second;
            failures_.erase(it);
        }
    }
    if (failure) {
        std::string text = "unknown exception";
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            text = e.what();
        } catch (...) {
        }
        journal_.Add(line + "->throw " + JournalArg(text));
        std::rethrow_exception(failure);
    }
    const auto index = journal_.Add(line, resultFollows);
    return resultFollows ? JournalLine(journal_, index) : JournalLine();
}

void EngineCore::Shutdown()
{
    {
        Lock lock(mutex_);
        if (shutDown_)
            return;
        if (player_)
            player_->Halt();
        shutDown_ = true;
        stopping_ = true;
        Wake();
    }
    if (thread_.joinable() && !OnEngineThread())
        thread_.join();
    std::unique_ptr<midi::MidiInput> input;
    {
        Lock lock(mutex_);
        input = std::move(midiInput_);
        outbox_.clear();
    }
    input.reset();
    if (instanceToken_)
        audio::ClearInstanceProvider(instanceToken_);
    instanceToken_ = 0;
    std::lock_guard link(providerLink_->mutex);
    providerLink_->engine = nullptr;
}

void EngineCore::Send(std::string journal, std::function<void()> call)
{
    if (threadExited_)
        return;
    journal_.Add("> " + journal);
    outbox_.push_back(Outgoing{std::move(journal), std::move(call)});
    ++queuedCount_;
}

bool EngineCore::DeliverPending(Lock& lock)
{
    const auto released = releasedOnOwnThread_;
    auto items = std::move(outbox_);
    outbox_.clear();
    lock.unlock();
    for (auto& item : items) {
        try {
            item.call();
        } catch (const std::exception& e) {
            reportCallbackFailure(e.what());
        } catch (...) {
            reportCallbackFailure("unknown exception");
        }
        if (released->load())
            return false;
    }
    lock.lock();
    deliveredCount_ += items.size();
    delivered_.notify_all();
    return true;
}

void EngineCore::PostTask(std::function<void()> task)
{
    Lock lock(mutex_);
    if (stopping_)
        return;
    tasks_.push_back(std::move(task));
    ++tasksQueued_;
    Wake();
}

void EngineCore::Run()
{
    pthread_setname_np(pthread_self(), "vemo-engine");
    const auto released = releasedOnOwnThread_;
    Lock lock(mutex_);
    auto last = std::chrono::steady_clock::now();
    double carryMs = 0.0;
    const double speed = options_.speed > 0.0 ? options_.speed : 1.0;
    const auto period = std::chrono::microseconds(std::max<long>(1000, static_cast<long>(20000.0 / speed)));
    while (true) {
        if (!outbox_.empty()) {
            if (!DeliverPending(lock))
                return;
            continue;
        }
        if (!tasks_.empty()) {
            auto task = std::move(tasks_.front());
            tasks_.pop_front();
            lock.unlock();
            try {
                task();
            } catch (const std::exception& e) {
                reportCallbackFailure(e.what());
            }
            if (released->load())
                return;
            lock.lock();
            ++tasksDone_;
            delivered_.notify_all();
            continue;
        }
        if (stopping_)
            break;
        if (options_.clock == AudioInterface::Options::Clock::Manual) {
            wake_.wait(lock);
            continue;
        }
        const auto now = std::chrono::steady_clock::now();
        carryMs += std::chrono::duration<double, std::milli>(now - last).count() * speed;
        last = now;
        for (int steps = 0; carryMs >= 20.0 && steps < 50; ++steps) {
            RunSteps(20.0);
            carryMs -= 20.0;
        }
        if (carryMs > 1000.0)
            carryMs = 0.0;
        CheckLearnTimeout();
        if (outbox_.empty() && tasks_.empty() && !stopping_)
            wake_.wait_until(lock, now + period);
    }
    threadExited_ = true;
    delivered_.notify_all();
}

void EngineCore::RunSteps(double ms)
{
    if (options_.clock == AudioInterface::Options::Clock::Manual)
        manualClockMs_ += ms;
    if (player_ && !shutDown_)
        player_->Step(ms);
    CheckLearnTimeout();
}

double EngineCore::ClockNowMs() const
{
    if (options_.clock == AudioInterface::Options::Clock::Manual)
        return manualClockMs_;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void EngineCore::Advance(std::chrono::milliseconds time)
{
    RunOnEngineThread([this, remaining = static_cast<double>(time.count())]() mutable {
        Lock lock(mutex_);
        while (remaining > 0.0 && !shutDown_) {
            const double chunk = std::min(20.0, remaining);
            RunSteps(chunk);
            remaining -= chunk;
            if (!DeliverPending(lock))
                return;
        }
    });
    Drain();
}

void EngineCore::Drain()
{
    if (OnEngineThread())
        return;
    Lock lock(mutex_);
    auto stopped = [&] { return threadExited_ || !thread_.joinable(); };
    // Tasks first (they may send more), then everything sent until they finished.
    const auto taskTarget = tasksQueued_;
    delivered_.wait(lock, [&] { return stopped() || tasksDone_ >= taskTarget; });
    const auto outTarget = queuedCount_;
    delivered_.wait(lock, [&] { return stopped() || deliveredCount_ >= outTarget; });
}

void EngineCore::RunOnEngineThread(std::function<void()> work)
{
    bool inline_ = OnEngineThread();
    {
        Lock lock(mutex_);
        inline_ = inline_ || stopping_ || !thread_.joinable();
    }
    if (inline_) {
        work();
        return;
    }
    auto promise = std::make_shared<std::promise<void>>();
    auto future = promise->get_future();
    PostTask([work = std::move(work), promise] {
        try {
            work();
            promise->set_value();
        } catch (...) {
            promise->set_exception(std::current_exception());
        }
    });
    future.get();
}

void EngineCore::PublishFromEngineThread(notify::EventKind kind, int value, std::string text)
{
    RunOnEngineThread([&] { notify::Publish(kind, value, text.c_str()); });
}

void EngineCore::ScriptTransport(bool playing, bool paused, bool faded)
{
    Lock lock(mutex_);
    if (player_)
        player_->Script(playing, paused, faded);
}

void EngineCore::ScriptPosition(std::string song, UInt32 tick)
{
    Lock lock(mutex_);
    if (!player_ || !show_.FindSong(song))
        return;
    player_->ScriptPosition(song, tick);
    std::unique_lock songLock(songState_.mutex);
    songState_.currentSongNumber = song;
}

void EngineCore::FireOscCue(const CL::Osc& cue, unsigned delayMs, bool enqueue)
{
    auto callback = oscCallback_;
    RunOnEngineThread([&] {
        journal_.Add(std::string("> osc.") + (enqueue ? "EnqueueEvent " : "ExecuteEvent ") + cue.EventId() + " "
                     + JournalArg(cue.osc_properties().Message()) + " " + std::to_string(delayMs));
        if (!callback)
            return;
        if (enqueue)
            callback->EnqueueEvent(cue, delayMs);
        else
            callback->ExecuteEvent(cue, delayMs);
    });
}

void EngineCore::FailNext(std::string callName, std::exception_ptr error)
{
    Lock lock(mutex_);
    failures_[std::move(callName)] = std::move(error);
}

void EngineCore::ScriptLoadWarnings(std::string click, std::string tempo, int invertedCount, std::string invertedText)
{
    Lock lock(mutex_);
    scriptedWarnings_ = LoadWarnings{std::move(click), std::move(tempo), std::move(invertedText), invertedCount};
}

void EngineCore::ScriptReadOnly(bool readOnly)
{
    editor_.SetReadOnlyOverride(readOnly);
}

SongGrid EngineCore::GridOf(const std::string& song, bool withClickEdits) const
{
    const auto* description = show_.FindSong(song);
    if (!description || !player_)
        return {};
    return SongGrid(*description, withClickEdits ? player_->Table(song).ClickRegions() : std::vector<ClickRegion>{});
}

void EngineCore::SetOutputDevice(std::string id)
{
    Lock lock(mutex_);
    outputDevice_ = std::move(id);
}

std::string EngineCore::OutputDevice() const
{
    Lock lock(mutex_);
    return outputDevice_;
}

void EngineCore::SetOscProcessing(bool enabled)
{
    Lock lock(mutex_);
    oscProcessing_ = enabled;
}

void EngineCore::SetOscDefaultPort(uint16_t port)
{
    Lock lock(mutex_);
    if (!oscCallback_ || shutDown_ || !player_)
        return;
    Send("osc.SetDefaultPort " + std::to_string(port), [callback = oscCallback_, port] { callback->SetDefaultPort(port); });
    Wake();
}

void EngineCore::SetSfxCallback(std::shared_ptr<SfxCallback> callback)
{
    Lock lock(mutex_);
    sfxCallback_ = std::move(callback);
}

// ---- what playback sends out (called under the lock) ----

void EngineCore::Notify(notify::EventKind kind, int value, std::optional<std::string> text)
{
    auto line = "notify " + std::to_string(static_cast<int>(kind)) + " " + std::to_string(value) + " "
                + JournalArg(text ? *text : std::string());
    Send(std::move(line),
         [kind, value, text = std::move(text)] { notify::Publish(kind, value, text ? text->c_str() : nullptr); });
}

void EngineCore::OscCue(const PlayPoint& cue, unsigned delayMs, bool enqueue)
{
    if (!oscProcessing_ || !oscCallback_)
        return;
    CL::Osc osc(cue.tick, cue.id, CL::OscProperties(cue.text, cue.networkId));
    Send(std::string("osc.") + (enqueue ? "EnqueueEvent " : "ExecuteEvent ") + cue.id + " " + JournalArg(cue.text) + " "
             + std::to_string(delayMs),
         [callback = oscCallback_, osc, delayMs, enqueue] {
             if (enqueue)
                 callback->EnqueueEvent(osc, delayMs);
             else
                 callback->ExecuteEvent(osc, delayMs);
         });
}

void EngineCore::FadeDone(std::function<void()> done)
{
    Send("fade.done", [done = std::move(done)] {
        if (done)
            done();
    });
}

void EngineCore::EffectsSongLoaded(const std::string& song)
{
    {
        std::unique_lock songLock(songState_.mutex);
        songState_.currentSongNumber = song;
    }
    if (!soundEffects_)
        return;
    if (auto callback = sfxCallback_) {
        Send("sfx.StopAllEffects", [callback] { callback->StopAllEffects(); });
        for (const auto& r : player_->Table(song).ambients) {
            auto event = std::make_shared<CL::SfxAmbient>(r.start, r.end, r.id, r.sfx);
            Send("sfx.RegisterAmbientPlayer " + r.id,
                 [this, callback, event] { callback->RegisterAmbientPlayer(*event, songState_); });
        }
        return;
    }
    Send("fonexa.stop", [] { audio::SfxPlayerController().stop(); });
}

void EngineCore::EffectsCue(const std::string&, const PlayPoint& cue)
{
    if (!soundEffects_)
        return;
    if (auto callback = sfxCallback_) {
        auto event = std::make_shared<CL::Sfx>(cue.tick, cue.id, cue.sfx);
        Send("sfx.TriggerSfx " + cue.id, [callback, event] { callback->TriggerSfx(*event); });
        return;
    }
    Send("fonexa.play " + cue.id, [id = cue.id] { audio::SfxPlayerController().play(id); });
}

void EngineCore::EffectsAmbient(const std::string&, const PlayRegion& region, bool play)
{
    if (!soundEffects_ || sfxCallback_)
        return;
    if (play)
        Send("fonexa.play " + region.id, [id = region.id] { audio::SfxPlayerController().play(id); });
    else
        Send("fonexa.stop " + region.id, [id = region.id] { audio::SfxPlayerController().stop(id); });
}

void EngineCore::EffectsStepped(std::uint32_t from, std::uint32_t to, const std::string& song)
{
    if (!soundEffects_ || !sfxCallback_)
        return;
    Send("sfx.ProcessAmbientEvents " + std::to_string(from) + " " + std::to_string(to) + " " + JournalArg(song),
         [callback = sfxCallback_, from, to, song] { callback->ProcessAmbientEvents(from, to, song); });
}

void EngineCore::EffectsStopped(bool ambientOnly)
{
    if (!soundEffects_)
        return;
    if (auto callback = sfxCallback_) {
        if (ambientOnly)
            Send("sfx.StopAmbientEffects", [callback] { callback->StopAmbientEffects(); });
        else
            Send("sfx.StopAllEffects", [callback] { callback->StopAllEffects(); });
        return;
    }
    Send("fonexa.stop", [] { audio::SfxPlayerController().stop(); });
}

std::vector<audio::SfxInstanceInfo> EngineCore::Instances() const
{
    Lock lock(mutex_);
    std::vector<audio::SfxInstanceInfo> result;
    auto add = [&](const std::string& id, const CL::SfxProperties& p) {
        result.push_back(audio::SfxInstanceInfo{id, p.name(), p.effectId(), p.outputPath(), p.volume(), p.pan(),
                                                p.reverb(), p.fadeIn(), p.fadeOut(), p.repeats()});
    };
    for (const auto& effect : published_.SoundEffects()) {
        if (effect)
            add(effect->EventId(), effect->sfx_properties());
    }
    if (player_) {
        const auto& table = player_->Table(player_->Song());
        for (const auto& cue : table.sfx)
            add(cue.id, cue.sfx);
        for (const auto& bed : table.ambients)
            add(bed.id, bed.sfx);
    }
    return result;
}

}  // namespace vemo::engine

namespace vemo::testing {

EngineProbe* CurrentEngine()
{
    return vemo::engine::currentEngine.load();
}

}  // namespace vemo::testing
