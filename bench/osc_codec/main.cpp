// Decodes and encodes the same OSC messages with our codec, liblo and oscpack, in interleaved rounds of
// one run, and prints ns/op per side and the ratios.
#include "osc/osc_datagram_builder.h"
#include "osc/osc_message.h"

#include <lo/lo.h>
#include <osc/OscReceivedElements.h>

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace {

struct Argument {
    char type;
    std::int32_t i = 0;
    float f = 0.0F;
    const char* s = "";
};

struct Case {
    const char* name;
    QString text;
    std::string address;
    std::vector<Argument> arguments;
};

std::vector<Case> Cases()
{
    return {
        {"play", "/vemo/play", "/vemo/play", {}},
        {"song+show play", "/vemo/song/12/show/main_stage/play", "/vemo/song/12/show/main_stage/play", {}},
        {"fadeto -6 2.5", "/vemo/fadeto -6 2.5", "/vemo/fadeto", {{'i', -6}, {'f', 0, 2.5F}}},
        {"volume -6.5", "/vemo/volume -6.5", "/vemo/volume", {{'f', 0, -6.5F}}},
        {"cue text", "/cue/12/go \"Scene 4\" 1 0.5", "/cue/12/go", {{'s', 0, 0, "Scene 4"}, {'i', 1}, {'f', 0, 0.5F}}},
    };
}

lo_message LibloMessage(const Case& c)
{
    lo_message message = lo_message_new();
    for (const Argument& argument : c.arguments) {
        switch (argument.type) {
        case 'i':
            lo_message_add_int32(message, argument.i);
            break;
        case 'f':
            lo_message_add_float(message, argument.f);
            break;
        default:
            lo_message_add_string(message, argument.s);
            break;
        }
    }
    return message;
}

// The datagram liblo sends for a case: always with a type-tag string.
std::vector<char> LibloBytes(const Case& c)
{
    lo_message message = LibloMessage(c);
    std::size_t size = 0;
    void* bytes = lo_message_serialise(message, c.address.c_str(), nullptr, &size);
    std::vector<char> datagram(static_cast<char*>(bytes), static_cast<char*>(bytes) + size);
    std::free(bytes);
    lo_message_free(message);
    return datagram;
}

volatile std::uint64_t sink = 0;

std::uint64_t Touch(const std::string& text)
{
    return text.size() + static_cast<unsigned char>(text.empty() ? 0 : text.back());
}

std::uint64_t DecodeOurs(std::vector<char>& datagram)
{
    const auto message
        = vemo::osc::ParseOscMessage(reinterpret_cast<const std::uint8_t*>(datagram.data()), datagram.size());
    std::uint64_t sum = Touch(message.address);
    for (const auto& argument : message.arguments) {
        switch (argument->type()) {
        case vemo::osc::kOscTypeInt32:
            sum += static_cast<std::uint32_t>(argument->toInt32());
            break;
        case vemo::osc::kOscTypeFloat32:
            sum += static_cast<std::uint64_t>(argument->toFloat32() * 2);
            break;
        default:
            sum += Touch(argument->toString());
            break;
        }
    }
    return sum;
}

std::uint64_t DecodeLiblo(std::vector<char>& datagram)
{
    int result = 0;
    lo_message message = lo_message_deserialise(datagram.data(), datagram.size(), &result);
    const char* path = lo_get_path(datagram.data(), static_cast<ssize_t>(datagram.size()));
    std::uint64_t sum = Touch(std::string(path));
    const char* types = lo_message_get_types(message);
    lo_arg** argv = lo_message_get_argv(message);
    for (int i = 0, n = lo_message_get_argc(message); i < n; ++i) {
        switch (types[i]) {
        case 'i':
            sum += static_cast<std::uint32_t>(argv[i]->i);
            break;
        case 'f':
            sum += static_cast<std::uint64_t>(argv[i]->f * 2);
            break;
        default:
            sum += Touch(std::string(&argv[i]->s));
            break;
        }
    }
    lo_message_free(message);
    return sum;
}

using OwnedArgument = std::variant<std::int32_t, float, std::string>;

std::uint64_t DecodeOscpackOwned(std::vector<char>& datagram)
{
    const osc::ReceivedMessage message(osc::ReceivedPacket(datagram.data(), static_cast<osc::osc_bundle_element_size_t>(datagram.size())));
    const std::string address = message.AddressPattern();
    std::vector<OwnedArgument> arguments;
    arguments.reserve(message.ArgumentCount());
    for (auto it = message.ArgumentsBegin(); it != message.ArgumentsEnd(); ++it) {
        switch (it->TypeTag()) {
        case 'i':
            arguments.emplace_back(static_cast<std::int32_t>(it->AsInt32Unchecked()));
            break;
        case 'f':
            arguments.emplace_back(it->AsFloatUnchecked());
            break;
        default:
            arguments.emplace_back(std::string(it->AsStringUnchecked()));
            break;
        }
    }
    std::uint64_t sum = Touch(address);
    for (const OwnedArgument& argument : arguments) {
        if (const auto* i = std::get_if<std::int32_t>(&argument)) {
            sum += static_cast<std::uint32_t>(*i);
        } else if (const auto* f = std::get_if<float>(&argument)) {
            sum += static_cast<std::uint64_t>(*f * 2);
        } else {
            sum += Touch(std::get<std::string>(argument));
        }
    }
    return sum;
}

std::uint64_t DecodeOscpackView(std::vector<char>& datagram)
{
    const osc::ReceivedMessage message(osc::ReceivedPacket(datagram.data(), static_cast<osc::osc_bundle_element_size_t>(datagram.size())));
    std::uint64_t sum = static_cast<unsigned char>(message.AddressPattern()[1]);
    for (auto it = message.ArgumentsBegin(); it != message.ArgumentsEnd(); ++it) {
        switch (it->TypeTag()) {
        case 'i':
            sum += static_cast<std::uint32_t>(it->AsInt32Unchecked());
            break;
        case 'f':
            sum += static_cast<std::uint64_t>(it->AsFloatUnchecked() * 2);
            break;
        default:
            sum += static_cast<unsigned char>(it->AsStringUnchecked()[0]);
            break;
        }
    }
    return sum;
}

std::uint64_t EncodeOurs(const Case& c)
{
    const QByteArray datagram = vemo::osc::BuildOscDatagram(c.text);
    return static_cast<std::uint64_t>(datagram.size()) + static_cast<unsigned char>(datagram.back());
}

std::uint64_t EncodeLiblo(const Case& c)
{
    lo_message message = LibloMessage(c);
    std::size_t size = 0;
    void* bytes = lo_message_serialise(message, c.address.c_str(), nullptr, &size);
    const std::uint64_t sum = size + static_cast<unsigned char*>(bytes)[size - 1];
    std::free(bytes);
    lo_message_free(message);
    return sum;
}

// Nanoseconds per call: the median over interleaved rounds of the sides of one comparison.
std::vector<double> Measure(const std::vector<std::function<std::uint64_t()>>& sides, int rounds, int iterations)
{
    std::vector<std::vector<double>> samples(sides.size());
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t side = 0; side < sides.size(); ++side) {
            const auto start = std::chrono::steady_clock::now();
            std::uint64_t sum = 0;
            for (int i = 0; i < iterations; ++i) {
                sum += sides[side]();
            }
            const auto end = std::chrono::steady_clock::now();
            sink = sink + sum;
            samples[side].push_back(std::chrono::duration<double, std::nano>(end - start).count() / iterations);
        }
    }
    std::vector<double> medians;
    for (auto& values : samples) {
        std::sort(values.begin(), values.end());
        medians.push_back(values[values.size() / 2]);
    }
    return medians;
}

bool SameDecoding(std::vector<char>& datagram)
{
    return DecodeOurs(datagram) == DecodeLiblo(datagram) && DecodeOurs(datagram) == DecodeOscpackOwned(datagram);
}

bool SameEncoding(const Case& c)
{
    // Ours writes no type-tag string for a message without arguments; liblo always does.
    const QByteArray ours = vemo::osc::BuildOscDatagram(c.text);
    std::vector<char> theirs = LibloBytes(c);
    if (c.arguments.empty()) {
        return theirs.size() == std::size_t(ours.size()) + 4 && std::equal(ours.begin(), ours.end(), theirs.begin());
    }
    return std::equal(ours.begin(), ours.end(), theirs.begin(), theirs.end());
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
    const int iterations = argc > 2 ? std::atoi(argv[2]) : 20000;
    std::printf("OSC codec, %d interleaved rounds of %d calls per side; ns/op is the median round\n\n", rounds, iterations);

    bool agree = true;
    std::printf("Decode%-22s %10s %10s %12s %12s %10s %12s %12s\n", "", "ours", "liblo", "oscpack-own", "oscpack-view",
        "liblo/us", "oscpack-own/us", "oscpack-view/us");
    for (const Case& c : Cases()) {
        std::vector<char> datagram = LibloBytes(c);
        if (!SameDecoding(datagram)) {
            std::printf("  %s: the libraries decode different values\n", c.name);
            agree = false;
        }
        const auto ns = Measure({[&] { return DecodeOurs(datagram); }, [&] { return DecodeLiblo(datagram); },
                                    [&] { return DecodeOscpackOwned(datagram); }, [&] { return DecodeOscpackView(datagram); }},
            rounds, iterations);
        std::printf("  %-26s %10.1f %10.1f %12.1f %12.1f %9.2fx %11.2fx %11.2fx\n", c.name, ns[0], ns[1], ns[2], ns[3],
            ns[1] / ns[0], ns[2] / ns[0], ns[3] / ns[0]);
    }

    std::printf("\nEncode%-22s %10s %10s %10s\n", "", "ours", "liblo", "liblo/us");
    for (const Case& c : Cases()) {
        if (!SameEncoding(c)) {
            std::printf("  %s: our bytes differ from liblo's\n", c.name);
            agree = false;
        }
        const auto ns = Measure({[&] { return EncodeOurs(c); }, [&] { return EncodeLiblo(c); }}, rounds, iterations);
        std::printf("  %-26s %10.1f %10.1f %9.2fx\n", c.name, ns[0], ns[1], ns[1] / ns[0]);
    }
    std::printf("\nA ratio above 1 means ours is faster. Decoded values %s across the three libraries; "
                "encoded bytes %s liblo's.\n",
        agree ? "agree" : "DISAGREE", agree ? "match" : "do not all match");
    return agree ? 0 : 1;
}
