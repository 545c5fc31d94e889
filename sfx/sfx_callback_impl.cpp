#include "sfx/sfx_callback_impl.h"

#include <iostream>
#include <mutex>
#include <shared_mutex>

namespace vemo {
namespace {

std::string CurrentSongNumber(const SongState& songState)
{
    std::shared_lock lock(songState.mutex);
    return songState.currentSongNumber;
}

}  // namespace

SfxCallbackImpl::SfxCallbackImpl() : manager_(std::make_unique<audio::SfxManager>()) {}

SfxCallbackImpl::~SfxCallbackImpl() = default;

void SfxCallbackImpl::StopAllEffects()
{
    manager_->StopAllEffects();
}

void SfxCallbackImpl::StopAmbientEffects()
{
    manager_->StopAmbientEffects();
}

void SfxCallbackImpl::StopPrimaryEffects()
{
    manager_->StopPrimaryEffects();
}

void SfxCallbackImpl::PlayEvent(const std::string& eventId)
{
    manager_->ForEachPlayer([this, &eventId](int player, const audio::sfx::SfxDto& dto) {
        if (dto.eventId() == eventId)
            manager_->Play(player, 0);
    });
}

void SfxCallbackImpl::TriggerSfx(CL::SfxAmbient& event)
{
    PlayEvent(event.EventId());
}

void SfxCallbackImpl::TriggerSfx(CL::Sfx& event)
{
    PlayEvent(event.EventId());
}

void SfxCallbackImpl::RegisterAmbientPlayer(CL::SfxAmbient& event, const SongState& songState)
{
    const CL::SfxProperties properties = event.sfx_properties();
    const audio::AmbientList& ambient = manager_->GetAmbientList();
    const int index = ambient.Find(properties.effectId());
    if (index < 0) {
        std::cerr << "Ambient effect " << properties.effectId() << " of " << event.EventId()
                  << " is not in the manifest's ambient list" << std::endl;
        return;
    }
    const auto dto = audio::sfx::SfxDto::builder()
                         .name(properties.name())
                         .outputPath(properties.outputPath())
                         .effectId(properties.effectId())
                         .effectPath(ambient.GetPath(index))
                         .type(audio::SfxType::Ambient)
                         .effectIdIndex(properties.effectIdIndex())
                         .fadeIn(0)
                         .fadeOut(0)
                         .volume(properties.volume())
                         .reverb(properties.reverb())
                         .pan(properties.pan())
                         .interval({CurrentSongNumber(songState), event.start(), event.end()})
                         .build();
    const int player = manager_->AddPlayer(dto);
    const std::string& pathId = properties.outputPath();
    manager_->SetPlayerOutputPath(player, manager_->GetPathIdType(core::DataVector(pathId.begin(), pathId.end())));
    manager_->Stop(player, 0);
}

void SfxCallbackImpl::ProcessAmbientEvents(unsigned first, unsigned second, std::string song)
{
    manager_->ForEachPlayer([&](int player, const audio::sfx::SfxDto& dto) {
        if (dto.type() == audio::SfxType::Primary)
            return;
        if (dto.isActiveInterval(song, first, second))
            manager_->Play(player, 0);
        else
            manager_->Stop(player, 0);
    });
}

}  // namespace vemo
