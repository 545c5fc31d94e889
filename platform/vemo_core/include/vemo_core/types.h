#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using UInt8 = std::uint8_t;
using UInt16 = std::uint16_t;
using UInt32 = std::uint32_t;
using Int16 = std::int16_t;

namespace vemo::core {

using DataVector = std::vector<std::uint8_t>;

// Hexadecimal text (pairs of digits, either case) to bytes; "" gives no bytes. Odd length or a
// character that is not a hex digit throws std::invalid_argument("Invalid hex text").
DataVector convertHexToVec(const std::string& hex);

// Bytes to lower-case hexadecimal text; the inverse of convertHexToVec.
std::string convertVecToHex(const DataVector& bytes);

// Writes `bytes` to `file` so that the file is either the old one or the whole new one: the data
// goes to "<file>.tmp" in the same folder, is flushed to disk and then renamed over `file`. On
// failure the temporary file is removed, `file` is untouched and std::runtime_error is thrown with
// a reason (e.g. "No space left on device").
void WriteFileAtomically(const std::filesystem::path& file, const std::string& bytes);

// Registers the meta-types that travel in queued signals and QVariant: "CL::OutputPath",
// "CL::Osc", "ShowRecord", "std::string", "UInt8", "UInt32". Idempotent.
void RegisterQtMetaTypes();

} // namespace vemo::core

using vemo::core::convertHexToVec;

namespace vemo {

// Creates the folder and its parents when missing; an existing folder is left alone. Failure
// throws std::filesystem::filesystem_error.
void MakeDirectoryIfNeeded(const std::filesystem::path& folder);

} // namespace vemo
