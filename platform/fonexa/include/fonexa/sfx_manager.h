#pragma once

#include "fonexa/sfx_dto.h"

#include <vemo_core/types.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace vemo::audio {

// An output path as the players address it: the path id's bytes as text.
using PathIdType = std::string;

// The manifest's ambient effects in file order, read when the list is made.
class AmbientList {
public:
    struct Entry {
        std::string effectId;
        std::string path;  // "" when the manifest gives no file
    };

    explicit AmbientList(std::vector<Entry> entries);

    // The index of the first entry with that effect id; -1 when there is none.
    int Find(const std::string& effectId) const;
    // Throws std::out_of_range("No ambient effect at index <i>") outside the list.
    std::string GetPath(int index) const;
    int size() const { return static_cast<int>(entries_.size()); }

private:
    std::vector<Entry> entries_;
};

// Players by int id (from 1), each with its effect record. Every call may come from any thread;
// ForEachPlayer calls its visitor without holding the manager's lock, so the visitor may call the
// manager. Each call is written to the manager's journal and to the library's test journal, one
// line per call ("manager.Play 3 SFX1").
class SfxManager {
public:
    SfxManager();
    SfxManager(const SfxManager&) = delete;
    SfxManager& operator=(const SfxManager&) = delete;

    int AddPlayer(const sfx::SfxDto& dto);
    void ForEachPlayer(const std::function<void(int, const sfx::SfxDto&)>& visit) const;
    // These throw std::out_of_range("No sound-effect player <id>") for an id never added.
    const sfx::SfxDto& GetSfxDto(int id) const;
    void Play(int id, int fadeMs);
    void Stop(int id, int fadeMs);
    bool IsPlaying(int id) const;
    PathIdType PlayerOutputPath(int id) const;
    void SetPlayerOutputPath(int id, const PathIdType& path);

    void StopAllEffects();
    void StopAmbientEffects();
    void StopPrimaryEffects();

    const AmbientList& GetAmbientList() const;
    PathIdType GetPathIdType(const vemo::core::DataVector& bytes) const;

    std::vector<std::string> Journal() const;

private:
    struct Player {
        sfx::SfxDto dto;
        bool playing = false;
        PathIdType outputPath;
    };

    Player& Require(int id);
    const Player& Require(int id) const;
    void Write(std::string line);
    void StopWhere(const char* call, const std::function<bool(const sfx::SfxDto&)>& matches);

    const AmbientList ambient_;
    mutable std::mutex mutex_;
    std::map<int, Player> players_;  // nodes never move: GetSfxDto hands out references
    int nextId_ = 1;
    std::vector<std::string> journal_;
};

namespace testing {
// The next SfxManager made starts with players for these records, added in order.
void SeedNextManager(std::vector<sfx::SfxDto> players);
}  // namespace testing

}  // namespace vemo::audio
