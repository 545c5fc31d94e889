#pragma once

namespace vemo::midi::detail {

// Starts, once per process, the UDP listener on 127.0.0.1:VEMO_MIDI_INJECT_PORT when that variable
// names a port. A datagram is [source index byte][MIDI bytes].
void StartInjectListenerIfConfigured();

}  // namespace vemo::midi::detail
