#pragma once

#include "vemo_core/types.h"

#include <QMetaType>

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace vemo::core {

// What the program knows about one obtained show.
struct ShowRecord {
    std::string id; // "" = no show obtained
    std::string showName;
    std::string customerName;
    std::string directory; // relative to the data directory ("shows/<id>")
    std::string credential; // handed to the web client unchanged
    DataVector keyMaterial1; // score key, 32 bytes
    DataVector keyMaterial2; // IV, 16 bytes

    bool operator==(const ShowRecord& other) const = default;
};

// The shows obtained on this machine and the current one. "<dataDir>/showrecords.json" holds per
// show its id, folder, show and customer name and credential, and which show is current;
// "<show folder>/show.record" holds the show's id and key material. Shared between its users.
class ShowRecordStore {
public:
    // Reads "<dataDir>/showrecords.json": a missing file gives an empty store; an unreadable or
    // malformed one throws std::runtime_error("Show record store is malformed: " + path).
    explicit ShowRecordStore(std::filesystem::path dataDirectory);

    bool HasCurrentShow() const;
    std::string CurrentShowId() const; // "" when none
    std::filesystem::path DataDirectory() const { return dataDirectory_; }
    std::filesystem::path StoreFile() const; // "<dataDir>/showrecords.json"
    // dataDir / directory of the current record; no current show throws
    // std::runtime_error("No current show in <store file>").
    std::filesystem::path CurrentShowFolder() const;
    std::filesystem::path CurrentRecordFile() const; // CurrentShowFolder() / "show.record"
    // The current record with its key material (empty when "show.record" is missing; a malformed
    // record file throws std::runtime_error("Show record file is malformed: " + path)). No current
    // show throws as CurrentShowFolder().
    const ShowRecord& CurrentRecord() const;
    // The record of an id, with key material as above; unknown id throws
    // std::out_of_range("No show record for " + id).
    const ShowRecord& Record(const std::string& id) const;
    std::vector<std::string> ShowIds() const;

    // Adds or replaces (by id) a record; key material is not kept in the store file.
    void Put(const ShowRecord& record);
    void SetCurrent(const std::string& id);
    // Rewrites "showrecords.json" atomically; failure throws std::runtime_error.
    void Save() const;

private:
    const ShowRecord& WithKeyMaterial(const ShowRecord& stored) const;

    std::filesystem::path dataDirectory_;
    std::string current_;
    std::vector<ShowRecord> records_;
    // Records handed out by reference; a changed record is added, never written over, so a
    // reference another thread holds stays whole.
    mutable std::mutex cacheMutex_;
    mutable std::vector<std::unique_ptr<const ShowRecord>> handedOut_;
};

// Writes "<show folder>/show.record" (id and key material) atomically.
void WriteShowRecordFile(const std::filesystem::path& recordFile, const ShowRecord& record);
// Reads a record file into id and key material; missing file gives an empty record, a malformed
// one throws std::runtime_error("Show record file is malformed: " + path).
ShowRecord ReadShowRecordFile(const std::filesystem::path& recordFile);

// The show folder of the most recently constructed player, without trailing '/', "" before any.
struct Directories {
    static std::string GetShowDirectory();
    static void SetShowDirectory(std::string folder);
};

} // namespace vemo::core

using ShowRecord = vemo::core::ShowRecord;
using ShowRecordStore = vemo::core::ShowRecordStore;
using Directories = vemo::core::Directories;

Q_DECLARE_METATYPE(vemo::core::ShowRecord)
