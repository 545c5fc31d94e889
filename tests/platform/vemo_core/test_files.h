#pragma once

// Small file helpers shared by the core library's tests; every folder lies in the test's
// temporary data root.

#include <QDir>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace core_tests {

// An empty folder "<temp>/<group>/<name>".
inline std::filesystem::path FreshFolder(const std::string& group, const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(qPrintable(QDir::tempPath())) / group / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline void WriteFile(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

inline std::string ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace core_tests
