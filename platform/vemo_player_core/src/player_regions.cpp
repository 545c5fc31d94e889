#include "player.h"

#include "notification_text.h"
#include "position_lookup.h"

#include <algorithm>
#include <cmath>

// How the position relates to the change log's regions: which loops, skips and beds hold it, where
// the next boundary lies and how fast the position moves.
namespace vemo::engine {

using notify::EventKind;

void Player::UpdateRegions(bool reportMaps)
{
    const auto tick = Tick();
    std::map<std::string, const PlayRegion*> inside;
    for (const auto* regions : {&table_->vamps, &table_->repeats, &table_->skips}) {
        for (const auto& r : *regions) {
            if (r.Contains(tick))
                inside[r.Key()] = &r;
        }
    }
    for (auto it = loops_.begin(); it != loops_.end();) {
        if (inside.count(it->first)) {
            ++it;
            continue;
        }
        const char code = it->first.front();
        if (!it->second.exited) {
            if (code == '@') {
                Notify(EventKind::VampOff);
                FlowControl(0, kClearFlowControl);
            } else if (code == 'A') {
                FlowControl(0, kClearFlowControl);
            } else {
                FlowControl(0, kClearFlowControl);
                Notify(EventKind::VampOff);
            }
        }
        it = loops_.erase(it);
    }
    for (const auto& [key, region] : inside) {
        if (loops_.count(key))
            continue;
        loops_[key] = LoopState{};
        const int count = region->intValue;
        if (region->code == '@') {
            Notify(EventKind::VampOn);
            FlowControl(count > 0 ? count - 1 : 0, "Vamp");
        } else if (region->code == 'A') {
            FlowControl(std::max(0, count - 1), "Repeat");
        } else {
            FlowControl(0, "Skip");
            Notify(EventKind::VampOn);
        }
    }
    if (!reportMaps)
        return;
    const double scale = ScaleAt(tick);
    if (scale != scale_) {
        scale_ = scale;
        Notify(EventKind::TempoScale, 0, PercentText(scale_));
        ReportTempo(Tick());
    }
    const int transpose = TransposeAt(tick);
    if (transpose != transpose_) {
        transpose_ = transpose;
        Notify(EventKind::Transposition, transpose_);
        ReportKey(Tick());
    }
}

void Player::UpdateAmbient()
{
    std::map<std::string, PlayRegion> wanted;
    const bool running = transport_ == Transport::Playing || transport_ == Transport::Holding;
    if (running) {
        for (const auto& r : table_->ambients) {
            if (r.Contains(Tick()))
                wanted.emplace(r.id, r);
        }
    }
    // Beds gone from the table (an edit, undo or log switch) stop too: the set playing is the truth.
    for (const auto& [id, bed] : ambient_) {
        if (!wanted.count(id))
            sink_.EffectsAmbient(song_, bed, false);
    }
    for (const auto& [id, bed] : wanted) {
        if (!ambient_.count(id))
            sink_.EffectsAmbient(song_, bed, true);
    }
    ambient_ = std::move(wanted);
}

void Player::LookAheadOsc()
{
    if (transport_ != Transport::Playing)
        return;
    const auto tick = Tick();
    const double rate = Rate(tick);
    const auto boundary = NextBoundary(tick);
    const double reach = std::min(pos_ + rate * 0.020,
                                  static_cast<double>(boundary.jump ? boundary.tick - 1 : boundary.tick));
    const auto limit = static_cast<std::uint32_t>(std::floor(reach));
    for (const auto& cue : table_->oscs) {
        if (cue.tick < oscFrom_ || cue.tick > limit || CutAt(cue.tick))
            continue;
        const double delay = std::clamp((cue.tick - pos_) / rate * 1000.0, 0.0, 20.0);
        sink_.OscCue(cue, static_cast<unsigned>(std::lround(delay)), false);
    }
    if (limit + 1 > oscFrom_)
        oscFrom_ = limit + 1;
}

Player::Boundary Player::NextBoundary(std::uint32_t tick) const
{
    Boundary best{desc_->audioEndTick, true};
    auto consider = [&](std::uint32_t t, bool jump) {
        if (t <= tick)
            return;
        if (t < best.tick)
            best = Boundary{t, jump};
        else if (t == best.tick)
            best.jump = best.jump || jump;
    };
    for (const auto& t : desc_->tempos)
        consider(t.tick, false);
    for (const auto* regions : {&table_->tempoScales, &table_->transpositions, &table_->skips}) {
        for (const auto& r : *regions) {
            if (r.end > r.start) {
                consider(r.start, false);
                consider(r.end, false);
            }
        }
    }
    for (const auto* regions : {&table_->vamps, &table_->repeats}) {
        for (const auto& r : *regions) {
            if (r.end > r.start) {
                consider(r.start, false);
                consider(r.end, LoopWillJump(r));
            }
        }
    }
    for (const auto& c : table_->cuts) {
        if (c.end > c.start)
            consider(c.start, true);
    }
    for (const auto& c : table_->caesuras) {
        if (!CutAt(c.tick))
            consider(c.tick, false);
    }
    return best;
}

double Player::Rate(std::uint32_t tick) const
{
    return BpmAt(tick) * 8.0 * ScaleAt(tick);
}

double Player::BpmAt(std::uint32_t tick) const
{
    return LastAtOrBefore(desc_->tempos, tick)->bpm;
}

double Player::ScaleAt(std::uint32_t tick) const
{
    const auto* region = Innermost(table_->tempoScales, tick);
    return region ? region->floatValue : 1.0;
}

int Player::TransposeAt(std::uint32_t tick) const
{
    const auto* region = Innermost(table_->transpositions, tick);
    return region ? region->intValue : 0;
}

const PlayRegion* Player::CutAt(std::uint32_t tick) const
{
    return Innermost(table_->cuts, tick);
}

bool Player::LoopWillJump(const PlayRegion& region) const
{
    if (region.end <= region.start)
        return false;
    const auto it = loops_.find(region.Key());
    if (it == loops_.end() || it->second.exited)
        return false;
    if (region.code == '@' && region.intValue == 0)
        return true;
    return it->second.passes < region.intValue;
}

}  // namespace vemo::engine
