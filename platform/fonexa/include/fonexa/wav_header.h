#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace vemo::sfx {

// A WAV header that gives no play length; what() says why.
class WavHeaderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How many bytes from the start of a WAV file the header reader looks at for the data chunk.
inline constexpr std::size_t kWavHeadBytes = 1024 * 1024;

// Play length in milliseconds of a PCM WAV file from its first bytes (`head`, at most the whole
// file) and the file's real length: the data chunk's size (cut to what the file holds) over the
// format chunk's byte rate. Every chunk size is checked against the file's length, so a cut file or
// a size that points before, onto or far past its chunk ends the walk with WavHeaderError.
int WavDurationMs(std::string_view head, std::uint64_t fileSize);

}  // namespace vemo::sfx
