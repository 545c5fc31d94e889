#include "vemo_core/song_log.h"

#include "vemo_core/change_log_document.h"
#include "vemo_core/codes.h"

namespace CL {
namespace {

template<class T>
void Append(std::vector<std::shared_ptr<const T>>& list, const std::shared_ptr<const cmn::VemoEvent>& event)
{
    list.push_back(std::static_pointer_cast<const T>(event));
}

} // namespace

SongLog::SongLog(const SongDocument& song)
    : all_(song.events)
{
    for (const auto& event : song.events) {
        switch (event->code()) {
        case codes::kVamp: Append(vamps_, event); break;
        case codes::kRepeat: Append(repeats_, event); break;
        case codes::kCut: Append(cuts_, event); break;
        case codes::kTranspose: Append(transpositions_, event); break;
        case codes::kTempoScale: Append(tempoScales_, event); break;
        case codes::kMarker: Append(markers_, event); break;
        case codes::kClick: Append(clicks_, event); break;
        case codes::kSkip: Append(fermatas_, event); break;
        case codes::kCaesura: Append(caesuras_, event); break;
        case codes::kSfx: Append(sfxs_, event); break;
        case codes::kSfxAmbient: Append(sfxAmbients_, event); break;
        case codes::kOsc: Append(oscs_, event); break;
        default: break;
        }
    }
    for (const auto& caesura : caesuras_) {
        bool insideCut = false;
        for (const auto& cut : cuts_)
            insideCut = insideCut || (cut->start() <= caesura->start() && caesura->start() < cut->end());
        if (!insideCut)
            displayCaesuras_.push_back(caesura.get());
    }
}

} // namespace CL
