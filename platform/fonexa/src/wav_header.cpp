#include "fonexa/wav_header.h"

#include <algorithm>
#include <limits>
#include <string>

namespace vemo::sfx {
namespace {

std::uint32_t LittleEndian32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

std::string ChunkName(std::string_view id)
{
    std::string name;
    for (const char c : id)
        name += (c >= 0x20 && c < 0x7f) ? c : '?';
    return "\"" + name + "\"";
}

}  // namespace

int WavDurationMs(std::string_view head, std::uint64_t fileSize)
{
    constexpr std::size_t kChunkHeader = 8;
    if (head.size() > fileSize)
        throw WavHeaderError("the header is longer than the file");
    if (head.size() < 12 || head.substr(0, 4) != "RIFF" || head.substr(8, 4) != "WAVE")
        throw WavHeaderError("not a RIFF WAVE file");
    std::uint32_t byteRate = 0;
    std::uint64_t at = 12;
    while (at + kChunkHeader <= head.size()) {
        const std::string_view id = head.substr(static_cast<std::size_t>(at), 4);
        const std::uint64_t size = LittleEndian32(head, static_cast<std::size_t>(at) + 4);
        const std::uint64_t body = at + kChunkHeader;
        if (id == "data") {
            if (byteRate == 0)
                throw WavHeaderError("no format chunk with a byte rate before the data");
            const std::uint64_t dataBytes = std::min(size, fileSize - body);
            const std::uint64_t ms = dataBytes / byteRate * 1000 + dataBytes % byteRate * 1000 / byteRate;
            if (ms > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
                throw WavHeaderError("the data lasts longer than the program can play");
            return static_cast<int>(ms);
        }
        const std::uint64_t next = body + size + (size & 1);
        if (next > fileSize)
            throw WavHeaderError("chunk " + ChunkName(id) + " at byte " + std::to_string(at)
                                 + " runs past the end of the file");
        if (id == "fmt ") {
            if (size < 16 || body + 16 > head.size())
                throw WavHeaderError("the format chunk is too short");
            byteRate = LittleEndian32(head, static_cast<std::size_t>(body) + 8);
        }
        at = next;
    }
    throw WavHeaderError("no data chunk in the first " + std::to_string(head.size()) + " bytes");
}

}  // namespace vemo::sfx
