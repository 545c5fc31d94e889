#include "shows/download_progress.h"

#include <chrono>

namespace vemo::qt {

int64_t DownloadProgress::SteadyTicks()
{
    using Ticks = std::chrono::duration<int64_t, std::ratio<1, 10'000'000>>;
    return std::chrono::duration_cast<Ticks>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

DownloadProgress::DownloadProgress(Clock clock)
    : clock_(std::move(clock)), lastReportTime_(clock_())
{
}

std::optional<DownloadProgress::Report> DownloadProgress::Add(const std::string& file, uint64_t received, uint64_t size)
{
    if (size == 0)
        return std::nullopt;
    const int64_t now = clock_();
    if (now < lastReportTime_ + kReportInterval)
        return std::nullopt;
    Report report{static_cast<double>(received), static_cast<double>(size), std::nullopt};
    if (expectedTotal_ == 0)
        return report;
    const auto known = files_.find(file);
    const int64_t before = known == files_.end() ? 0 : static_cast<int64_t>(known->second.first);
    files_[file] = {received, size};
    totalReceived_ += static_cast<int64_t>(received) - before;
    report.total = std::pair(static_cast<double>(totalReceived_), static_cast<double>(expectedTotal_));
    lastReportTime_ = now;
    return report;
}

} // namespace vemo::qt
