#include "player.h"

#include "notification_text.h"
#include "position_lookup.h"

#include <vemo_core/timeline_records.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vemo::engine {
namespace {

using notify::EventKind;

std::string twoDecimals(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}

// A key signature moved by n half steps, spelt with at most six accidentals (six sharps for F#).
int transposedSignature(int sharpsFlats, int halfSteps)
{
    int v = ((sharpsFlats + 7 * halfSteps) % 12 + 12) % 12;
    return v > 6 ? v - 12 : v;
}

}  // namespace

Player::Player(const ShowDescription& show, PlayerSink& sink) : show_(show), sink_(sink) {}

void Player::SetTables(PlayTables tables)
{
    tables_ = std::move(tables);
    table_ = &Table(song_);
    if (desc_) {
        clickGrid_ = SongGrid(*desc_, table_->ClickRegions());
        UpdateRegions(true);
        UpdateAmbient();
    }
}

const SongPlayTable& Player::Table(const std::string& song) const
{
    const auto it = tables_.find(song);
    return it == tables_.end() ? emptyTable_ : it->second;
}

int Player::Attacca(const std::string& song) const
{
    const auto it = tables_.find(song);
    if (it != tables_.end())
        return it->second.attacca;
    const auto* description = show_.FindSong(song);
    return description ? description->attacca : 0;
}

void Player::SetAttacca(const std::string& song, int state)
{
    tables_[song].attacca = state;
    table_ = &Table(song_);
}

std::uint32_t Player::Tick() const
{
    return static_cast<std::uint32_t>(std::floor(pos_ + 1e-9));
}

int Player::PageAt(const std::string& song, std::uint32_t tick) const
{
    const int songIndex = show_.SongIndex(song);
    int page = 0;
    for (const auto& p : show_.pages) {
        const int index = show_.SongIndex(p.song);
        if (index < songIndex || (index == songIndex && p.tick <= tick))
            page = static_cast<int>(p.page);
    }
    return page;
}

void Player::Notify(notify::EventKind kind, int value, std::optional<std::string> text)
{
    sink_.Notify(kind, value, std::move(text));
}

void Player::FlowControl(int value, const std::string& text)
{
    Notify(EventKind::StatusFlowControl, value, text);
}

void Player::Enter(const std::string& number)
{
    song_ = number;
    desc_ = show_.FindSong(number);
    table_ = &Table(number);
    clickGrid_ = SongGrid(*desc_, table_->ClickRegions());
    loops_.clear();
    ambient_.clear();
}

void Player::LoadFirstSong()
{
    Enter(show_.songs.front().number);
    pos_ = desc_->startTick;
    crossFrom_ = oscFrom_ = desc_->startTick;
    sink_.EffectsSongLoaded(song_);
    ReportSongLoaded();
    UpdateRegions(false);
    ReportVolume();
}

void Player::ReportSongLoaded()
{
    const auto tick = Tick();
    scale_ = ScaleAt(tick);
    transpose_ = TransposeAt(tick);
    Notify(EventKind::SongLoaded, 0, song_);
    Notify(EventKind::SongTitle, 0, desc_->title);
    ReportMeter(tick);
    ReportKey(Tick());
    ReportTempo(Tick());
    Notify(EventKind::TempoScale, 0, PercentText(scale_));
    Notify(EventKind::Transposition, transpose_);
    FlowControl(0, kClearFlowControl);
    const int beat = clickGrid_.IndexAtOrBefore(tick);
    if (beat >= 0)
        Notify(EventKind::BarBeat, 0, BarBeatText(clickGrid_.Beats()[beat]));
    Notify(EventKind::Playhead, static_cast<int>(tick));
    page_ = PageAt(song_, tick);
    if (page_ > 0)
        Notify(EventKind::PageNum, page_);
}

void Player::ReportSpot()
{
    const auto tick = Tick();
    scale_ = ScaleAt(tick);
    transpose_ = TransposeAt(tick);
    Notify(EventKind::Playhead, static_cast<int>(tick));
    const int beat = clickGrid_.IndexAtOrBefore(tick);
    if (beat >= 0)
        Notify(EventKind::BarBeat, 0, BarBeatText(clickGrid_.Beats()[beat]));
    ReportKey(Tick());
    ReportTempo(Tick());
    ReportMeter(tick);
    Notify(EventKind::TempoScale, 0, PercentText(scale_));
    Notify(EventKind::Transposition, transpose_);
    page_ = PageAt(song_, tick);
    if (page_ > 0)
        Notify(EventKind::PageNum, page_);
}

std::string Player::TempoText(std::uint32_t tick) const
{
    return twoDecimals(BpmAt(tick) * scale_);
}

std::string Player::KeyText(std::uint32_t tick) const
{
    const auto* key = LastAtOrBefore(desc_->keys, tick);
    const int signature = transpose_ == 0 ? key->sharpsFlats : transposedSignature(key->sharpsFlats, transpose_);
    return Keys::keyNameFromSig(static_cast<short>(signature), static_cast<short>(key->mode));
}

std::string Player::MeterText(std::uint32_t tick) const
{
    const auto* meter = LastAtOrBefore(desc_->meters, tick);
    return std::to_string(meter->numerator) + "/" + std::to_string(meter->denominator);
}

void Player::ReportTempo(std::uint32_t tick)
{
    lastTempo_ = TempoText(tick);
    Notify(EventKind::Tempo, 0, lastTempo_);
}

void Player::ReportKey(std::uint32_t tick)
{
    lastKey_ = KeyText(tick);
    Notify(EventKind::Key, 0, lastKey_);
}

void Player::ReportMeter(std::uint32_t tick)
{
    lastMeter_ = MeterText(tick);
    Notify(EventKind::Meter, 0, lastMeter_);
}

void Player::ReportMapsIfChanged()
{
    const auto tick = Tick();
    if (KeyText(tick) != lastKey_)
        ReportKey(tick);
    if (TempoText(tick) != lastTempo_)
        ReportTempo(tick);
    if (MeterText(tick) != lastMeter_)
        ReportMeter(tick);
}

void Player::ReportVolume()
{
    Notify(EventKind::StatusVolume, static_cast<int>(std::lround(EffectiveGain() * 1000.0)));
}

void Player::ReportPage()
{
    const int page = PageAt(song_, Tick());
    if (page != page_) {
        page_ = page;
        if (page > 0)
            Notify(EventKind::PageNum, page);
    }
}

void Player::LoadSong(const std::string& number, bool keepPlaying, std::optional<std::uint32_t> tick)
{
    const bool wasPlaying = IsPlaying();
    const bool wasRunning = transport_ != Transport::Stopped;
    const std::string previousSong = song_;
    const auto previousTick = Tick();
    CancelRunningFadeOut();
    caesuraShown_ = false;
    if (keepPlaying && wasPlaying) {
        transport_ = Transport::Playing;
    } else {
        transport_ = Transport::Stopped;
        if (wasRunning)
            Notify(EventKind::PlaybackStopped);
    }
    sink_.EffectsSongLoaded(number);
    Enter(number);
    const auto requested = tick ? std::min(*tick, desc_->audioEndTick) : desc_->startTick;
    const auto target = IsPlaying() ? PastCuts(requested) : requested;
    pos_ = target;
    ReportSongLoaded();
    UpdateRegions(false);
    const bool changed = number != previousSong || target != previousTick;
    if (target != requested) {
        crossFrom_ = oscFrom_ = target;
        HoldAtCaesura(target);
    } else if (changed) {
        for (const auto& cue : table_->oscs) {
            if (cue.tick == target && !CutAt(target))
                sink_.OscCue(cue, 0, !IsPlaying());
        }
        crossFrom_ = oscFrom_ = target + 1;
    }
    UpdateAmbient();
}

void Player::Position(std::uint32_t requested, bool force)
{
    if (transport_ == Transport::Holding)
        transport_ = Transport::Playing;
    EndHold();
    const auto tick = IsPlaying() ? PastCuts(requested) : requested;
    const bool changed = force || tick != Tick();
    pos_ = tick;
    UpdateRegions(false);
    ReportSpot();
    if (tick != requested) {
        crossFrom_ = oscFrom_ = tick;
        HoldAtCaesura(tick);
    } else if (changed) {
        for (const auto& cue : table_->oscs) {
            if (cue.tick == tick && !CutAt(tick))
                sink_.OscCue(cue, 0, !IsPlaying());
        }
        crossFrom_ = oscFrom_ = tick + 1;
    }
    UpdateAmbient();
}

void Player::Seek(std::uint32_t tick)
{
    Position(std::min(tick, desc_->audioEndTick), false);
}

bool Player::SeekToBar(const std::string& label)
{
    const SongGrid meterGrid(*desc_, {});
    const int index = meterGrid.IndexOfBar(label);
    if (index < 0)
        return false;
    Position(meterGrid.Beats()[static_cast<std::size_t>(index)].tick, false);
    return true;
}

void Player::SeekMarker(int direction)
{
    const auto tick = Tick();
    const PlayPoint* target = nullptr;
    for (const auto& m : table_->markers) {
        if (direction < 0 && m.tick < tick)
            target = &m;
        if (direction > 0 && m.tick > tick && !target)
            target = &m;
    }
    if (target)
        Position(target->tick, false);
}

void Player::SeekMeasure(int direction)
{
    const long target = direction > 0 ? clickGrid_.NextBarStart(Tick()) : clickGrid_.PreviousBarStart(Tick());
    if (target >= 0)
        Position(static_cast<std::uint32_t>(target), false);
}

void Player::Play()
{
    if (IsPlaying()) {
        if (fade_.active && !fade_.toGain) {
            fade_ = FadeRun{};
            fadeLevel_ = 1.0;
            ReportVolume();
            Notify(EventKind::PlaybackStarted);
        }
        return;
    }
    CancelRunningFadeOut();
    StartPlaying();
}

void Player::StartPlaying()
{
    if (fadeLevel_ != 1.0) {
        fadeLevel_ = 1.0;
        ReportVolume();
    }
    transport_ = Transport::Playing;
    EndHold();
    const bool leftCut = LeaveCuts();
    Notify(EventKind::PlaybackStarted);
    if (leftCut)
        HoldAtCaesura(Tick());
    UpdateAmbient();
}

bool Player::LeaveCuts()
{
    const auto tick = Tick();
    const auto past = PastCuts(tick);
    if (past == tick)
        return false;
    JumpTo(past);
    return true;
}

std::uint32_t Player::PastCuts(std::uint32_t tick) const
{
    for (int guard = 0; guard < 64; ++guard) {
        const auto* cut = CutAt(tick);
        if (!cut)
            break;
        tick = cut->end;
    }
    return tick;
}

void Player::Pause(bool fadeCompleted)
{
    if (fadeCompleted && fadeLevel_ != 1.0) {
        fadeLevel_ = 1.0;
        ReportVolume();
    }
    const bool stoppedByFade = transport_ == Transport::Stopped && faded_;
    if (!IsPlaying() && !stoppedByFade)
        return;
    transport_ = Transport::Paused;
    Notify(EventKind::PlaybackPaused);
    sink_.EffectsStopped(true);
    UpdateAmbient();
}

void Player::Continue()
{
    if (transport_ == Transport::Holding)
        Release();
    else
        Play();
}

void Player::Release()
{
    transport_ = Transport::Playing;
    EndHold();
}

void Player::EndHold()
{
    if (!caesuraShown_)
        return;
    caesuraShown_ = false;
    FlowControl(0, kClearFlowControl);
}

bool Player::HoldAtCaesura(std::uint32_t tick)
{
    if (transport_ != Transport::Playing || CutAt(tick))
        return false;
    for (const auto& c : table_->caesuras) {
        if (c.tick == tick) {
            transport_ = Transport::Holding;
            caesuraShown_ = true;
            FlowControl(0, "Caesura");
            return true;
        }
    }
    return false;
}

void Player::Stop()
{
    CancelRunningFadeOut();
    transport_ = Transport::Stopped;
    sink_.EffectsStopped(false);
    UpdateAmbient();
    Notify(EventKind::PlaybackStopped);
    EndHold();
    Position(desc_->startTick, false);
}

void Player::Halt()
{
    CancelRunningFadeOut();
    const bool wasRunning = transport_ != Transport::Stopped;
    transport_ = Transport::Stopped;
    sink_.EffectsStopped(false);
    UpdateAmbient();
    if (wasRunning)
        Notify(EventKind::PlaybackStopped);
}

void Player::FlowControlExit()
{
    if (transport_ == Transport::Holding) {
        Release();
        return;
    }
    ApplyExit();
    if (transport_ == Transport::Paused || transport_ == Transport::Stopped)
        Continue();
}

void Player::ApplyExit()
{
    if (const auto* skip = Innermost(table_->skips, Tick())) {
        JumpTo(skip->end);
        HoldAtCaesura(Tick());
        return;
    }
    auto exitLoops = [&](const std::vector<PlayRegion>& regions) {
        for (const auto& r : regions) {
            auto it = loops_.find(r.Key());
            if (it == loops_.end() || it->second.exited)
                continue;
            it->second.exited = true;
            FlowControl(0, kClearFlowControl);
            if (r.code == '@')
                Notify(EventKind::VampOff);
        }
    };
    exitLoops(table_->vamps);
    exitLoops(table_->repeats);
}

void Player::NextSong()
{
    const auto next = NextPlayable(1);
    if (!next.empty())
        LoadSong(next, false);
}

void Player::PrevSong()
{
    const auto previous = NextPlayable(-1);
    if (!previous.empty())
        LoadSong(previous, false);
}

std::string Player::NextPlayable(int direction) const
{
    int index = show_.SongIndex(song_) + direction;
    for (; index >= 0 && index < static_cast<int>(show_.songs.size()); index += direction) {
        const auto& number = show_.songs[static_cast<std::size_t>(index)].number;
        if (Attacca(number) != 2)
            return number;
    }
    return {};
}

void Player::Fade(std::function<void()> done, double seconds)
{
    fade_ = FadeRun{true, false, fadeLevel_, 0.0, std::max(0.0, seconds * 1000.0), 0.0, std::move(done)};
    Notify(EventKind::PlaybackFading);
}

void Player::FadeTo(std::function<void()> done, double seconds, double gain)
{
    const bool replacedFadeOut = fade_.active && !fade_.toGain;
    fade_ = FadeRun{true, true, master_, std::clamp(gain, 0.0, 4.0), std::max(0.0, seconds * 1000.0), 0.0,
                    std::move(done)};
    if (replacedFadeOut && fadeLevel_ != 1.0) {
        fadeLevel_ = 1.0;
        ReportVolume();
    }
    if (IsPlaying())
        Notify(EventKind::PlaybackFading);
}

void Player::CancelFade()
{
    fade_ = FadeRun{};
    fadeLevel_ = 1.0;
    faded_ = false;
    ReportVolume();
}

void Player::CancelRunningFadeOut()
{
    if (!fade_.active || fade_.toGain)
        return;
    fade_ = FadeRun{};
    fadeLevel_ = 1.0;
    faded_ = false;
    ReportVolume();
}

void Player::SetMaster(double gain)
{
    master_ = std::clamp(gain, 0.0, 4.0);
    ReportVolume();
}

void Player::AdvanceFade(double ms)
{
    if (!fade_.active)
        return;
    fade_.elapsedMs += ms;
    const double fraction = fade_.durationMs <= 0.0 ? 1.0 : std::min(1.0, fade_.elapsedMs / fade_.durationMs);
    const double value = fade_.from + (fade_.to - fade_.from) * fraction;
    if (fade_.toGain)
        master_ = value;
    else
        fadeLevel_ = value;
    ReportVolume();
    if (fraction < 1.0)
        return;
    auto done = std::move(fade_.done);
    const bool toGain = fade_.toGain;
    fade_ = FadeRun{};
    if (!toGain) {
        if (transport_ != Transport::Stopped) {
            transport_ = Transport::Stopped;
            sink_.EffectsStopped(false);
            UpdateAmbient();
            Notify(EventKind::PlaybackStopped);
            EndHold();
            Notify(EventKind::Playhead, static_cast<int>(Tick()));
        }
        faded_ = true;
    } else if (IsPlaying()) {
        Notify(EventKind::PlaybackStarted);
    }
    sink_.FadeDone(std::move(done));
}

void Player::Step(double ms)
{
    Advance(ms);
    AdvanceFade(ms);
}

void Player::Advance(double ms)
{
    if (transport_ != Transport::Playing)
        return;
    const auto startSong = song_;
    const auto startTick = Tick();
    double remaining = ms / 1000.0;
    for (int guard = 0; remaining > 0.0 && transport_ == Transport::Playing && guard < 10000; ++guard) {
        const auto tick = Tick();
        if (tick >= desc_->audioEndTick) {
            SongEnd();
            continue;
        }
        if (LeaveCuts()) {
            HoldAtCaesura(Tick());
            continue;
        }
        const auto boundary = NextBoundary(tick);
        const double rate = Rate(tick);
        const double needed = (boundary.tick - pos_) / rate;
        if (needed > remaining) {
            pos_ = std::min(pos_ + remaining * rate, static_cast<double>(boundary.tick) - 1e-6);
            remaining = 0.0;
            Cross(Tick(), true);
        } else {
            remaining -= needed;
            Cross(boundary.tick, !boundary.jump);
            pos_ = boundary.tick;
            OnBoundary(boundary.tick);
        }
    }
    if (!IsPlaying())
        return;
    const auto tick = Tick();
    Notify(EventKind::Playhead, static_cast<int>(tick));
    sink_.EffectsStepped(song_ == startSong ? startTick : desc_->startTick, tick, song_);
    UpdateAmbient();
    ReportPage();
    LookAheadOsc();
}

void Player::Cross(std::uint32_t upTo, bool includeEnd)
{
    if (!includeEnd && upTo == 0)
        return;
    const std::uint32_t last = includeEnd ? upTo : upTo - 1;
    if (crossFrom_ > last)
        return;
    const auto from = crossFrom_;
    struct Item {
        std::uint32_t tick;
        int order;
        std::function<void()> send;
    };
    std::vector<Item> items;
    auto inWindow = [&](std::uint32_t t) { return t >= from && t <= last; };

    const auto& beats = clickGrid_.Beats();
    auto it = std::lower_bound(beats.begin(), beats.end(), from,
                               [](const GridBeat& b, std::uint32_t t) { return b.tick < t; });
    for (; it != beats.end() && it->tick <= last; ++it) {
        const auto text = BarBeatText(*it);
        items.push_back({it->tick, 0, [this, text] { Notify(EventKind::BarBeat, 0, text); }});
    }
    for (const auto& m : desc_->meters) {
        if (inWindow(m.tick) && m.tick > desc_->startTick)
            items.push_back({m.tick, 1, [this, t = m.tick] { ReportMeter(t); }});
    }
    for (const auto& k : desc_->keys) {
        if (inWindow(k.tick) && k.tick > desc_->startTick)
            items.push_back({k.tick, 1, [this, t = k.tick] { ReportKey(t); }});
    }
    for (const auto& t : desc_->tempos) {
        if (inWindow(t.tick) && t.tick > desc_->startTick)
            items.push_back({t.tick, 1, [this, t = t.tick] { ReportTempo(t); }});
    }
    for (const auto& m : table_->markers) {
        if (inWindow(m.tick))
            items.push_back({m.tick, 2, [this, t = m.tick] { Notify(EventKind::Marker, static_cast<int>(t)); }});
    }
    for (const auto& s : table_->sfx) {
        if (inWindow(s.tick))
            items.push_back({s.tick, 3, [this, s] { sink_.EffectsCue(song_, s); }});
    }
    for (const auto& o : table_->oscs) {
        if (inWindow(o.tick) && o.tick >= oscFrom_)
            items.push_back({o.tick, 4, [this, o] { sink_.OscCue(o, 0, false); }});
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.tick != b.tick ? a.tick < b.tick : a.order < b.order; });
    for (const auto& item : items)
        item.send();
    crossFrom_ = last + 1;
    oscFrom_ = std::max(oscFrom_, last + 1);
}

void Player::OnBoundary(std::uint32_t tick)
{
    if (tick >= desc_->audioEndTick) {
        SongEnd();
        return;
    }
    for (const auto& cut : table_->cuts) {
        if (cut.end > cut.start && cut.start == tick) {
            LeaveCuts();
            HoldAtCaesura(Tick());
            return;
        }
    }
    const PlayRegion* loop = nullptr;
    for (const auto* regions : {&table_->vamps, &table_->repeats}) {
        for (const auto& r : *regions) {
            if (r.end == tick && LoopWillJump(r) && (!loop || r.start > loop->start))
                loop = &r;
        }
    }
    if (loop) {
        auto& state = loops_[loop->Key()];
        ++state.passes;
        const int count = loop->intValue;
        FlowControl(count > 0 ? count - state.passes : 0, loop->code == '@' ? "Vamp" : "Repeat");
        JumpTo(loop->start);
        HoldAtCaesura(Tick());
        return;
    }
    UpdateRegions(true);
    HoldAtCaesura(tick);
}

void Player::JumpTo(std::uint32_t tick)
{
    pos_ = tick;
    crossFrom_ = oscFrom_ = tick;
    UpdateRegions(true);
    ReportMapsIfChanged();
}

void Player::SongEnd()
{
    const auto next = NextPlayable(1);
    if (Attacca(song_) == 1 && !next.empty()) {
        LoadSong(next, true);
        return;
    }
    transport_ = Transport::Stopped;
    sink_.EffectsStopped(false);
    UpdateAmbient();
    Notify(EventKind::PlaybackStopped);
    if (!next.empty())
        LoadSong(next, false);
    else
        Position(desc_->startTick, false);
}

void Player::Script(bool playing, bool paused, bool faded)
{
    transport_ = playing ? Transport::Playing : paused ? Transport::Paused : Transport::Stopped;
    faded_ = faded;
}

void Player::ScriptPosition(const std::string& song, std::uint32_t tick)
{
    if (song != song_)
        Enter(song);
    pos_ = tick;
    crossFrom_ = oscFrom_ = tick;
}

}  // namespace vemo::engine
