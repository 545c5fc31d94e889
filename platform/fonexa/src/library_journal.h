#pragma once

#include <string>

namespace vemo::audio::detail {

// Appends one line to the library's test journal (testing::Journal()).
void WriteJournal(std::string line);

}  // namespace vemo::audio::detail
