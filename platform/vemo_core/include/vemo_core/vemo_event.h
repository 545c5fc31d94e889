#pragma once

#include "vemo_core/properties.h"
#include "vemo_core/types.h"
#include "vemo_core/version.h"

#include <memory>
#include <ostream>
#include <string>

namespace utilon {
class CoutBuffer;
}

namespace cmn {

// One change-log event. Every event object is of one of the twelve CL:: kinds; the base holds
// every field, and its copy operations are protected so that an event can never be sliced into a
// base object. Events are identified by (code(), EventId()).
class VemoEvent {
public:
    virtual ~VemoEvent();

    virtual UInt32 abs_time() const; // = start()
    virtual UInt8 code() const;
    virtual bool operator<(UInt32 tick) const; // start() < tick
    virtual bool operator<(const VemoEvent& other) const; // by (start, code, id)
    virtual bool operator>(UInt32 tick) const;
    virtual bool operator==(const VemoEvent& other) const; // every value equal
    virtual bool operator==(UInt32 tick) const;
    virtual bool operator>=(UInt32 tick) const;
    virtual bool operator<=(UInt32 tick) const;
    virtual bool operator!=(const VemoEvent& other) const;
    // "<Name> <id> <start>-<end> <value>"
    virtual void WriteString(std::ostream& out) const;
    virtual void WriteString(utilon::CoutBuffer& out) const;
    virtual void start(UInt32 tick);
    virtual UInt32 start() const;
    virtual void end(UInt32 tick); // no-op on point kinds, whose end() is always 0
    virtual UInt32 end() const;
    virtual void value(std::string text);
    virtual std::string value() const;
    virtual void int_value(int value);
    virtual int int_value() const;
    virtual void float_value(double value);
    virtual void float_value(float value);
    virtual float float_value() const;
    virtual void sfx_properties(const CL::SfxProperties& properties);
    virtual CL::SfxProperties sfx_properties() const;
    virtual void osc_properties(const CL::OscProperties& properties);
    virtual CL::OscProperties osc_properties() const;
    virtual VEMOVersion VersionTarget() const; // {2, 0}
    virtual bool IsPairedEvent() const; // region kinds
    virtual UInt32 GetLengthTicks() const; // end - start for region kinds, else 0
    // A deep copy of the concrete kind.
    virtual std::unique_ptr<VemoEvent> Clone() const = 0;

    const std::string& EventId() const { return id_; }
    void SetEventId(std::string id) { id_ = std::move(id); }

    // The value as text for messages: count, half steps, factor, marker text, effect name or
    // OSC message, depending on the kind.
    std::string ValueText() const;

protected:
    VemoEvent(UInt8 code, UInt32 start, UInt32 end, std::string id);
    VemoEvent(const VemoEvent&) = default;
    VemoEvent& operator=(const VemoEvent&) = default;

private:
    template<class Stream>
    void WriteTo(Stream& out) const;

    UInt8 code_;
    UInt32 start_;
    UInt32 end_;
    std::string id_;
    std::string text_;
    int int_ = 0;
    float float_ = 0.0f;
    CL::SfxProperties sfx_;
    CL::OscProperties osc_;
};

} // namespace cmn
