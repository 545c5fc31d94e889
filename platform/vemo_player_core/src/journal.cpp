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
    const auto index = dropped_ + lines_.size();
    if (file_.is_open()) {
        unwritten_.push_back(Unwritten{index, line, resultFollows});
        WriteReady();
    }
    lines_.push_back(std::move(line));
    return index;
}

void Journal::Complete(std::size_t index, const std::string& suffix)
{
    std::lock_guard lock(mutex_);
    if (index >= dropped_ && index - dropped_ < lines_.size())
        lines_[index - dropped_] += suffix;
    for (auto& entry : unwritten_) {
        if (entry.index == index && entry.open) {
            entry.text += suffix;
            entry.open = false;
        }
    }
    WriteReady();
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

void Journal::WriteReady()
{
    while (!unwritten_.empty() && !unwritten_.front().open) {
        file_ << unwritten_.front().text << std::endl;
        unwritten_.pop_front();
    }
}

}  // namespace vemo::engine
