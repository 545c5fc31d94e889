#include "handlers/vemo_osc_callbacks.h"

#include "osc/osc_address.h"

#include <fonexa/sfx_player.h>
#include <vemo_player_core/interface.h>

#include <algorithm>
#include <stdexcept>

namespace vemo {

namespace {

// Fades are limited to 10 seconds; shorter and negative times pass unchanged.
float FadeMilliseconds(float seconds)
{
    return std::min(seconds, 10.0F) * 1000.0F;
}

} // namespace

VemoOscCallbacks::VemoOscCallbacks(std::shared_ptr<Interface> player, std::string showName)
    : player_(std::move(player))
    , oscShowName_(osc::ToOscName(showName))
{
}

bool VemoOscCallbacks::MatchesShow(const std::string& show) const
{
    return show.empty() || show == oscShowName_;
}

bool VemoOscCallbacks::MatchesSong(const std::string& song) const
{
    return song.empty() || song == player_->GetCurrentSongNumber();
}

bool VemoOscCallbacks::Matches(const std::string& show, const std::string& song) const
{
    return MatchesShow(show) && MatchesSong(song);
}

void VemoOscCallbacks::Stop(std::string show, std::string song)
{
    if (Matches(show, song)) {
        player_->Stop();
    }
}

void VemoOscCallbacks::Play(std::string show, std::string song)
{
    if (!MatchesShow(show)) {
        return;
    }
    if (MatchesSong(song)) {
        player_->Stop();
        player_->Play();
        emit RequestPlayQueudOscEvents();
        return;
    }
    try {
        LoadAndPlay(song);
    } catch (const std::exception& error) {
        ReportError(error.what(), "OSC was unable to load and play the specified song number");
    }
}

void VemoOscCallbacks::LoadAndPlay(const std::string& song)
{
    if (!player_->SongExists(song)) {
        throw std::runtime_error("Song " + song + " does not exist.");
    }
    player_->LoadSong(player_->GetActualSongNumber(song));
    player_->Play();
    emit RequestPlayQueudOscEvents();
}

void VemoOscCallbacks::FadeOut(std::string show, std::string song, float seconds)
{
    if (Matches(show, song)) {
        emit FadeRequested(FadeMilliseconds(seconds));
    }
}

void VemoOscCallbacks::FadeTo(std::string show, std::string song, float seconds, float gain, bool gotoNextSong)
{
    if (Matches(show, song)) {
        emit FadeToRequested(FadeMilliseconds(seconds), gain, gotoNextSong);
    }
}

void VemoOscCallbacks::Volume(float gain)
{
    player_->SetVolume(static_cast<double>(gain));
}

void VemoOscCallbacks::Advance(std::string show, std::string song)
{
    if (Matches(show, song)) {
        player_->Continue();
        emit RequestPlayQueudOscEvents();
    }
}

void VemoOscCallbacks::Pause(std::string show, std::string song)
{
    if (!Matches(show, song)) {
        return;
    }
    if (player_->GetIsPaused()) {
        player_->Continue();
        emit RequestPlayQueudOscEvents();
    } else {
        player_->Pause(false);
    }
}

void VemoOscCallbacks::GoToEvent(std::string show, std::string song, std::string eventId)
{
    if (!Matches(show, song)) {
        return;
    }
    CL::Editor* editor = player_->GetChangeLogEditor();
    if (editor == nullptr) {
        return;
    }
    const auto events = editor->GetEventsByEventId();
    const auto found = events.find(eventId);
    if (found == events.end()) {
        return;
    }
    const UInt32 tick = player_->GetTickIndex();
    const UInt32 start = found->second->start();
    const UInt32 end = found->second->end();
    if (end != 0) {
        if (start <= tick && tick <= end) {
            player_->Continue();
        } else {
            SeekOrNextSong(end);
        }
    } else if (tick == start) {
        player_->Continue();
        emit RequestPlayQueudOscEvents();
    } else {
        SeekOrNextSong(start);
    }
}

void VemoOscCallbacks::SeekOrNextSong(unsigned tick)
{
    const std::string song = player_->GetCurrentSongNumber();
    if (tick < player_->GetSongAudioEndTick(song)) {
        player_->Pause(false);
        player_->Seek(tick);
        player_->Continue();
        emit RequestPlayQueudOscEvents();
        return;
    }
    const UInt8 attacca = player_->GetAttacca(song);
    player_->NextSong();
    if (attacca == 1) {
        player_->Continue();
        emit RequestPlayQueudOscEvents();
    }
}

void VemoOscCallbacks::SfxPlay(std::string show, std::string sfxId)
{
    if (MatchesShow(show) && audio::SfxPlayerController().play(sfxId) == 0) {
        throw std::runtime_error("Unable to play sfx cue with id " + sfxId);
    }
}

void VemoOscCallbacks::SfxStop(std::string show, std::string sfxId)
{
    if (MatchesShow(show)) {
        audio::SfxPlayerController().stop(sfxId);
    }
}

void VemoOscCallbacks::SfxStopAll(std::string show)
{
    if (MatchesShow(show)) {
        audio::SfxPlayerController().stop();
    }
}

void VemoOscCallbacks::Notify(const osc::OscMessage&)
{
    emit Notification();
}

} // namespace vemo
