#include "send/held_osc_cues.h"

namespace vemo {

void HeldOscCues::Enqueue(const CL::Osc& cue, std::uint32_t delayMs, Interface* player, PlayerOscCallback& sender)
{
    if (player != nullptr && player->GetIsPlaying()) {
        sender.ExecuteEvent(cue, delayMs);
        return;
    }
    cues_.push_back({cue, player != nullptr ? player->GetCurrentSongNumber() : std::string()});
}

void HeldOscCues::Flush(Interface* player, PlayerOscCallback& sender)
{
    std::string first;
    std::string current;
    if (player != nullptr) {
        const SongNameMap songs = player->GetSongNamesBySongNumber();
        first = songs.empty() ? std::string() : songs.begin()->first;
        current = player->GetCurrentSongNumber();
    }
    while (!cues_.empty()) {
        const Held held = cues_.front();
        cues_.pop_front();
        if (held.song == current || (held.song.empty() && current == first)) {
            sender.ExecuteEvent(held.cue, 0);
        }
    }
}

} // namespace vemo
