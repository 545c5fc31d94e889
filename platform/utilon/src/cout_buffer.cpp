#include "utilon/cout_buffer.h"

#include <iostream>
#include <mutex>
#include <streambuf>
#include <string>

namespace utilon {
namespace {

std::mutex& CoutMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace

class CoutBuffer::LineBuffer : public std::streambuf {
public:
    ~LineBuffer() override
    {
        if (!pending_.empty()) {
            pending_.push_back('\n');
            WriteCompletedLines();
        }
    }

protected:
    int_type overflow(int_type ch) override
    {
        if (traits_type::eq_int_type(ch, traits_type::eof()))
            return traits_type::not_eof(ch);
        pending_.push_back(traits_type::to_char_type(ch));
        if (traits_type::to_char_type(ch) == '\n')
            WriteCompletedLines();
        return ch;
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        pending_.append(text, static_cast<std::size_t>(count));
        if (pending_.find('\n') != std::string::npos)
            WriteCompletedLines();
        return count;
    }

    int sync() override
    {
        WriteCompletedLines();
        return 0;
    }

private:
    void WriteCompletedLines()
    {
        const std::size_t lastNewline = pending_.rfind('\n');
        if (lastNewline == std::string::npos)
            return;
        {
            std::lock_guard lock(CoutMutex());
            std::cout.write(pending_.data(), static_cast<std::streamsize>(lastNewline + 1));
            std::cout.flush();
        }
        pending_.erase(0, lastNewline + 1);
    }

    std::string pending_;
};

CoutBuffer::CoutBuffer()
    : std::ostream(nullptr)
    , buffer_(std::make_unique<LineBuffer>())
{
    rdbuf(buffer_.get());
}

CoutBuffer::~CoutBuffer()
{
    rdbuf(nullptr);
}

} // namespace utilon
