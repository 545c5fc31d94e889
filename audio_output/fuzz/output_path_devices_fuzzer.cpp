// Every input gives a map or a std::runtime_error, and the text written for that map reads back
// as the same map.

#include "audio_output/output_path_devices.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vemo::qt::OutputPathDeviceMap paths;
    try {
        paths = vemo::qt::ParseOutputPathDevices(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const std::runtime_error&) {
        return 0;
    }
    if (vemo::qt::ParseOutputPathDevices(vemo::qt::OutputPathDevicesText(paths)) != paths) {
        std::abort();
    }
    return 0;
}
