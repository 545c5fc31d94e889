#include "vemo_demo_show/scripted_driver.h"

namespace vemo::demo {
namespace {

// A hold lasts about three beats at 120 bpm.
constexpr double kHoldMs = 1500.0;

}  // namespace

const char* KindName(notify::EventKind kind)
{
    static const char* const names[notify::kEventKindCount] = {
        "PlaybackStarted", "PlaybackStopped", "PlaybackPaused", "PlaybackFading", "StatusFlowControl", "Key",
        "Tempo",           "Meter",           "Transposition",  "TempoScale",     "BarBeat",           "Marker",
        "PageNum",         "Playhead",        "SongTitle",      "SongLoaded",     "LearnedMIDICommand",
        "MIDICommandCanceled", "MidiNotification", "VampOn",    "VampOff",        "StatusVolume"};
    const int index = static_cast<int>(kind);
    return index >= 0 && index < notify::kEventKindCount ? names[index] : "?";
}

ScriptedDriver::ScriptedDriver(Interface& engine, std::function<void(const Seen&)> onNotification)
    : engine_(engine), onNotification_(std::move(onNotification))
{
    observer_.SetCallbackFunc([this](int id, int value, const char* text, void*) { OnNotification(id, value, text); },
                              nullptr);
    for (int kind = 0; kind < notify::kEventKindCount; ++kind)
        observer_.Register(static_cast<notify::EventKind>(kind), kind);
}

ScriptedDriver::~ScriptedDriver()
{
    observer_.SetCallbackFunc({}, nullptr);
}

void ScriptedDriver::OnNotification(int id, int value, const char* text)
{
    Seen seen{static_cast<notify::EventKind>(id), value, text ? text : ""};
    if (onNotification_)
        onNotification_(seen);
    std::lock_guard lock(mutex_);
    if (id >= 0 && id < notify::kEventKindCount)
        ++counts_[static_cast<std::size_t>(id)];
    pending_.push_back(std::move(seen));
}

void ScriptedDriver::Start()
{
    lastSong_ = engine_.GetSongNamesBySongNumber().rbegin()->first;
    currentSong_ = engine_.GetCurrentSongNumber();
    engine_.Play();
}

void ScriptedDriver::Poll(double nowMs)
{
    std::deque<Seen> seen;
    {
        std::lock_guard lock(mutex_);
        seen.swap(pending_);
    }
    for (const auto& s : seen) {
        switch (s.kind) {
        case notify::EventKind::StatusFlowControl:
            if (s.text == "Vamp" && s.value == 0 && ++vampPasses_ == 2)
                engine_.FlowControlExit();
            else if (s.text == "Caesura")
                holdSince_ = nowMs;
            else if (s.text == "ClearPickupBeat")
                vampPasses_ = 0;
            break;
        case notify::EventKind::PlaybackStopped:
            if (currentSong_ == lastSong_) {
                std::lock_guard lock(mutex_);
                finished_ = true;
            } else {
                stoppedAtSongEnd_ = true;
            }
            break;
        case notify::EventKind::SongLoaded:
            currentSong_ = s.text;
            if (stoppedAtSongEnd_)
                engine_.Play();
            stoppedAtSongEnd_ = false;
            break;
        default:
            break;
        }
    }
    if (holdSince_ >= 0.0 && nowMs - holdSince_ >= kHoldMs) {
        holdSince_ = -1.0;
        engine_.Continue();
    }
}

bool ScriptedDriver::Finished() const
{
    std::lock_guard lock(mutex_);
    return finished_;
}

std::uint64_t ScriptedDriver::NotificationCount() const
{
    std::lock_guard lock(mutex_);
    std::uint64_t total = 0;
    for (auto c : counts_)
        total += c;
    return total;
}

std::uint64_t ScriptedDriver::CountOf(notify::EventKind kind) const
{
    std::lock_guard lock(mutex_);
    return counts_[static_cast<std::size_t>(kind)];
}

}  // namespace vemo::demo
