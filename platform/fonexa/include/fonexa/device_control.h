#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vemo::audio {

// One audio output of this machine: the name shown to the user and the id the player is given.
// The empty id is the system's default device, which is never listed.
struct AudioDevice {
    std::string name;
    std::string id;

    bool operator==(const AudioDevice&) const = default;
};

// The machine's audio outputs. No device is probed or opened: the list is the one set for tests,
// else the one in VEMO_AUDIO_DEVICES ("Name=id;Name=id", read at each call; set but empty gives no
// devices), else two virtual outputs.
class DeviceControlWin32 {
public:
    std::vector<AudioDevice> GetOutputDevices() const;

    // A list that wins over everything else; nullopt goes back to the environment and the default.
    static void SetDevicesForTesting(std::optional<std::vector<AudioDevice>> devices);
};

// The devices named by text in the form of VEMO_AUDIO_DEVICES, in its order. An entry without
// "=", or with an empty name or id, is skipped with a warning.
std::vector<AudioDevice> ParseAudioDeviceList(const std::string& text);

} // namespace vemo::audio
