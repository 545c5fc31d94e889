#pragma once

#include <atomic>
#include <exception>
#include <mutex>
#include <optional>
#include <string>

namespace vemo {

// Writes the crash log "vemo_tn_error_log.txt" for the first exception that escapes during a run,
// from any thread. Later exceptions of the same run go to standard error only.
class CrashLogWriter {
public:
    void SetProduct(const std::string& application, const std::string& version);
    // Until the directory is known no file is written; the log still echoes to the console.
    void SetDirectory(const std::string& directory);

    void Write(const std::exception& e) noexcept;
    // Whether any exception reached Write during this run.
    bool ExceptionCaught() const;

private:
    void WriteFirst(const std::exception& e);

    std::mutex lock;
    std::string application;
    std::string version;
    std::optional<std::string> directory;
    bool written = false;
    std::atomic<bool> exceptionSeen = false;
};

} // namespace vemo
