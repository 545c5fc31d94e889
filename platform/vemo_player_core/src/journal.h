#pragma once

#include <charconv>
#include <cstdint>
#include <deque>
#include <exception>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <type_traits>
#include <vector>

namespace vemo::engine {

// Journal text of call arguments: strings quoted, bools true/false, numbers by the shortest text
// that reads back as the same value of their type, functions "<fn>".
inline std::string JournalArg(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out.push_back('\\');
        out.push_back(c);
    }
    return out + "\"";
}

inline std::string JournalArg(const char* text)
{
    return JournalArg(std::string(text ? text : ""));
}

inline std::string JournalArg(bool value)
{
    return value ? "true" : "false";
}

template<class F>
std::string JournalArg(const std::function<F>&)
{
    return "<fn>";
}

template<class T>
    requires std::is_arithmetic_v<T>
std::string JournalArg(T value)
{
    if constexpr (std::is_same_v<T, std::uint8_t> || std::is_same_v<T, char>) {
        return std::to_string(static_cast<int>(value));
    } else {
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    }
}

template<class... Args>
std::string JournalCall(const std::string& name, const Args&... args)
{
    std::string line = name + "(";
    bool first = true;
    ((line += (first ? "" : ",") + JournalArg(args), first = false), ...);
    return line + ")";
}

// The engine's call journal: kept in memory (the most recent lines) and, when a path is given,
// appended to a file and flushed per line. The file gets exactly the memory's lines in the same
// order: a line whose result follows holds back the lines after it until it is complete.
class Journal {
public:
    explicit Journal(const std::string& path);

    // Appends a line and returns its number; with resultFollows it stays open until Complete.
    std::size_t Add(std::string line, bool resultFollows = false);
    // Appends `suffix` to an open line and closes it.
    void Complete(std::size_t index, const std::string& suffix);
    std::vector<std::string> Lines() const;
    void Clear();

private:
    struct Unwritten {
        std::size_t index;
        std::string text;
        bool open;
    };
    void WriteReady();

    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    std::size_t dropped_ = 0;
    std::ofstream file_;
    std::deque<Unwritten> unwritten_;
};

// The journal line of a call whose result follows. It closes when given its result or error, or
// when it goes out of scope: unchanged after a normal return, marked "->throw" while an exception
// leaves the call.
class JournalLine {
public:
    JournalLine() = default;
    JournalLine(Journal& journal, std::size_t index)
        : journal_(&journal), index_(index), exceptions_(std::uncaught_exceptions())
    {
    }
    JournalLine(const JournalLine&) = delete;
    JournalLine& operator=(const JournalLine&) = delete;
    ~JournalLine() { Close(std::uncaught_exceptions() > exceptions_ ? "->throw" : ""); }

    void Result(const std::string& result) const { Close("->" + result); }
    void Failed(const std::string& error) const { Close("->throw " + JournalArg(error)); }

private:
    void Close(const std::string& suffix) const
    {
        if (journal_)
            journal_->Complete(index_, suffix);
        journal_ = nullptr;
    }

    mutable Journal* journal_ = nullptr;
    std::size_t index_ = 0;
    int exceptions_ = 0;
};

}  // namespace vemo::engine
