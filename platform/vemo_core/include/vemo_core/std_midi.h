#pragma once

#include "vemo_core/types.h"

#include <map>
#include <string>

namespace std_midi::sb {

// Names of the MIDI channel-voice statuses (high nibble): 0x80 "Note Off" ... 0xE0 "Pitch Bend".
extern const std::map<UInt8, std::string> status_names;

} // namespace std_midi::sb
