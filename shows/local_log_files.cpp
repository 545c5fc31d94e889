#include "shows/local_log_files.h"

#include "shows/changelog_list_model.h"

#include <utilon/path.h>
#include <vemo_core/change_log.h>

#include <chrono>
#include <iostream>
#include <map>

namespace vemo::qt {
namespace {

bool IsLogFile(const std::filesystem::path& path)
{
    return path.string().ends_with(".logdata");
}

long long WriteSeconds(const std::filesystem::path& file)
{
    const auto written = std::filesystem::last_write_time(file);
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::file_clock::to_sys(written).time_since_epoch())
        .count();
}

} // namespace

std::vector<std::string> SplitString(const std::string& text, char delimiter, int maxSplits)
{
    std::vector<std::string> pieces;
    std::size_t position = 0;
    int splits = 0;
    if (maxSplits != 0) {
        while (position < text.size()) {
            const std::size_t found = text.find(delimiter, position);
            if (found == std::string::npos)
                break;
            pieces.push_back(text.substr(position, found - position));
            position = found + 1;
            if (++splits == maxSplits)
                break;
        }
    }
    pieces.push_back(position < text.size() ? text.substr(position) : std::string());
    return pieces;
}

void ListLocalLogs(ChangelogListModel& model, const std::filesystem::path& folder,
                   const std::filesystem::path& recordFile)
{
    model.clear();
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!IsLogFile(entry.path()))
            continue;
        try {
            model.addUnique(CL::ChangeLog(entry.path(), recordFile));
        } catch (const std::exception& failure) {
            std::cerr << "Skipped event log " << entry.path().string() << ": " << failure.what() << std::endl;
        }
    }
    model.sortByVersion();
}

void RemoveDuplicateLogFiles(const std::filesystem::path& folder)
{
    struct Kept {
        std::filesystem::path path;
        long long seconds = 0;
    };
    std::map<std::string, Kept> newest;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!IsLogFile(entry.path()) || !entry.is_regular_file())
            continue;
        const std::vector<std::string> pieces = SplitString(entry.path().string(), '-', -1);
        if (pieces.size() < 2)
            continue;
        const std::string key = utilon::path::splitext(pieces.back()).first;
        const long long seconds = WriteSeconds(entry.path());
        const auto kept = newest.find(key);
        if (kept == newest.end()) {
            newest.emplace(key, Kept{entry.path(), seconds});
        } else if (seconds > kept->second.seconds) {
            std::filesystem::remove(kept->second.path);
            kept->second = Kept{entry.path(), seconds};
        } else {
            std::filesystem::remove(entry.path());
        }
    }
}

} // namespace vemo::qt
