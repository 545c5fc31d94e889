#pragma once

#include "play_table.h"
#include "player_sink.h"
#include "show_description.h"
#include "song_grid.h"

#include <functional>
#include <map>
#include <string>

namespace vemo::engine {

// Playback of one show: transport, position, the change log's effect on both, fades and what
// goes out because of them. Not thread-safe: the engine calls it under its lock.
class Player {
public:
    enum class Transport { Stopped, Playing, Holding, Paused };

    Player(const ShowDescription& show, PlayerSink& sink);

    // The playing copy of the change log; the position is kept.
    void SetTables(PlayTables tables);
    const SongPlayTable& Table(const std::string& song) const;
    int Attacca(const std::string& song) const;
    void SetAttacca(const std::string& song, int state);

    Transport State() const { return transport_; }
    bool IsPlaying() const { return transport_ == Transport::Playing || transport_ == Transport::Holding; }
    bool IsPaused() const { return transport_ == Transport::Paused; }
    bool IsFaded() const { return faded_; }
    std::uint32_t Tick() const;
    const std::string& Song() const { return song_; }
    const SongDescription& Description() const { return *desc_; }
    const SongGrid& ClickGrid() const { return clickGrid_; }
    double Master() const { return master_; }
    double EffectiveGain() const { return master_ * fadeLevel_; }
    int PageAt(const std::string& song, std::uint32_t tick) const;

    // The construction's first load: hands no cue over; the first Play includes the start tick.
    void LoadFirstSong();
    // A song load, optionally at a tick; keepPlaying keeps the transport running.
    void LoadSong(const std::string& number, bool keepPlaying, std::optional<std::uint32_t> tick = {});
    void Play();
    void Pause(bool fadeCompleted);
    void Continue();
    void Stop();
    // Stops the transport where it is, for shutting down: no positioning, no cue hand-over.
    void Halt();
    void FlowControlExit();
    void NextSong();
    void PrevSong();
    void Seek(std::uint32_t tick);
    bool SeekToBar(const std::string& label);
    // Previous (-1) or next (+1) marker, bar start.
    void SeekMarker(int direction);
    void SeekMeasure(int direction);
    void Fade(std::function<void()> done, double seconds);
    void FadeTo(std::function<void()> done, double seconds, double gain);
    void CancelFade();
    void SetMaster(double gain);
    // Advances the clock by `ms` of show time.
    void Step(double ms);

    // Scripted state for tests, without notifications.
    void Script(bool playing, bool paused, bool faded);
    void ScriptPosition(const std::string& song, std::uint32_t tick);

private:
    struct Boundary {
        std::uint32_t tick;
        bool jump;
    };
    struct LoopState {
        int passes = 1;
        bool exited = false;
    };
    struct FadeRun {
        bool active = false;
        bool toGain = false;
        double from = 1.0, to = 0.0, durationMs = 0.0, elapsedMs = 0.0;
        std::function<void()> done;
    };

    void Notify(notify::EventKind kind, int value = 0, std::optional<std::string> text = std::nullopt);
    void FlowControl(int value, const std::string& text);
    void Enter(const std::string& number);
    void ReportSongLoaded();
    void ReportSpot();
    std::string KeyText(std::uint32_t tick) const;
    std::string TempoText(std::uint32_t tick) const;
    std::string MeterText(std::uint32_t tick) const;
    void ReportTempo(std::uint32_t tick);
    void ReportKey(std::uint32_t tick);
    void ReportMeter(std::uint32_t tick);
    // After a jump: key, tempo and meter in force where it landed, each when it differs from the
    // last one reported.
    void ReportMapsIfChanged();
    void ReportVolume();
    void ReportPage();
    void Position(std::uint32_t tick, bool force);
    void StartPlaying();
    void Release();
    // Ends a caesura hold however it ends: the banner's flow control is cleared once.
    void EndHold();
    // Holds at a caesura on `tick` while playing; true when it did.
    bool HoldAtCaesura(std::uint32_t tick);
    void ApplyExit();
    void CancelRunningFadeOut();
    void Advance(double ms);
    void AdvanceFade(double ms);
    void Cross(std::uint32_t upTo, bool includeEnd);
    void OnBoundary(std::uint32_t tick);
    void JumpTo(std::uint32_t tick);
    // While playing, a position inside a cut moves to the cut's end as when crossing it; true when it moved.
    bool LeaveCuts();
    std::uint32_t PastCuts(std::uint32_t tick) const;
    void SongEnd();
    void UpdateRegions(bool reportMaps);
    void UpdateAmbient();
    void LookAheadOsc();
    Boundary NextBoundary(std::uint32_t tick) const;
    bool LoopWillJump(const PlayRegion& region) const;
    double Rate(std::uint32_t tick) const;
    double BpmAt(std::uint32_t tick) const;
    double ScaleAt(std::uint32_t tick) const;
    int TransposeAt(std::uint32_t tick) const;
    const PlayRegion* CutAt(std::uint32_t tick) const;
    std::string NextPlayable(int direction) const;

    const ShowDescription& show_;
    PlayerSink& sink_;
    PlayTables tables_;
    SongPlayTable emptyTable_;

    std::string song_;
    const SongDescription* desc_ = nullptr;
    const SongPlayTable* table_ = &emptyTable_;
    SongGrid clickGrid_;

    double pos_ = 0.0;
    std::uint32_t crossFrom_ = 0;  // first tick not yet crossed
    std::uint32_t oscFrom_ = 0;    // first tick whose OSC cues are not yet handed over
    Transport transport_ = Transport::Stopped;
    bool faded_ = false;
    double fadeLevel_ = 1.0;
    double master_ = 1.0;
    FadeRun fade_;

    std::map<std::string, LoopState> loops_;  // entered vamps, repeats and skips, by key
    double scale_ = 1.0;
    int transpose_ = 0;
    int page_ = 0;
    bool caesuraShown_ = false;
    std::string lastKey_, lastTempo_, lastMeter_;
    std::map<std::string, PlayRegion> ambient_;  // beds playing, by id, as they were started
};

}  // namespace vemo::engine
