#pragma once

#include "vemo_player_core/types.h"

#include <vemo_core/editor.h>
#include <vemo_core/events.h>
#include <vemo_core/properties.h>
#include <vemo_core/sequence.h>
#include <vemo_core/song_log.h>
#include <vemo_core/timeline_records.h>
#include <vemo_midi/midi.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The player engine of one loaded show. Callers use it from the GUI thread; the engine reports
// through notify::EventObserver and calls its callbacks on its own thread. Ticks are on the
// current song's axis (480 per quarter note).
class Interface {
public:
    virtual ~Interface() = default;

    // Teardown
    virtual bool IsStopped() const = 0;
    virtual void Stop() = 0;
    virtual void Shutdown() = 0;

    // Transport
    virtual void Play() = 0;
    virtual void Pause(bool fadeCompleted) = 0;
    virtual void Continue() = 0;
    virtual void FlowControlExit() = 0;
    virtual void NextSong() = 0;
    virtual void PrevSong() = 0;
    virtual void Fade(std::function<void()> done, float seconds) = 0;
    virtual void FadeTo(std::function<void()> done, float seconds, float gain) = 0;
    virtual void CancelFade() = 0;
    virtual bool GetIsPlaying() const = 0;
    virtual bool GetIsPaused() const = 0;
    virtual bool GetIsFaded() const = 0;

    // Seeking
    virtual void Seek(UInt32 tick) = 0;
    virtual bool SeekToBar(const std::string& bar) = 0;
    virtual void SeekLeft() = 0;
    virtual void SeekRight() = 0;
    virtual void SeekToNextMeasure() = 0;
    virtual void SeekToPreviousMeasure() = 0;
    virtual UInt32 GetTickIndex() const = 0;

    // Songs
    virtual std::string GetCurrentSongNumber() const = 0;
    virtual vemo::SongNameMap GetSongNamesBySongNumber() const = 0;
    virtual void LoadSong(const std::string& number) = 0;
    virtual void LoadSongAtTime(const std::string& number, UInt32 tick) = 0;
    virtual bool SongExists(const std::string& number) const = 0;
    virtual std::string GetActualSongNumber(const std::string& number) const = 0;
    virtual UInt8 GetAttacca(const std::string& number) const = 0;
    virtual void SetAttacca(const std::string& number, UInt8 state) = 0;

    // Grid and timing
    virtual TL::TimelineSequence<TL::BarsBeats> GetBarsBeats(const std::string& song, bool withClickEdits) const = 0;
    TL::TimelineSequence<TL::BarsBeats> GetBarsBeats(const std::string& song) const { return GetBarsBeats(song, true); }
    virtual TL::BarsBeats GetBarBeatByTick(UInt32 tick, bool withClickEdits, bool snap) const = 0;
    TL::BarsBeats GetBarBeatByTick(UInt32 tick) const { return GetBarBeatByTick(tick, true, true); }
    virtual TL::BarsBeats GetBarBeatLeftByTick(UInt32 tick) const = 0;
    virtual std::string GetBarString(UInt32 tick) const = 0;
    virtual UInt32 GetAvailableShiftAfterBarBeat(UInt32 tick, bool withClickEdits) const = 0;
    virtual std::vector<int> GetClickValues(UInt32 start, UInt32 end) const = 0;
    virtual UInt32 GetSongLength(const std::string& song) const = 0;
    virtual UInt32 GetSongStartTickIndex(const std::string& song) const = 0;
    virtual UInt32 GetSongAudioStartTick(const std::string& song) const = 0;
    virtual UInt32 GetSongAudioEndTick(const std::string& song) const = 0;
    virtual UInt32 GetMinStartTickIndex() const = 0;
    virtual UInt32 GetCurrentStartTickIndex() const = 0;
    virtual TL::Timeline GetTimeline() const = 0;

    // Change log
    virtual CL::Editor* GetChangeLogEditor() = 0;
    virtual const CL::SongLog* GetSongLog() const = 0;
    virtual std::vector<cmn::VemoEvent*> GetMarkers() = 0;
    virtual std::vector<std::unique_ptr<cmn::VemoEvent>> GetChangeLogPanelEvents() const = 0;
    virtual std::vector<std::shared_ptr<CL::Sfx>> GetChangeLogSoundEffects() = 0;
    virtual void LoadNewChangeLog() = 0;
    virtual void SetChangelogFilename(const std::string& fileName) = 0;
    virtual std::string SaveChangelog(int major, int minor) = 0;
    virtual std::string GetChangelogFilename() const = 0;
    virtual std::string GetLogVersion() const = 0;
    virtual vemo::core::DataVector GetShowAuthorizationData() const = 0;
    virtual std::string GetModifiedClickEditLog() const = 0;
    virtual std::string GetTempoScaleWarnings() const = 0;
    virtual int GetInvertedLoopEventCount() const = 0;
    virtual std::string GetInvertedLoopEventDescription() const = 0;

    // Show, outputs and volume
    virtual std::filesystem::path GetShowDirectory() const = 0;
    virtual std::map<std::string, CL::OutputPath> GetOutputPathMap() const = 0;
    virtual void onAddOutputhPath(const CL::OutputPath& path) = 0;
    virtual void onRemoveOutputhPath(const CL::OutputPath& path) = 0;
    virtual void SetOutputDeviceUid(const char* utf8) = 0;
    virtual std::string GetOutputDeviceUid() const = 0;
    virtual void SetVolume(double gain, vemo::VolumeType type) = 0;
    void SetVolume(double gain) { SetVolume(gain, vemo::VolumeType::Master); }
    virtual double GetVolume() const = 0;

    // OSC
    virtual void SetOscControlDefaultPort(uint16_t port) = 0;
    virtual void DoOscProcessing(bool enabled) = 0;
    virtual CL::NetworkPathVectorT GetNetworks() const = 0;
    virtual CL::NetworkPath GetNetwork(const std::string& networkId) const = 0;

    // MIDI
    virtual std::map<UInt8, std::string> GetCommandNames() const = 0;
    virtual std::map<UInt8, midi_commands::LearnedCommand> GetLearnedCommands() const = 0;
    virtual bool IsMidiCommandLearning(UInt8 commandId) const = 0;
    virtual void LearnMidiCommand(UInt8 commandId) = 0;
    virtual std::vector<int> GetAllowedCommandStatuses() const = 0;
    virtual void SetMidiCommand(UInt8 commandId, UInt8 status, UInt8 channel, UInt8 note) = 0;
    virtual std::vector<vemo::midi::MidiEndPoint> GetMidiSources() const = 0;
    virtual void SetMidiSource(int index) = 0;
    virtual bool HasMidiSource() const = 0;
    virtual UInt8 GetConnectedSourceIndex() const = 0;

    // Score
    virtual std::pair<std::string, UInt32> LookupPage(unsigned page) const = 0;
};
