#include "engine_core.h"

namespace vemo::testing {

EngineProbe::EngineProbe(vemo::engine::EngineCore& core) : core_(core) {}

std::vector<std::string> EngineProbe::Journal() const
{
    return core_.JournalLines();
}

void EngineProbe::ClearJournal()
{
    core_.ClearJournal();
}

void EngineProbe::Advance(std::chrono::milliseconds time)
{
    core_.Advance(time);
}

void EngineProbe::Drain()
{
    core_.Drain();
}

void EngineProbe::RunOnEngineThread(std::function<void()> work)
{
    core_.RunOnEngineThread(std::move(work));
}

void EngineProbe::PublishFromEngineThread(notify::EventKind kind, int value, std::string text)
{
    core_.PublishFromEngineThread(kind, value, std::move(text));
}

void EngineProbe::SetTransport(bool playing, bool paused, bool faded)
{
    core_.ScriptTransport(playing, paused, faded);
}

void EngineProbe::SetPosition(std::string song, UInt32 tick)
{
    core_.ScriptPosition(std::move(song), tick);
}

void EngineProbe::FireOscCue(const CL::Osc& cue, unsigned delayMs, bool enqueue)
{
    core_.FireOscCue(cue, delayMs, enqueue);
}

void EngineProbe::FailNext(std::string callName, std::exception_ptr error)
{
    core_.FailNext(std::move(callName), std::move(error));
}

void EngineProbe::SetLoadWarnings(std::string click, std::string tempo, int invertedCount, std::string invertedDescription)
{
    core_.ScriptLoadWarnings(std::move(click), std::move(tempo), invertedCount, std::move(invertedDescription));
}

void EngineProbe::SetReadOnly(bool readOnly)
{
    core_.ScriptReadOnly(readOnly);
}

}  // namespace vemo::testing
