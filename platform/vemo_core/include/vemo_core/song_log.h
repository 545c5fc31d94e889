#pragma once

#include "vemo_core/events.h"

#include <memory>
#include <vector>

namespace CL {

struct SongDocument;

// The published, read-only view of one song's change log: one tick-ordered sequence per kind.
// The objects are shared and never changed, so pointers taken from it stay valid as long as the
// view (or another holder of the objects) lives.
class SongLog {
public:
    SongLog() = default;
    explicit SongLog(const SongDocument& song);

    template<class T>
    using Events = std::vector<std::shared_ptr<const T>>;

    const Events<Fermata>& GetFermatas() const { return fermatas_; }
    const Events<Vamp>& GetVamps() const { return vamps_; }
    const Events<Cut>& GetCuts() const { return cuts_; }
    const Events<Repeat>& GetRepeats() const { return repeats_; }
    const Events<Transpose>& GetTranspositions() const { return transpositions_; }
    const Events<Click>& GetClicks() const { return clicks_; }
    const Events<TempoScale>& GetTempoScales() const { return tempoScales_; }
    const Events<Sfx>& GetSfxs() const { return sfxs_; }
    const Events<SfxAmbient>& GetSfxAmbients() const { return sfxAmbients_; }
    const Events<Osc>& GetOscs() const { return oscs_; }
    const Events<Marker>& GetMarkers() const { return markers_; }
    const Events<Caesura>& GetCaesuras() const { return caesuras_; }
    // Caesuras that playback can reach: every caesura not inside a cut [start, end).
    const std::vector<const Caesura*>& GetDisplayCaesurasRef() const { return displayCaesuras_; }

    // Every event of the song ordered by (start, code, id).
    const std::vector<std::shared_ptr<const cmn::VemoEvent>>& AllEvents() const { return all_; }

private:
    Events<Fermata> fermatas_;
    Events<Vamp> vamps_;
    Events<Cut> cuts_;
    Events<Repeat> repeats_;
    Events<Transpose> transpositions_;
    Events<Click> clicks_;
    Events<TempoScale> tempoScales_;
    Events<Sfx> sfxs_;
    Events<SfxAmbient> sfxAmbients_;
    Events<Osc> oscs_;
    Events<Marker> markers_;
    Events<Caesura> caesuras_;
    std::vector<const Caesura*> displayCaesuras_;
    std::vector<std::shared_ptr<const cmn::VemoEvent>> all_;
};

} // namespace CL
