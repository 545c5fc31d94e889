#include "vemo_test/pipe_watch.h"

#include <chrono>
#include <exception>
#include <future>

#include <fcntl.h>
#include <unistd.h>

namespace vemo::testing {

bool ReleaseFifos(const std::filesystem::path& folder)
{
    bool hadReader = false;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_fifo())
            continue;
        const int descriptor = ::open(entry.path().c_str(), O_WRONLY | O_NONBLOCK);
        if (descriptor >= 0) {
            hadReader = true;
            ::close(descriptor);
        }
    }
    return hadReader;
}

PipeWatchOutcome RunWatchingPipes(const std::function<void()>& call, const std::filesystem::path& folder)
{
    using namespace std::chrono_literals;
    auto result = std::async(std::launch::async, [&call] {
        try {
            call();
        } catch (const std::exception& e) {
            return std::string(e.what());
        }
        return std::string();
    });
    PipeWatchOutcome outcome;
    while (result.wait_for(20ms) != std::future_status::ready)
        outcome.openedPipe = ReleaseFifos(folder) || outcome.openedPipe;
    outcome.error = result.get();
    return outcome;
}

} // namespace vemo::testing
