#pragma once

#include <utilon/numeric_string_compare.h>
#include <vemo_core/types.h>

#include <map>
#include <shared_mutex>
#include <string>

namespace vemo {

// Type 1 is the stored default volume; both set the one master gain.
enum class VolumeType : int { Master = 0, Default = 1 };

// Song number to title, in show order ("2" before "10").
using SongNameMap = std::map<std::string, std::string, utilon::NumericStringCompare>;

// The song the engine has loaded; readers take a shared lock.
struct SongState {
    mutable std::shared_mutex mutex;
    std::string currentSongNumber;
};

}  // namespace vemo

namespace midi_commands {

// status = high nibble only (0x90), channel 0..15, note/controller/program 0..127.
struct LearnedCommand {
    UInt8 status = 0;
    UInt8 channel = 0;
    UInt8 note = 0;
};

}  // namespace midi_commands
