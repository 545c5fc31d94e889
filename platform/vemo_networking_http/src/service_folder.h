#pragma once

#include <QJsonObject>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vemo::networking::detail {

// The local folder behind a base address, or why there is none.
struct Service {
    std::filesystem::path folder;
    std::string problem; // "" when the folder is there

    bool reachable() const { return problem.empty(); }
};

// Reads a file:// base address with QUrl::toLocalFile.
Service OpenService(const std::string& baseAddress);
Service OpenDefaultService();

// A service file that is not the JSON object it should be.
class MalformedServiceFile : public std::runtime_error {
public:
    explicit MalformedServiceFile(const std::filesystem::path& file);
};

// The object in a service file; nullopt when the file is absent. Throws MalformedServiceFile for
// anything else (not a regular file, too large, not a JSON object).
std::optional<QJsonObject> ReadServiceObject(const std::filesystem::path& file);

// What the optional "_faults.json" of the service scripts. Read once when made; a malformed file
// scripts nothing.
class Faults {
public:
    explicit Faults(const std::filesystem::path& serviceFolder);

    struct Scripted {
        enum class Kind { None, Status, Fail, Throw } kind = Kind::None;
        int status = 0;
        std::string message;
    };
    Scripted For(std::string_view operation) const;
    // Throttle in bytes per second (0: unthrottled); VEMO_WEB_THROTTLE_BPS overrides the file.
    uint64_t BytesPerSecond() const;
    bool FailsFile(std::string_view name) const;
    bool UncheckedNames() const;

    // Appends "<line>\n" to "_journal.log" when the file asks for a journal.
    void Journal(const std::string& line) const;

private:
    std::filesystem::path folder_;
    QJsonObject faults_;
};

// The show a credential opens, from "credentials.json"; "" when the credential is unknown or the
// show id is not a safe name. Throws MalformedServiceFile.
std::string ShowIdFor(const std::filesystem::path& serviceFolder, const std::string& credential);

// A version number of the service: a JSON integer 0..255.
std::optional<uint8_t> VersionNumber(const QJsonValue& value);

// The file an address names when it is a file:// URL whose target resolves (links followed)
// inside `folder`; nullopt otherwise.
std::optional<std::filesystem::path> ResolveInside(const std::string& fileUrl, const std::filesystem::path& folder);

// "file://" address of a local path.
std::string FileAddress(const std::filesystem::path& file);

} // namespace vemo::networking::detail
