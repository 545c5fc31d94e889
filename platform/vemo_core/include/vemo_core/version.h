#pragma once

#include "vemo_core/types.h"

#include <string>

namespace cmn {

// A change-log version "major.minor".
struct VEMOVersion {
    UInt16 majorVersion = 0;
    UInt16 minorVersion = 0;

    std::string GetAsString() const;
    // Reads "M.m" (each part 0..65535); on bad text returns false and keeps the value.
    bool SetWithString(const std::string& text);
    bool operator<(const VEMOVersion& other) const;
    bool operator==(const VEMOVersion& other) const;
};

// A version read from "major.minor" text, compared part by part as numbers ("1.10" >= "1.9");
// a part that is not a number reads as 0.
class FileVersion {
public:
    explicit FileVersion(const std::string& text);

    bool operator>=(const FileVersion& other) const;
    bool operator<(const FileVersion& other) const;
    bool operator==(const FileVersion& other) const;

    unsigned long Major() const { return major_; }
    unsigned long Minor() const { return minor_; }

private:
    unsigned long major_ = 0;
    unsigned long minor_ = 0;
};

} // namespace cmn
