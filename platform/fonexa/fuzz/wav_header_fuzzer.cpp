// Feeds arbitrary bytes to the WAV header reader, once as a whole file and once as the head of a
// file that goes on far beyond them. The sanitizers report any read outside the input, and the
// fuzzer's time limit any walk that does not end.
#include "fonexa/wav_header.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view head(reinterpret_cast<const char*>(data), size);
    for (const std::uint64_t fileSize : {std::uint64_t(size), std::uint64_t(size) + std::uint64_t(0xffffffff)}) {
        try {
            vemo::sfx::WavDurationMs(head, fileSize);
        } catch (const vemo::sfx::WavHeaderError&) {
            // Headers that give no length are refused by design.
        }
    }
    return 0;
}
