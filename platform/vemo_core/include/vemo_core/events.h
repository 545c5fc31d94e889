#pragma once

#include "vemo_core/vemo_event.h"

#include <QMetaType>

#include <memory>
#include <string>

namespace CL {

// The change-log event kinds. Constructors take their arguments in the order the edit tools pass
// them; every class is copyable and Clone() keeps the class.
#define VEMO_CORE_EVENT_CLONE(Class)                                                                          \
    std::unique_ptr<cmn::VemoEvent> Clone() const override { return std::make_unique<Class>(*this); }

class Vamp : public cmn::VemoEvent { // '@': int_value() count, 0 = until released
public:
    Vamp(UInt32 start, UInt32 end, std::string id, int count);
    VEMO_CORE_EVENT_CLONE(Vamp)
};

class Repeat : public cmn::VemoEvent { // 'A': int_value() count
public:
    Repeat(UInt32 start, UInt32 end, std::string id, int count);
    VEMO_CORE_EVENT_CLONE(Repeat)
};

class Cut : public cmn::VemoEvent { // 'B'
public:
    Cut(UInt32 start, UInt32 end, std::string id, int value = 0);
    VEMO_CORE_EVENT_CLONE(Cut)
};

class Transpose : public cmn::VemoEvent { // 'C': int_value() half steps
public:
    Transpose(UInt32 start, UInt32 end, std::string id, int halfSteps);
    VEMO_CORE_EVENT_CLONE(Transpose)
};

class TempoScale : public cmn::VemoEvent { // 'D': float_value() factor, 1.0 = 100 %
public:
    TempoScale(UInt32 start, UInt32 end, std::string id, double factor);
    VEMO_CORE_EVENT_CLONE(TempoScale)
};

class Marker : public cmn::VemoEvent { // 'E': value() text
public:
    Marker(UInt32 tick, std::string text, std::string id);
    // A marker at the event's start, with its value() as text and its id.
    explicit Marker(const cmn::VemoEvent& event);
    Marker(const Marker&) = default;
    Marker& operator=(const Marker&) = default;
    VEMO_CORE_EVENT_CLONE(Marker)
};

class Click : public cmn::VemoEvent { // 'L': int_value() clicks per whole note
public:
    Click(UInt32 start, UInt32 end, std::string id, int clickValue);
    VEMO_CORE_EVENT_CLONE(Click)
};

class Fermata : public cmn::VemoEvent { // 'M', shown as "Skip"
public:
    Fermata(UInt32 start, UInt32 end, std::string id, int value = 0);
    VEMO_CORE_EVENT_CLONE(Fermata)
};

class Caesura : public cmn::VemoEvent { // 'N'
public:
    Caesura(UInt32 tick, std::string id, UInt32 value = 0);
    VEMO_CORE_EVENT_CLONE(Caesura)
};

class Sfx : public cmn::VemoEvent { // 'Q': sfx_properties()
public:
    Sfx(UInt32 tick = 0, std::string id = {}, SfxProperties properties = {});
    VEMO_CORE_EVENT_CLONE(Sfx)
};

class SfxAmbient : public cmn::VemoEvent { // 'R': sfx_properties()
public:
    SfxAmbient(UInt32 start, UInt32 end, std::string id, SfxProperties properties);
    VEMO_CORE_EVENT_CLONE(SfxAmbient)
};

class Osc : public cmn::VemoEvent { // 'S': osc_properties()
public:
    Osc(UInt32 tick = 0, std::string id = {}, OscProperties properties = {});
    VEMO_CORE_EVENT_CLONE(Osc)
};

#undef VEMO_CORE_EVENT_CLONE

// A deep copy of an event, of its concrete kind.
std::shared_ptr<cmn::VemoEvent> CopyVemoEvent(const cmn::VemoEvent& event);

// A new event of the kind `code` with default values, or nullptr for a code that is no kind.
std::unique_ptr<cmn::VemoEvent> MakeEvent(UInt8 code, UInt32 start, UInt32 end, std::string id);

} // namespace CL

Q_DECLARE_METATYPE(CL::Osc)
