#include "vemo_midi/midi.h"

#include "source_registry.h"

#include <cstdlib>

namespace vemo::midi {
namespace {

std::mutex overrideMutex;
std::optional<std::vector<std::string>> sourceOverride;

std::vector<std::string> splitNames(const std::string& text)
{
    std::vector<std::string> names;
    std::string::size_type from = 0;
    while (from <= text.size() && !text.empty()) {
        auto to = text.find(';', from);
        if (to == std::string::npos)
            to = text.size();
        if (to > from)
            names.push_back(text.substr(from, to - from));
        from = to + 1;
    }
    return names;
}

std::vector<std::string> sourceNames()
{
    {
        std::lock_guard lock(overrideMutex);
        if (sourceOverride)
            return *sourceOverride;
    }
    if (const char* env = std::getenv("VEMO_MIDI_SOURCES"))
        return splitNames(env);
    return {"Virtual MIDI In 1", "Virtual MIDI In 2"};
}

}  // namespace

MidiEndPoint::MidiEndPoint(std::string name, int index) : name_(std::move(name)), index_(index) {}

std::string MidiEndPoint::GetSourceName() const
{
    return name_;
}

int MidiEndPoint::Index() const
{
    return index_;
}

std::vector<MidiEndPoint> EnumerateSources()
{
    std::vector<MidiEndPoint> sources;
    const auto names = sourceNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        sources.emplace_back(names[i], static_cast<int>(i));
    return sources;
}

namespace testing {

void Inject(int sourceIndex, std::vector<std::uint8_t> bytes)
{
    detail::Deliver(sourceIndex, bytes);
}

void SetSources(std::optional<std::vector<std::string>> names)
{
    std::lock_guard lock(overrideMutex);
    sourceOverride = std::move(names);
}

}  // namespace testing
}  // namespace vemo::midi
