#include "vemo_core/vemo_event.h"

#include "vemo_core/codes.h"
#include "utilon/cout_buffer.h"

#include <charconv>
#include <tuple>

namespace cmn {
namespace {

std::string FloatText(float value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof(text), value);
    return std::string(text, result.ptr);
}

} // namespace

VemoEvent::VemoEvent(UInt8 code, UInt32 start, UInt32 end, std::string id)
    : code_(code)
    , start_(start)
    , end_(codes::IsRegionCode(code) ? end : 0)
    , id_(std::move(id))
{
}

VemoEvent::~VemoEvent() = default;

UInt32 VemoEvent::abs_time() const
{
    return start_;
}

UInt8 VemoEvent::code() const
{
    return code_;
}

bool VemoEvent::operator<(UInt32 tick) const
{
    return start_ < tick;
}

bool VemoEvent::operator<(const VemoEvent& other) const
{
    return std::tie(start_, code_, id_) < std::tie(other.start_, other.code_, other.id_);
}

bool VemoEvent::operator>(UInt32 tick) const
{
    return start_ > tick;
}

bool VemoEvent::operator==(const VemoEvent& other) const
{
    return code_ == other.code_ && id_ == other.id_ && start_ == other.start_ && end_ == other.end_
        && int_ == other.int_ && float_ == other.float_ && text_ == other.text_ && sfx_ == other.sfx_
        && osc_ == other.osc_;
}

bool VemoEvent::operator==(UInt32 tick) const
{
    return start_ == tick;
}

bool VemoEvent::operator>=(UInt32 tick) const
{
    return start_ >= tick;
}

bool VemoEvent::operator<=(UInt32 tick) const
{
    return start_ <= tick;
}

bool VemoEvent::operator!=(const VemoEvent& other) const
{
    return !(*this == other);
}

template<class Stream>
void VemoEvent::WriteTo(Stream& out) const
{
    out << codes::EditName(code_) << ' ' << id_ << ' ' << start_ << '-' << end_ << ' ' << ValueText();
}

void VemoEvent::WriteString(std::ostream& out) const
{
    WriteTo(out);
}

void VemoEvent::WriteString(utilon::CoutBuffer& out) const
{
    WriteTo(out);
}

void VemoEvent::start(UInt32 tick)
{
    start_ = tick;
}

UInt32 VemoEvent::start() const
{
    return start_;
}

void VemoEvent::end(UInt32 tick)
{
    if (IsPairedEvent())
        end_ = tick;
}

UInt32 VemoEvent::end() const
{
    return end_;
}

void VemoEvent::value(std::string text)
{
    text_ = std::move(text);
}

std::string VemoEvent::value() const
{
    return text_;
}

void VemoEvent::int_value(int value)
{
    int_ = value;
}

int VemoEvent::int_value() const
{
    return int_;
}

void VemoEvent::float_value(double value)
{
    float_ = static_cast<float>(value);
}

void VemoEvent::float_value(float value)
{
    float_ = value;
}

float VemoEvent::float_value() const
{
    return float_;
}

void VemoEvent::sfx_properties(const CL::SfxProperties& properties)
{
    sfx_ = properties;
}

CL::SfxProperties VemoEvent::sfx_properties() const
{
    return sfx_;
}

void VemoEvent::osc_properties(const CL::OscProperties& properties)
{
    osc_ = properties;
}

CL::OscProperties VemoEvent::osc_properties() const
{
    return osc_;
}

VEMOVersion VemoEvent::VersionTarget() const
{
    return VEMOVersion{2, 0};
}

bool VemoEvent::IsPairedEvent() const
{
    return codes::IsRegionCode(code_);
}

UInt32 VemoEvent::GetLengthTicks() const
{
    return IsPairedEvent() && end_ > start_ ? end_ - start_ : 0;
}

std::string VemoEvent::ValueText() const
{
    switch (code_) {
    case codes::kTempoScale:
        return FloatText(float_);
    case codes::kMarker:
        return text_;
    case codes::kSfx:
    case codes::kSfxAmbient:
        return sfx_.name();
    case codes::kOsc:
        return osc_.Message();
    case codes::kCaesura:
        return std::to_string(static_cast<UInt32>(int_));
    default:
        return std::to_string(int_);
    }
}

} // namespace cmn
