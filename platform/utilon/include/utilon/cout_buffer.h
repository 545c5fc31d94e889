#pragma once

#include <memory>
#include <ostream>

namespace utilon {

// An output stream whose completed lines go to std::cout whole, one line at a time under a
// process-wide lock, so lines written from several threads never interleave.
class CoutBuffer : public std::ostream {
public:
    CoutBuffer();
    ~CoutBuffer() override;

    CoutBuffer(const CoutBuffer&) = delete;
    CoutBuffer& operator=(const CoutBuffer&) = delete;

private:
    class LineBuffer;
    std::unique_ptr<LineBuffer> buffer_;
};

} // namespace utilon
