#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace vemo::testing {

// Opens every FIFO of the folder for writing once, which succeeds only while a reader holds it open
// (or waits in open()): that reader then sees the end of the file. True when some FIFO had a reader.
bool ReleaseFifos(const std::filesystem::path& folder);

struct PipeWatchOutcome {
    bool openedPipe = false; // the call opened a FIFO of the folder for reading (and would wait on it)
    std::string error; // what() of the exception the call threw, "" when none
};

// Runs the call on a thread of its own while watching the folder's FIFOs: a reader of one is noted
// and released, so that a call that would wait for ever is reported and the test ends.
PipeWatchOutcome RunWatchingPipes(const std::function<void()>& call, const std::filesystem::path& folder);

} // namespace vemo::testing
