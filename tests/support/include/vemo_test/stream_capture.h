#pragma once

#include <iostream>
#include <ostream>
#include <sstream>
#include <string>

namespace vemo::testing {

// Collects what is written to a standard stream (std::cout, std::cerr) while it lives.
class CapturedStream {
public:
    explicit CapturedStream(std::ostream& stream)
        : stream_(stream), previous_(stream.rdbuf(captured_.rdbuf()))
    {
    }
    ~CapturedStream() { stream_.rdbuf(previous_); }
    CapturedStream(const CapturedStream&) = delete;
    CapturedStream& operator=(const CapturedStream&) = delete;

    std::string text() const { return captured_.str(); }

private:
    std::ostream& stream_;
    std::ostringstream captured_;
    std::streambuf* previous_;
};

} // namespace vemo::testing
