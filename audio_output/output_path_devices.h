#pragma once

// The per-show file that maps each output path of the show to an audio device of this machine:
// {"outputpaths":[{"id":"<path id>","hwid":"<device id>"},...]} in the show folder.

#include <vemo_core/properties.h>

#include <map>
#include <string>
#include <string_view>

namespace vemo::qt {

using OutputPathDeviceMap = std::map<std::string, CL::OutputPath>;

// Path id to a record holding that id and the device id (names left empty). A file that is
// missing, not a regular file, larger than 1 MiB, malformed or of the wrong shape throws
// std::runtime_error; a failing existence query throws std::filesystem::filesystem_error.
OutputPathDeviceMap ReadOutputPathDevices(const std::string& path);

// Replaces the file with the entries of `paths` (key as "id", device id as "hwid"). The file is
// either the old one or the whole new one: a failure leaves the old bytes and no temporary file,
// and throws std::ios_base::failure("Cannot write <path>: <reason>").
bool WriteOutputPathDevices(const std::string& path, OutputPathDeviceMap paths);

// The parse of a document's text, as the reader does it after reading the file.
OutputPathDeviceMap ParseOutputPathDevices(std::string_view text);

// The compact text the writer stores for `paths`.
std::string OutputPathDevicesText(const OutputPathDeviceMap& paths);

} // namespace vemo::qt
