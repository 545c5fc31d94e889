#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vemo::osc {

// Type codes of OSC arguments, as stored in each argument.
enum OscType : std::int32_t {
    kOscTypeUnknown = 0,
    kOscTypeInt32 = 1,
    kOscTypeFloat32 = 2,
    kOscTypeString = 3,
    kOscTypeBlob = 4,
};

// The type code of one character of a type-tag string.
constexpr OscType OscTypeOfTag(char tag)
{
    switch (tag) {
    case 'i':
        return kOscTypeInt32;
    case 'f':
        return kOscTypeFloat32;
    case 's':
        return kOscTypeString;
    case 'b':
        return kOscTypeBlob;
    default:
        return kOscTypeUnknown;
    }
}

// Reads a NUL-terminated, NUL-padded OSC string from the `count` bytes at `data`. Returns the text
// (a view into `data`) and sets `consumed` to its padded length. Throws std::runtime_error when the
// bytes hold no NUL, end before the padding does, or carry a pad byte that is not NUL.
std::string_view ReadPaddedString(const std::uint8_t* data, std::size_t count, std::size_t& consumed);

// A typed argument of an OSC message. Conversions that the argument's kind does not offer throw
// std::runtime_error.
class OscParam {
public:
    explicit OscParam(OscType type) : type_(type) {}
    virtual ~OscParam() = default;
    OscParam& operator=(const OscParam&) = delete;

    virtual std::string toString() const;
    virtual std::int32_t toInt32() const;
    virtual float toFloat32() const;

    OscType type() const { return type_; }

protected:
    // Arguments are copied as their own class only, never through the base.
    OscParam(const OscParam&) = default;

private:
    OscType type_;
};

class OscInt32 final : public OscParam {
public:
    explicit OscInt32(std::int32_t value) : OscParam(kOscTypeInt32), value_(value) {}

    // Reads 4 big-endian bytes; `consumed` becomes 4.
    static OscInt32 Read(const std::uint8_t* data, std::size_t count, std::size_t& consumed);

    std::string toString() const override;
    std::int32_t toInt32() const override { return value_; }
    float toFloat32() const override { return static_cast<float>(value_); }

private:
    std::int32_t value_;
};

class OscFloat32 final : public OscParam {
public:
    explicit OscFloat32(float value) : OscParam(kOscTypeFloat32), value_(value) {}

    // Reads the IEEE-754 single in 4 big-endian bytes; `consumed` becomes 4.
    static OscFloat32 Read(const std::uint8_t* data, std::size_t count, std::size_t& consumed);

    // Six decimals, a point as decimal separator whatever the process's locale (2.5 gives 2.500000).
    std::string toString() const override;
    float toFloat32() const override { return value_; }

private:
    float value_;
};

class OscString final : public OscParam {
public:
    explicit OscString(std::string value) : OscParam(kOscTypeString), value_(std::move(value)) {}

    // Reads a padded string; `consumed` becomes its padded length.
    static OscString Read(const std::uint8_t* data, std::size_t count, std::size_t& consumed);

    std::string toString() const override { return value_; }

private:
    std::string value_;
};

} // namespace vemo::osc
