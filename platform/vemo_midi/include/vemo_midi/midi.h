#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Virtual MIDI sources. No hardware is probed: the sources are names, and messages reach an open
// input through testing::Inject or through the UDP inject listener (VEMO_MIDI_INJECT_PORT).
namespace vemo::midi {

class MidiEndPoint {
public:
    MidiEndPoint() = default;
    MidiEndPoint(std::string name, int index);

    std::string GetSourceName() const;
    int Index() const;

private:
    std::string name_;
    int index_ = -1;
};

// The sources in their fixed order: VEMO_MIDI_SOURCES ("Name A;Name B", "" = none) when set, else
// "Virtual MIDI In 1" and "Virtual MIDI In 2". testing::SetSources overrides both.
std::vector<MidiEndPoint> EnumerateSources();

using MessageCallback = std::function<void(const std::vector<std::uint8_t>&)>;

// One input connected to one source. The callback gets one complete message per call, on the
// injecting thread or the inject listener's thread. Close() waits for a callback that is running
// on another thread; afterwards none starts.
class MidiInput {
public:
    MidiInput();
    ~MidiInput();
    MidiInput(const MidiInput&) = delete;
    MidiInput& operator=(const MidiInput&) = delete;

    bool Open(int sourceIndex, MessageCallback onMessage);
    void Close();
    bool IsOpen() const;
    int SourceIndex() const;

private:
    struct Connection;
    std::shared_ptr<Connection> connection_;
};

namespace testing {
// Delivers bytes to every input open on that source, synchronously on the caller's thread.
void Inject(int sourceIndex, std::vector<std::uint8_t> bytes);
// Replaces the source list; nullopt restores the environment's or the default list.
void SetSources(std::optional<std::vector<std::string>> names);
}  // namespace testing

}  // namespace vemo::midi
