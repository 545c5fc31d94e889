#include "library_journal.h"

#include "fonexa/sfx_player.h"

#include <mutex>
#include <vector>

namespace vemo::audio {
namespace {

struct LibraryJournal {
    std::mutex mutex;
    std::vector<std::string> lines;
};

LibraryJournal& libraryJournal()
{
    static LibraryJournal instance;
    return instance;
}

}  // namespace

void detail::WriteJournal(std::string line)
{
    auto& journal = libraryJournal();
    std::lock_guard lock(journal.mutex);
    journal.lines.push_back(std::move(line));
}

std::vector<std::string> testing::Journal()
{
    auto& journal = libraryJournal();
    std::lock_guard lock(journal.mutex);
    return journal.lines;
}

void testing::ClearJournal()
{
    auto& journal = libraryJournal();
    std::lock_guard lock(journal.mutex);
    journal.lines.clear();
}

}  // namespace vemo::audio
