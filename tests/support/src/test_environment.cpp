#include "vemo_test/test_environment.h"

#include <QStandardPaths>
#include <QString>

#include <cstdlib>
#include <iostream>
#include <string>
#include <system_error>

namespace vemo::testing {
namespace {

class IsolatedEnvironment {
public:
    IsolatedEnvironment()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vemo-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::cerr << "Cannot create a temporary folder for the test environment\n";
            std::abort();
        }
        root_ = pattern;
        const auto set = [this](const char* name, const std::filesystem::path& sub) {
            const auto folder = root_ / sub;
            std::filesystem::create_directories(folder);
            std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::replace);
            setenv(name, folder.c_str(), 1);
        };
        set("XDG_DATA_HOME", "data");
        set("XDG_CONFIG_HOME", "config");
        set("XDG_CACHE_HOME", "cache");
        set("XDG_RUNTIME_DIR", "runtime");
        std::filesystem::create_directories(root_ / "machine");
        setenv("XDG_DATA_DIRS", ((root_ / "machine").string() + ":/usr/share").c_str(), 1);
    }

    ~IsolatedEnvironment()
    {
        if (std::getenv("VEMO_KEEP_TEST_DATA") == nullptr) {
            std::error_code ignored;
            std::filesystem::remove_all(root_, ignored);
        }
    }

    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path root_;
};

IsolatedEnvironment& environment()
{
    static IsolatedEnvironment instance;
    return instance;
}

// Set the variables before main() runs, ahead of any Qt call.
[[maybe_unused]] const bool kInitialised = (environment(), true);

bool isInside(const QString& folder, const std::filesystem::path& root)
{
    const auto relative = std::filesystem::path(folder.toStdString()).lexically_relative(root);
    return !relative.empty() && *relative.begin() != "..";
}

} // namespace

const std::filesystem::path& TestRoot()
{
    return environment().root();
}

bool DataFoldersAreIsolated()
{
    const auto locations = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    return locations.size() >= 2 && isInside(locations.at(0), TestRoot()) && isInside(locations.at(1), TestRoot());
}

} // namespace vemo::testing
