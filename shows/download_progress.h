#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace vemo::qt {

// Turns a show download's per-file progress into at most one report per 100 ms: the file's bytes
// and, once the expected total is known, the bytes received over all files. Counts are 64-bit; a
// file reported with fewer bytes than before lowers the total. Not locked: the calls must not
// overlap.
class DownloadProgress {
public:
    // Time in 100 ns ticks of a steady clock.
    using Clock = std::function<int64_t()>;
    static int64_t SteadyTicks();
    static constexpr int64_t kReportInterval = 1'000'000; // 100 ms

    explicit DownloadProgress(Clock clock = SteadyTicks);

    struct Report {
        double fileReceived = 0;
        double fileSize = 0;
        std::optional<std::pair<double, double>> total; // (received, expected)
    };
    // The report this call makes, or nullopt when the size is 0 or the last report is under 100 ms
    // old. While the expected total is 0 the report holds no total and the time is not renewed.
    std::optional<Report> Add(const std::string& file, uint64_t received, uint64_t size);
    void SetExpectedTotal(int32_t expected) { expectedTotal_ = expected; }

private:
    Clock clock_;
    int64_t lastReportTime_;
    std::map<std::string, std::pair<uint64_t, uint64_t>> files_;
    int64_t totalReceived_ = 0;
    int32_t expectedTotal_ = 0;
};

} // namespace vemo::qt
