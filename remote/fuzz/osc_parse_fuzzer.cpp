// Feeds arbitrary bytes to the datagram decoder and reads every decoded argument in every way it
// offers. The sanitizers report any read outside the input and any undefined conversion.
#include "osc/osc_message.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace {

volatile std::size_t sink = 0;

template <typename Convert> void TryConvert(Convert&& convert)
{
    try {
        convert();
    } catch (const std::runtime_error&) {
        // Conversions an argument's kind does not offer are refused by design.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const vemo::osc::OscMessage message = vemo::osc::ParseOscMessage(data, size);
        std::size_t sum = message.address.size();
        for (const auto& argument : message.arguments) {
            sum += static_cast<std::size_t>(argument->type());
            TryConvert([&] { sum += argument->toString().size(); });
            TryConvert([&] { sum += static_cast<std::size_t>(argument->toInt32()); });
            TryConvert([&] { sum += argument->toFloat32() > 0.0F ? 1 : 0; });
        }
        sink = sink + sum;
    } catch (const std::runtime_error&) {
        // Malformed datagrams are refused with a message; that is the expected outcome for most inputs.
    }
    return 0;
}
