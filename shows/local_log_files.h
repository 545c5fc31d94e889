#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vemo::qt {

class ChangelogListModel;

// Splits at each `delimiter` up to `maxSplits` times (negative: no limit); the rest of the text is
// the last piece, possibly empty.
std::vector<std::string> SplitString(const std::string& text, char delimiter, int maxSplits);

// Refills `model` with the event logs of `folder` (files whose path ends in ".logdata"), read with
// the show's record file, sorted by version. A log that cannot be read is skipped with a line on
// standard error. A folder that cannot be iterated throws std::filesystem::filesystem_error.
void ListLocalLogs(ChangelogListModel& model, const std::filesystem::path& folder,
                   const std::filesystem::path& recordFile);

// Keeps, per version key (the text after the last "-" of the path, without its extension), only
// the log file with the latest write time (whole seconds; on a tie the one met first). Throws
// std::filesystem::filesystem_error when the folder cannot be iterated or a file cannot be removed.
void RemoveDuplicateLogFiles(const std::filesystem::path& folder);

} // namespace vemo::qt
