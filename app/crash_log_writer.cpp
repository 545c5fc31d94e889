#include "app/crash_log_writer.h"

#include "app/error_log.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace vemo {

void CrashLogWriter::SetProduct(const std::string& application, const std::string& version)
{
    const std::lock_guard guard(lock);
    this->application = application;
    this->version = version;
}

void CrashLogWriter::SetDirectory(const std::string& directory)
{
    const std::lock_guard guard(lock);
    this->directory = directory;
}

bool CrashLogWriter::ExceptionCaught() const
{
    return exceptionSeen;
}

void CrashLogWriter::Write(const std::exception& e) noexcept
{
    exceptionSeen = true;
    try {
        const std::lock_guard guard(lock);
        if (written) {
            std::cerr << "Further exception (not in the crash log): " << ExceptionTypeName(e) << ": " << e.what()
                      << std::endl;
            return;
        }
        written = true;
        WriteFirst(e);
    } catch (const std::exception& failure) {
        std::cerr << "Cannot write the crash log: " << failure.what() << std::endl;
    }
}

void CrashLogWriter::WriteFirst(const std::exception& e)
{
    if (!directory) {
        std::ostream nowhere(nullptr);
        ErrorLog(nowhere, application, version).LogException(e);
        return;
    }
    std::ofstream file(std::filesystem::path(*directory) / "vemo_tn_error_log.txt", std::ios::out | std::ios::trunc);
    ErrorLog(file, application, version).LogException(e);
}

} // namespace vemo
