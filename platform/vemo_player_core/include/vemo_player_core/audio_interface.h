#pragma once

#include "vemo_player_core/callbacks.h"
#include "vemo_player_core/engine_probe.h"
#include "vemo_player_core/interface.h"

#include <memory>
#include <string>

namespace vemo {

namespace engine {
class EngineCore;
}

// The simulated player engine: plays a show folder in real time (or on a manual clock for
// tests), honours the change log and reports through notify::EventObserver from its own thread.
class AudioInterface : public Interface {
public:
    struct Options {
        enum class Clock { Realtime, Manual };
        Clock clock = Clock::Realtime;
        double speed = 1.0;
        std::string journalPath;
        // VEMO_STANDIN_CLOCK=manual, VEMO_STANDIN_SPEED=<factor>, VEMO_STANDIN_JOURNAL=<path>.
        static Options FromEnvironment();
    };

    // Loads the show on a loader thread and joins it. Load errors do not throw here: they come
    // out of ThrowIfThreadExceptions(), and such an engine never starts its thread.
    AudioInterface(std::string showFolder, std::string dataDirectory, bool soundEffects,
                   std::shared_ptr<PlayerOscCallback> oscCallback, Options options = Options::FromEnvironment());
    ~AudioInterface() override;
    AudioInterface(const AudioInterface&) = delete;
    AudioInterface& operator=(const AudioInterface&) = delete;

    // Rethrows the stored load error once.
    void ThrowIfThreadExceptions();
    // Routes sound-effect cues to `callback` instead of the sound-effect library.
    void SetSfxCallback(std::shared_ptr<SfxCallback> callback);
    testing::EngineProbe& Probe();

    using Interface::GetBarBeatByTick;
    using Interface::GetBarsBeats;
    using Interface::SetVolume;

    bool IsStopped() const override;
    void Stop() override;
    void Shutdown() override;
    void Play() override;
    void Pause(bool fadeCompleted) override;
    void Continue() override;
    void FlowControlExit() override;
    void NextSong() override;
    void PrevSong() override;
    void Fade(std::function<void()> done, float seconds) override;
    void FadeTo(std::function<void()> done, float seconds, float gain) override;
    void CancelFade() override;
    bool GetIsPlaying() const override;
    bool GetIsPaused() const override;
    bool GetIsFaded() const override;

    void Seek(UInt32 tick) override;
    bool SeekToBar(const std::string& bar) override;
    void SeekLeft() override;
    void SeekRight() override;
    void SeekToNextMeasure() override;
    void SeekToPreviousMeasure() override;
    UInt32 GetTickIndex() const override;

    std::string GetCurrentSongNumber() const override;
    SongNameMap GetSongNamesBySongNumber() const override;
    void LoadSong(const std::string& number) override;
    void LoadSongAtTime(const std::string& number, UInt32 tick) override;
    bool SongExists(const std::string& number) const override;
    std::string GetActualSongNumber(const std::string& number) const override;
    UInt8 GetAttacca(const std::string& number) const override;
    void SetAttacca(const std::string& number, UInt8 state) override;

    TL::TimelineSequence<TL::BarsBeats> GetBarsBeats(const std::string& song, bool withClickEdits) const override;
    TL::BarsBeats GetBarBeatByTick(UInt32 tick, bool withClickEdits, bool snap) const override;
    TL::BarsBeats GetBarBeatLeftByTick(UInt32 tick) const override;
    std::string GetBarString(UInt32 tick) const override;
    UInt32 GetAvailableShiftAfterBarBeat(UInt32 tick, bool withClickEdits) const override;
    std::vector<int> GetClickValues(UInt32 start, UInt32 end) const override;
    UInt32 GetSongLength(const std::string& song) const override;
    UInt32 GetSongStartTickIndex(const std::string& song) const override;
    UInt32 GetSongAudioStartTick(const std::string& song) const override;
    UInt32 GetSongAudioEndTick(const std::string& song) const override;
    UInt32 GetMinStartTickIndex() const override;
    UInt32 GetCurrentStartTickIndex() const override;
    TL::Timeline GetTimeline() const override;

    CL::Editor* GetChangeLogEditor() override;
    const CL::SongLog* GetSongLog() const override;
    std::vector<cmn::VemoEvent*> GetMarkers() override;
    std::vector<std::unique_ptr<cmn::VemoEvent>> GetChangeLogPanelEvents() const override;
    std::vector<std::shared_ptr<CL::Sfx>> GetChangeLogSoundEffects() override;
    void LoadNewChangeLog() override;
    void SetChangelogFilename(const std::string& fileName) override;
    std::string SaveChangelog(int major, int minor) override;
    std::string GetChangelogFilename() const override;
    std::string GetLogVersion() const override;
    core::DataVector GetShowAuthorizationData() const override;
    std::string GetModifiedClickEditLog() const override;
    std::string GetTempoScaleWarnings() const override;
    int GetInvertedLoopEventCount() const override;
    std::string GetInvertedLoopEventDescription() const override;

    std::filesystem::path GetShowDirectory() const override;
    std::map<std::string, CL::OutputPath> GetOutputPathMap() const override;
    void onAddOutputhPath(const CL::OutputPath& path) override;
    void onRemoveOutputhPath(const CL::OutputPath& path) override;
    void SetOutputDeviceUid(const char* utf8) override;
    std::string GetOutputDeviceUid() const override;
    void SetVolume(double gain, VolumeType type) override;
    double GetVolume() const override;

    void SetOscControlDefaultPort(uint16_t port) override;
    void DoOscProcessing(bool enabled) override;
    CL::NetworkPathVectorT GetNetworks() const override;
    CL::NetworkPath GetNetwork(const std::string& networkId) const override;

    std::map<UInt8, std::string> GetCommandNames() const override;
    std::map<UInt8, midi_commands::LearnedCommand> GetLearnedCommands() const override;
    bool IsMidiCommandLearning(UInt8 commandId) const override;
    void LearnMidiCommand(UInt8 commandId) override;
    std::vector<int> GetAllowedCommandStatuses() const override;
    void SetMidiCommand(UInt8 commandId, UInt8 status, UInt8 channel, UInt8 note) override;
    std::vector<midi::MidiEndPoint> GetMidiSources() const override;
    void SetMidiSource(int index) override;
    bool HasMidiSource() const override;
    UInt8 GetConnectedSourceIndex() const override;

    std::pair<std::string, UInt32> LookupPage(unsigned page) const override;

protected:
    // Product name written into the journal's first line.
    AudioInterface(std::string productName, std::string showFolder, std::string dataDirectory, bool soundEffects,
                   std::shared_ptr<PlayerOscCallback> oscCallback, Options options);

private:
    std::unique_ptr<engine::EngineCore> core_;
};

}  // namespace vemo
