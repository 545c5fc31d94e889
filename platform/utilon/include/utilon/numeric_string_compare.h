#pragma once

#include <string>

namespace utilon {

// Orders texts as people order song numbers: runs of ASCII digits compare by their value
// ("2" < "10"), with leading zeros ignored and then the shorter run first ("1" < "01");
// every other character compares byte-wise ("10" < "10A" < "11").
struct NumericStringCompare {
    bool operator()(const std::string& a, const std::string& b) const;
};

} // namespace utilon
