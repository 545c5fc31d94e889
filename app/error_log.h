#pragma once

#include <cstdint>
#include <exception>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// What the crash log's header says about the machine.
struct MachineDescription {
    struct Volume {
        std::string name;
        std::string rootPath;
        std::string fileSystemType;
        std::int64_t bytesAvailable = 0;
        std::int64_t bytesTotal = 0;
        bool validAndReady = true;
    };

    std::string cpuArchitecture;
    std::string productName;
    std::string kernelType;
    std::string kernelVersion;
    std::string hostName;
    std::vector<Volume> volumes;

    static MachineDescription Current();
};

// 64-bit FNV-1a of the bytes of text.
std::uint64_t Fnv1a64(std::string_view text);

// The diagnostic log written when an exception escapes: a header describing the program and the
// machine, then one record per logged exception. Everything written is echoed to the console.
struct ErrorLog {
    ErrorLog(std::ostream& out, const std::string& application, const std::string& version);
    ErrorLog(std::ostream& out, const std::string& application, const std::string& version,
             const MachineDescription& machine);

    void LogException(const std::exception& e);

private:
    void WriteLine(const std::string& text);

    bool echo = true;
    std::ostream* out;
    std::mutex lineLock;
    std::string application;
    std::string version;
};

// The dynamic type name of e as a C++ programmer spells it ("std::runtime_error").
std::string ExceptionTypeName(const std::exception& e);

} // namespace vemo
