#include "journal.h"

namespace vemo::engine {
namespace {
constexpr std::size_t kKeptLines = 200000;
}

Journal::Journal(const std::string& path)
{
    if (!path.empty())
        file_.open(path, std::ios::app);
}

std::size_t Journal::Add(std::string line, bool resultFollows)
{
    std::lock_guard lock(mutex_);
    if (lines_.size() >= kKeptLines) {
        const auto drop = kKeptLines / 2;
        lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(drop));
        dropped_ += drop;
    }
    if (!resultFollows)
        WriteToFile(line);
    lines_.push_back(std::move(line));
    return dropped_ + lines_.size() - 1;
}

void Journal::AddResult(std::size_t index, const std::string& result)
{
    std::lock_guard lock(mutex_);
    if (index < dropped_ || index - dropped_ >= lines_.size())
        return;
    lines_[index - dropped_] += "->" + result;
    WriteToFile(lines_[index - dropped_]);
}

std::vector<std::string> Journal::Lines() const
{
    std::lock_guard lock(mutex_);
    return lines_;
}

void Journal::Clear()
{
    std::lock_guard lock(mutex_);
    dropped_ += lines_.size();
    lines_.clear();
}

void Journal::WriteToFile(const std::string& line)
{
    if (file_.is_open())
        file_ << line << std::endl;
}

}  // namespace vemo::engine
