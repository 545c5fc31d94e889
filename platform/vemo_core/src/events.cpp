#include "vemo_core/events.h"

#include "vemo_core/codes.h"

namespace CL {

Vamp::Vamp(UInt32 start, UInt32 end, std::string id, int count)
    : VemoEvent(codes::kVamp, start, end, std::move(id))
{
    int_value(count);
}

Repeat::Repeat(UInt32 start, UInt32 end, std::string id, int count)
    : VemoEvent(codes::kRepeat, start, end, std::move(id))
{
    int_value(count);
}

Cut::Cut(UInt32 start, UInt32 end, std::string id, int value)
    : VemoEvent(codes::kCut, start, end, std::move(id))
{
    int_value(value);
}

Transpose::Transpose(UInt32 start, UInt32 end, std::string id, int halfSteps)
    : VemoEvent(codes::kTranspose, start, end, std::move(id))
{
    int_value(halfSteps);
}

TempoScale::TempoScale(UInt32 start, UInt32 end, std::string id, double factor)
    : VemoEvent(codes::kTempoScale, start, end, std::move(id))
{
    float_value(factor);
}

Marker::Marker(UInt32 tick, std::string text, std::string id)
    : VemoEvent(codes::kMarker, tick, 0, std::move(id))
{
    value(std::move(text));
}

Marker::Marker(const cmn::VemoEvent& event)
    : Marker(event.start(), event.value(), event.EventId())
{
}

Click::Click(UInt32 start, UInt32 end, std::string id, int clickValue)
    : VemoEvent(codes::kClick, start, end, std::move(id))
{
    int_value(clickValue);
}

Fermata::Fermata(UInt32 start, UInt32 end, std::string id, int value)
    : VemoEvent(codes::kSkip, start, end, std::move(id))
{
    int_value(value);
}

Caesura::Caesura(UInt32 tick, std::string id, UInt32 value)
    : VemoEvent(codes::kCaesura, tick, 0, std::move(id))
{
    int_value(static_cast<int>(value));
}

Sfx::Sfx(UInt32 tick, std::string id, SfxProperties properties)
    : VemoEvent(codes::kSfx, tick, 0, std::move(id))
{
    sfx_properties(properties);
}

SfxAmbient::SfxAmbient(UInt32 start, UInt32 end, std::string id, SfxProperties properties)
    : VemoEvent(codes::kSfxAmbient, start, end, std::move(id))
{
    sfx_properties(properties);
}

Osc::Osc(UInt32 tick, std::string id, OscProperties properties)
    : VemoEvent(codes::kOsc, tick, 0, std::move(id))
{
    osc_properties(properties);
}

std::shared_ptr<cmn::VemoEvent> CopyVemoEvent(const cmn::VemoEvent& event)
{
    return event.Clone();
}

std::unique_ptr<cmn::VemoEvent> MakeEvent(UInt8 code, UInt32 start, UInt32 end, std::string id)
{
    switch (code) {
    case codes::kVamp:
        return std::make_unique<Vamp>(start, end, std::move(id), 0);
    case codes::kRepeat:
        return std::make_unique<Repeat>(start, end, std::move(id), 1);
    case codes::kCut:
        return std::make_unique<Cut>(start, end, std::move(id));
    case codes::kTranspose:
        return std::make_unique<Transpose>(start, end, std::move(id), 0);
    case codes::kTempoScale:
        return std::make_unique<TempoScale>(start, end, std::move(id), 1.0);
    case codes::kMarker:
        return std::make_unique<Marker>(start, std::string(), std::move(id));
    case codes::kClick:
        return std::make_unique<Click>(start, end, std::move(id), 4);
    case codes::kSkip:
        return std::make_unique<Fermata>(start, end, std::move(id));
    case codes::kCaesura:
        return std::make_unique<Caesura>(start, std::move(id));
    case codes::kSfx:
        return std::make_unique<Sfx>(start, std::move(id));
    case codes::kSfxAmbient:
        return std::make_unique<SfxAmbient>(start, end, std::move(id), SfxProperties());
    case codes::kOsc:
        return std::make_unique<Osc>(start, std::move(id));
    default:
        return nullptr;
    }
}

} // namespace CL
