#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace vemo::osc {

// Which journal lines are printed.
using LineFilter = std::function<bool(const std::string& line)>;

// Prints the lines an in-memory journal gained since the last call, each behind a prefix.
class JournalPrinter {
public:
    using Source = std::function<std::vector<std::string>()>;

    JournalPrinter(std::string prefix, Source source);

    void PrintNew();

private:
    std::string prefix_;
    Source source_;
    std::size_t printed_ = 0;
};

// Prints the complete lines appended to a journal file since the last call (the file may not exist
// yet), each behind a prefix. Lines already in the file when it is made are left out.
class JournalFilePrinter {
public:
    JournalFilePrinter(std::string prefix, std::string path, LineFilter filter);

    void PrintNew();

private:
    std::string prefix_;
    std::string path_;
    LineFilter filter_;
    std::uintmax_t offset_ = 0;
    std::string partial_;
};

} // namespace vemo::osc
