#include "fonexa/sfx_manager.h"

#include "library_journal.h"

#include <algorithm>
#include <stdexcept>

namespace vemo::audio {
namespace {

struct Seed {
    std::mutex mutex;
    std::vector<sfx::SfxDto> players;
};

Seed& seed()
{
    static Seed instance;
    return instance;
}

std::vector<sfx::SfxDto> TakeSeed()
{
    auto& s = seed();
    std::lock_guard lock(s.mutex);
    return std::exchange(s.players, {});
}

std::vector<AmbientList::Entry> ReadAmbientEntries()
{
    std::vector<AmbientList::Entry> entries;
    for (auto& [effectId, path] : vemo::sfx::SfxManifest().ambientEffects())
        entries.push_back({std::move(effectId), std::move(path)});
    return entries;
}

std::string PlayerText(int id, const sfx::SfxDto& dto)
{
    return std::to_string(id) + (dto.eventId().empty() ? "" : " " + dto.eventId());
}

}  // namespace

AmbientList::AmbientList(std::vector<Entry> entries) : entries_(std::move(entries)) {}

int AmbientList::Find(const std::string& effectId) const
{
    const auto it =
        std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) { return entry.effectId == effectId; });
    return it == entries_.end() ? -1 : static_cast<int>(it - entries_.begin());
}

std::string AmbientList::GetPath(int index) const
{
    if (index < 0 || index >= size())
        throw std::out_of_range("No ambient effect at index " + std::to_string(index));
    return entries_[static_cast<std::size_t>(index)].path;
}

SfxManager::SfxManager() : ambient_(ReadAmbientEntries())
{
    for (const auto& dto : TakeSeed())
        AddPlayer(dto);
}

void SfxManager::Write(std::string line)
{
    journal_.push_back(line);
    detail::WriteJournal(std::move(line));
}

SfxManager::Player& SfxManager::Require(int id)
{
    const auto it = players_.find(id);
    if (it == players_.end())
        throw std::out_of_range("No sound-effect player " + std::to_string(id));
    return it->second;
}

const SfxManager::Player& SfxManager::Require(int id) const
{
    return const_cast<SfxManager*>(this)->Require(id);
}

int SfxManager::AddPlayer(const sfx::SfxDto& dto)
{
    std::lock_guard lock(mutex_);
    const int id = nextId_++;
    players_.emplace(id, Player{dto, false, dto.outputPath()});
    Write("manager.AddPlayer " + PlayerText(id, dto));
    return id;
}

void SfxManager::ForEachPlayer(const std::function<void(int, const sfx::SfxDto&)>& visit) const
{
    std::vector<std::pair<int, const sfx::SfxDto*>> players;
    {
        std::lock_guard lock(mutex_);
        for (const auto& [id, player] : players_)
            players.emplace_back(id, &player.dto);
    }
    for (const auto& [id, dto] : players)
        visit(id, *dto);
}

const sfx::SfxDto& SfxManager::GetSfxDto(int id) const
{
    std::lock_guard lock(mutex_);
    return Require(id).dto;
}

void SfxManager::Play(int id, int)
{
    std::lock_guard lock(mutex_);
    auto& player = Require(id);
    player.playing = true;
    Write("manager.Play " + PlayerText(id, player.dto));
}

void SfxManager::Stop(int id, int)
{
    std::lock_guard lock(mutex_);
    auto& player = Require(id);
    player.playing = false;
    Write("manager.Stop " + PlayerText(id, player.dto));
}

bool SfxManager::IsPlaying(int id) const
{
    std::lock_guard lock(mutex_);
    return Require(id).playing;
}

PathIdType SfxManager::PlayerOutputPath(int id) const
{
    std::lock_guard lock(mutex_);
    return Require(id).outputPath;
}

void SfxManager::SetPlayerOutputPath(int id, const PathIdType& path)
{
    std::lock_guard lock(mutex_);
    Require(id).outputPath = path;
    Write("manager.SetPlayerOutputPath " + std::to_string(id) + " " + path);
}

void SfxManager::StopWhere(const char* call, const std::function<bool(const sfx::SfxDto&)>& matches)
{
    std::lock_guard lock(mutex_);
    Write(std::string("manager.") + call);
    for (auto& [id, player] : players_) {
        if (matches(player.dto))
            player.playing = false;
    }
}

void SfxManager::StopAllEffects()
{
    StopWhere("StopAllEffects", [](const sfx::SfxDto&) { return true; });
}

void SfxManager::StopAmbientEffects()
{
    StopWhere("StopAmbientEffects", [](const sfx::SfxDto& dto) { return dto.type() != SfxType::Primary; });
}

void SfxManager::StopPrimaryEffects()
{
    StopWhere("StopPrimaryEffects", [](const sfx::SfxDto& dto) { return dto.type() == SfxType::Primary; });
}

const AmbientList& SfxManager::GetAmbientList() const
{
    return ambient_;
}

PathIdType SfxManager::GetPathIdType(const vemo::core::DataVector& bytes) const
{
    return PathIdType(bytes.begin(), bytes.end());
}

std::vector<std::string> SfxManager::Journal() const
{
    std::lock_guard lock(mutex_);
    return journal_;
}

void testing::SeedNextManager(std::vector<sfx::SfxDto> players)
{
    auto& s = seed();
    std::lock_guard lock(s.mutex);
    s.players = std::move(players);
}

}  // namespace vemo::audio
