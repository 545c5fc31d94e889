#include "osc/osc_command_processor.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vemo::osc {

namespace {

constexpr const char* kProcessErrorTitle = "Unable to process OSC command";

// Decibels outside this range are bounded before they are truncated or turned into a gain, so that
// the conversion is defined and the gain finite.
constexpr float kDecibelLimit = 200.0F;

float FiniteFloat(const OscParam& argument)
{
    const float value = argument.toFloat32();
    if (!std::isfinite(value)) {
        throw std::runtime_error("OSC argument is not a finite number.");
    }
    return value;
}

bool IsNumber(const OscParam& argument)
{
    return argument.type() == kOscTypeInt32 || argument.type() == kOscTypeFloat32;
}

float BoundedDecibels(const OscParam& argument)
{
    return std::clamp(FiniteFloat(argument), -kDecibelLimit, kDecibelLimit);
}

// The gain of whole decibels: the value is truncated toward zero.
double WholeDecibelGain(const OscParam& argument)
{
    return DbToGain(static_cast<int>(BoundedDecibels(argument)));
}

} // namespace

OscCommandProcessor::OscCommandProcessor(std::unique_ptr<OscProcInterface> handlers)
    : handlers_(std::move(handlers))
{
}

void OscCommandProcessor::Process(const OscMessage& message) noexcept
{
    if (!handlers_) {
        return;
    }
    try {
        Dispatch(message);
    } catch (const std::exception& error) {
        try {
            handlers_->ReportError(error.what(), kProcessErrorTitle);
        } catch (const std::exception&) {
            // A handler that cannot report has nothing left to tell; the next message is handled as usual.
        }
    }
}

void OscCommandProcessor::Dispatch(const OscMessage& message)
{
    handlers_->Notify(message);
    const OscAddress address = ParseOscAddress(message.address);
    if (address.isSfx) {
        if (message.arguments.empty()) {
            ProcessSfx(address);
        } else {
            ProcessSfxArgs(address, message.arguments);
        }
    } else if (address.isEvent) {
        ProcessEvent(address);
    } else {
        ProcessCommand(address, message.arguments);
    }
}

void OscCommandProcessor::ProcessCommand(const OscAddress& address, const OscArguments& arguments)
{
    const std::string& command = address.command;
    if (command == "advance" || command == "go") {
        handlers_->Advance(address.show, address.song);
    } else if (command == "fadeout") {
        float seconds = 0.25F;
        if (!arguments.empty() && IsNumber(*arguments[0])) {
            seconds = FiniteFloat(*arguments[0]);
        }
        handlers_->FadeOut(address.show, address.song, seconds);
    } else if (command == "fadeto") {
        float seconds = 0.25F;
        float gain = 0.5F;
        if (arguments.size() == 2) {
            gain = static_cast<float>(WholeDecibelGain(*arguments[0]));
            seconds = FiniteFloat(*arguments[1]);
        }
        handlers_->FadeTo(address.show, address.song, seconds, gain, false);
    } else if (command == "stop") {
        handlers_->Stop(address.show, address.song);
        ProcessSfx(ParseOscAddress("/vemo/sfx/*/stop"));
    } else if (command == "play") {
        handlers_->Play(address.show, address.song);
    } else if (command == "pause") {
        handlers_->Pause(address.show, address.song);
    } else if (command == "volume") {
        float gain = 1.0F;
        if (!arguments.empty() && IsNumber(*arguments[0])) {
            gain = static_cast<float>(std::pow(10.0, BoundedDecibels(*arguments[0]) / 20.0));
        }
        handlers_->Volume(gain);
    }
}

void OscCommandProcessor::ProcessEvent(const OscAddress& address)
{
    if (address.command != "advance" && address.command != "go") {
        throw std::runtime_error("Unknown command for OSC event command.");
    }
    handlers_->GoToEvent(address.show, address.song, address.id);
}

void OscCommandProcessor::ProcessSfx(const OscAddress& address)
{
    if (address.command == "play") {
        handlers_->SfxPlay(address.show, address.id);
    } else if (address.command == "stop") {
        if (address.id == "*") {
            handlers_->SfxStopAll(address.show);
        } else {
            handlers_->SfxStop(address.show, address.id);
        }
    }
}

void OscCommandProcessor::ProcessSfxArgs(const OscAddress& address, const OscArguments& arguments)
{
    if (address.command != "fadeto") {
        return;
    }
    if (arguments.size() < 2) {
        throw std::runtime_error("OSC sfx fadeto needs two arguments.");
    }
    const float milliseconds = FiniteFloat(*arguments[1]) * 1000.0F;
    const double gain = WholeDecibelGain(*arguments[0]);
    handlers_->SfxFadeTo(address.show, address.id, gain, milliseconds);
}

} // namespace vemo::osc

