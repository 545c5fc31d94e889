#pragma once

#include <vemo_core/events.h>
#include <vemo_core/notify.h>
#include <vemo_core/types.h>

#include <chrono>
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace vemo::engine {
class EngineCore;
}

namespace vemo::testing {

// Test hooks of the simulated engine: its call journal, the manual clock, scripted state and
// injected failures.
class EngineProbe {
public:
    explicit EngineProbe(vemo::engine::EngineCore& core);
    EngineProbe(const EngineProbe&) = delete;
    EngineProbe& operator=(const EngineProbe&) = delete;

    // One line per call ("SeekToBar(\"12\")->true") and per outgoing call ("> notify 13 960 \"\"").
    std::vector<std::string> Journal() const;
    void ClearJournal();

    // Manual clock: runs the steps on the engine thread and returns once they and everything
    // they sent out are delivered.
    void Advance(std::chrono::milliseconds time);
    // Waits until everything sent out so far is delivered.
    void Drain();
    // Runs `work` on the engine thread and waits for it.
    void RunOnEngineThread(std::function<void()> work);
    void PublishFromEngineThread(notify::EventKind kind, int value, std::string text);

    // Scripted state, without notifications.
    void SetTransport(bool playing, bool paused, bool faded);
    void SetPosition(std::string song, UInt32 tick);

    void FireOscCue(const CL::Osc& cue, unsigned delayMs, bool enqueue);
    // The next call with that journal name (an engine or editor operation) throws `error`.
    void FailNext(std::string callName, std::exception_ptr error);
    void SetLoadWarnings(std::string click, std::string tempo, int invertedCount, std::string invertedDescription);
    void SetReadOnly(bool readOnly);

private:
    vemo::engine::EngineCore& core_;
};

// The most recently constructed engine's probe; null once that engine is destroyed.
EngineProbe* CurrentEngine();

}  // namespace vemo::testing
