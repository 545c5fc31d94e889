#pragma once

#include <charconv>
#include <cstdint>
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
// appended to a file and flushed per line.
class Journal {
public:
    explicit Journal(const std::string& path);

    // Appends a line and returns its number; with resultFollows the file gets the line once
    // AddResult completes it.
    std::size_t Add(std::string line, bool resultFollows = false);
    void AddResult(std::size_t index, const std::string& result);
    std::vector<std::string> Lines() const;
    void Clear();

private:
    void WriteToFile(const std::string& line);

    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    std::size_t dropped_ = 0;
    std::ofstream file_;
};

}  // namespace vemo::engine
