#include "vemo_midi/midi.h"

#include "inject_listener.h"
#include "source_registry.h"

namespace vemo::midi {

struct MidiInput::Connection : detail::Delivery {};

MidiInput::MidiInput() = default;

MidiInput::~MidiInput()
{
    Close();
}

bool MidiInput::Open(int sourceIndex, MessageCallback onMessage)
{
    Close();
    const auto count = static_cast<int>(EnumerateSources().size());
    if (sourceIndex < 0 || sourceIndex >= count)
        return false;
    auto connection = std::make_shared<Connection>();
    connection->callback = std::move(onMessage);
    connection->sourceIndex = sourceIndex;
    connection->open = true;
    detail::Attach(connection);
    connection_ = std::move(connection);
    detail::StartInjectListenerIfConfigured();
    return true;
}

void MidiInput::Close()
{
    if (!connection_)
        return;
    detail::Detach(connection_);
    {
        std::lock_guard call(connection_->callMutex);
        connection_->open = false;
    }
    connection_.reset();
}

bool MidiInput::IsOpen() const
{
    return connection_ != nullptr;
}

int MidiInput::SourceIndex() const
{
    return connection_ ? connection_->sourceIndex : -1;
}

}  // namespace vemo::midi
