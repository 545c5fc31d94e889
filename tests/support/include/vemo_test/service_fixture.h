#pragma once

// Writes web-service folders for tests, in the layout the web client stand-in reads:
//
//     vemo::testing::ServiceFixture service;               // a fresh folder under the test's root
//     service.AddFile({.type = "SHOW", .name = "show.json", .bytes = "{}"});
//     service.AddLog({.majorVersion = 2, .minorVersion = 0, .fileName = "Show-2.0.logdata", .bytes = log});
//     service.SetFaults(QJsonObject{{"journal", true}});
//     service.UseAsDefault();                               // VEMO_WEB_BASE points at it
//
// Credential "fixture-credential" opens show "fixture" unless other values are given.

#include <QJsonObject>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vemo::testing {

struct ServiceFile {
    std::string type{};
    std::string name{};
    std::string bytes{};
    int majorVersion = -1; // written when not negative
    int minorVersion = -1;
    std::optional<std::uint64_t> size{}; // none: the size of `bytes`
    std::optional<std::string> sha256{}; // none: the sha256 of `bytes`
    bool stored = true; // false: listed, but no file under files/
};

struct ServiceLog {
    int majorVersion = 1;
    int minorVersion = 0;
    std::string fileName{};
    std::string bytes{};
    std::int32_t modified = 0;
    std::optional<std::string> text{}; // none: the sha256 of `bytes`
    bool stored = true;
    QJsonObject extraFields{}; // written over the fields above
};

class ServiceFixture {
public:
    explicit ServiceFixture(std::string showId = "fixture", std::string credential = "fixture-credential");

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path showFolder() const { return folder_ / "shows" / showId_; }
    const std::string& credential() const { return credential_; }
    // The folder's file:// address.
    std::string Address() const;
    // Points VEMO_WEB_BASE at this folder.
    void UseAsDefault() const;

    void AddFile(const ServiceFile& file);
    // A raw entry of files.json.
    void AddFileEntry(const QJsonObject& entry);
    void AddLog(const ServiceLog& log);
    void SetLatest(int majorVersion, int minorVersion);
    void SetFaults(const QJsonObject& faults) const;
    // The lines of "_journal.log".
    std::vector<std::string> JournalLines() const;

    static std::string Sha256(const std::string& bytes);
    static void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
    static std::string ReadBytes(const std::filesystem::path& file);

private:
    void WriteLists() const;

    std::filesystem::path folder_;
    std::string showId_;
    std::string credential_;
    std::vector<QJsonObject> files_;
    std::vector<QJsonObject> logs_;
    std::optional<QJsonObject> latest_;
};

} // namespace vemo::testing
