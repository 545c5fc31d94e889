#include "fonexa/device_control.h"

#include <QtGlobal>

#include <cstdlib>
#include <mutex>

namespace vemo::audio {
namespace {

std::mutex testDevicesMutex;
std::optional<std::vector<AudioDevice>> testDevices;

const std::vector<AudioDevice>& VirtualOutputs()
{
    static const std::vector<AudioDevice> outputs{{"Virtual Output 1-2", "virtual-out-1-2"},
                                                  {"Virtual Output 3-4", "virtual-out-3-4"}};
    return outputs;
}

std::optional<AudioDevice> ParseEntry(const std::string& entry)
{
    const std::size_t equals = entry.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == entry.size()) {
        qWarning("Audio device entry \"%s\" is not \"Name=id\"; it is skipped.", entry.c_str());
        return std::nullopt;
    }
    return AudioDevice{entry.substr(0, equals), entry.substr(equals + 1)};
}

} // namespace

std::vector<AudioDevice> ParseAudioDeviceList(const std::string& text)
{
    std::vector<AudioDevice> devices;
    if (text.empty()) {
        return devices;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(';', start);
        if (auto device = ParseEntry(text.substr(start, end == std::string::npos ? end : end - start))) {
            devices.push_back(std::move(*device));
        }
        if (end == std::string::npos) {
            return devices;
        }
        start = end + 1;
    }
}

std::vector<AudioDevice> DeviceControlWin32::GetOutputDevices() const
{
    {
        std::lock_guard lock(testDevicesMutex);
        if (testDevices) {
            return *testDevices;
        }
    }
    if (const char* variable = std::getenv("VEMO_AUDIO_DEVICES")) {
        return ParseAudioDeviceList(variable);
    }
    return VirtualOutputs();
}

void DeviceControlWin32::SetDevicesForTesting(std::optional<std::vector<AudioDevice>> devices)
{
    std::lock_guard lock(testDevicesMutex);
    testDevices = std::move(devices);
}

} // namespace vemo::audio
