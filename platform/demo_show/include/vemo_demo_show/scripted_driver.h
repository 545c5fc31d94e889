#pragma once

#include <vemo_core/notify.h>
#include <vemo_player_core/interface.h>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

namespace vemo::demo {

// The name of a notification kind as the console prints it ("BarBeat").
const char* KindName(notify::EventKind kind);

// Plays a show through like an operator would: it exits an open vamp during its second pass,
// continues a caesura after a hold of a few beats, and starts the song that a song end cued.
// Notifications arrive on the engine thread and are only recorded there; Poll() acts on them
// on the caller's thread.
class ScriptedDriver {
public:
    struct Seen {
        notify::EventKind kind;
        int value;
        std::string text;
    };

    explicit ScriptedDriver(Interface& engine, std::function<void(const Seen&)> onNotification = {});
    ~ScriptedDriver();
    ScriptedDriver(const ScriptedDriver&) = delete;
    ScriptedDriver& operator=(const ScriptedDriver&) = delete;

    void Start();
    // Performs what is due at `nowMs` of the show clock.
    void Poll(double nowMs);
    // The last song ended (or the show stopped there).
    bool Finished() const;

    std::uint64_t NotificationCount() const;
    std::uint64_t CountOf(notify::EventKind kind) const;

private:
    void OnNotification(int id, int value, const char* text);

    Interface& engine_;
    std::function<void(const Seen&)> onNotification_;
    notify::EventObserver observer_;
    mutable std::mutex mutex_;
    std::deque<Seen> pending_;
    std::array<std::uint64_t, notify::kEventKindCount> counts_{};
    int vampPasses_ = 0;
    double holdSince_ = -1.0;
    bool stoppedAtSongEnd_ = false;
    bool finished_ = false;
    std::string lastSong_;
    std::string currentSong_;
};

}  // namespace vemo::demo
