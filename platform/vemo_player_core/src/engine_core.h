#pragma once

#include "journal.h"
#include "player.h"
#include "show_description.h"

#include "vemo_player_core/audio_interface.h"

#include <vemo_core/change_log_document.h>
#include <vemo_core/editor.h>
#include <vemo_core/song_log.h>
#include <vemo_midi/midi.h>
#include <fonexa/sfx_player.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace vemo::engine {

// The simulated engine behind AudioInterface: its state under one mutex, the engine thread that
// runs the clock and delivers every outgoing call outside the mutex, and the test hooks.
class EngineCore : public PlayerSink {
public:
    using Lock = std::unique_lock<std::mutex>;

    EngineCore(std::string productName, std::string showFolder, std::string dataDirectory, bool soundEffects,
               std::shared_ptr<PlayerOscCallback> oscCallback, AudioInterface::Options options);
    ~EngineCore() override;

    // Journals the call; throws an error a test scheduled for it, journaled with its text. With
    // resultFollows the returned line stays open for Result or Failed.
    JournalLine Enter(const std::string& name, const std::string& line, bool resultFollows = false);
    void Result(const JournalLine& line, const std::string& result) { line.Result(result); }
    void Failed(const JournalLine& line, const std::exception& error) { line.Failed(error.what()); }

    // Runs `work` on the player under the lock, when the show is loaded and not shut down,
    // then wakes the engine thread to deliver what it sent out.
    template<class F>
    auto WithPlayer(F&& work, bool evenAfterShutdown = false)
    {
        Lock lock(mutex_);
        using R = decltype(work(*player_));
        if (!player_ || (shutDown_ && !evenAfterShutdown)) {
            if constexpr (!std::is_void_v<R>)
                return R{};
            else
                return;
        }
        if constexpr (std::is_void_v<R>) {
            work(*player_);
            Wake();
        } else {
            auto result = work(*player_);
            Wake();
            return result;
        }
    }

    std::mutex& Mutex() const { return mutex_; }
    bool Loaded() const { return player_ != nullptr; }
    const ShowDescription& Show() const { return show_; }
    const SongDescription* Song(const std::string& number) const { return show_.FindSong(number); }
    const std::filesystem::path& ShowFolder() const { return showFolder_; }
    void ThrowIfThreadExceptions();
    void Shutdown();

    // Grids of any song, meter or click grid.
    SongGrid GridOf(const std::string& song, bool withClickEdits) const;

    // Change log (engine_changelog.cpp).
    CL::Editor& Editor() { return editor_; }
    const CL::SongLog* CurrentSongLog() const;
    std::vector<cmn::VemoEvent*> Markers();
    std::vector<std::unique_ptr<cmn::VemoEvent>> PanelEvents() const;
    // The playing copy becomes a deep copy of the editor's working log.
    void PublishWorkingLog();
    void SwitchChangeLog(const std::string& fileName);
    std::string Save(int major, int minor);
    std::string ChangeLogFileName() const;
    std::string WarningClick() const;
    std::string WarningTempo() const;
    int WarningInvertedCount() const;
    std::string WarningInvertedText() const;
    CL::NetworkPathVectorT Networks() const;
    std::map<std::string, CL::OutputPath> OutputPaths() const;
    void PutOutputPath(const CL::OutputPath& path, bool remove);
    void SetAttacca(const std::string& song, UInt8 state);
    UInt8 Attacca(const std::string& song) const;
    vemo::core::DataVector AuthorizationData() const;

    // Outputs and OSC.
    void SetOutputDevice(std::string id);
    std::string OutputDevice() const;
    void SetOscProcessing(bool enabled);
    void SetOscDefaultPort(uint16_t port);
    void SetSfxCallback(std::shared_ptr<SfxCallback> callback);

    // MIDI (engine_midi.cpp).
    std::map<UInt8, std::string> CommandNames() const;
    std::map<UInt8, midi_commands::LearnedCommand> LearnedCommands() const;
    bool IsLearning(UInt8 id) const;
    void Learn(UInt8 id);
    std::vector<int> AllowedStatuses() const;
    void SetCommand(UInt8 id, UInt8 status, UInt8 channel, UInt8 note);
    void OpenMidiSource(int index);
    bool HasMidiSource() const;
    UInt8 MidiSourceIndex() const;

    // Test hooks.
    testing::EngineProbe& Probe() { return probe_; }
    std::vector<std::string> JournalLines() const { return journal_.Lines(); }
    void ClearJournal() { journal_.Clear(); }
    void Advance(std::chrono::milliseconds time);
    void Drain();
    void RunOnEngineThread(std::function<void()> work);
    void PublishFromEngineThread(notify::EventKind kind, int value, std::string text);
    void ScriptTransport(bool playing, bool paused, bool faded);
    void ScriptPosition(std::string song, UInt32 tick);
    void FireOscCue(const CL::Osc& cue, unsigned delayMs, bool enqueue);
    void FailNext(std::string callName, std::exception_ptr error);
    void ScriptLoadWarnings(std::string click, std::string tempo, int invertedCount, std::string invertedText);
    void ScriptReadOnly(bool readOnly);

private:
    struct Outgoing {
        std::string journal;
        std::function<void()> call;
    };
    struct LoadWarnings {
        std::string click, tempo, inverted;
        int invertedCount = 0;
    };

    void Load();
    void LoadInitialChangeLog();
    void UseDocument(CL::ChangeLogDocument document, const std::string& fileName);
    void Publish(CL::ChangeLogDocument published);  // under the lock
    PlayTables Compile(const CL::ChangeLogDocument& document) const;
    void SetupEditor();
    std::vector<audio::SfxInstanceInfo> Instances() const;

    void Send(std::string journal, std::function<void()> call);
    void Wake() { wake_.notify_all(); }
    bool OnEngineThread() const { return std::this_thread::get_id() == thread_.get_id(); }
    void Run();
    void RunSteps(double ms);
    void CheckLearnTimeout();
    double ClockNowMs() const;
    // Delivers the outbox outside the lock; false when a callback released the engine, which is
    // then gone: the caller returns at once without touching it.
    [[nodiscard]] bool DeliverPending(Lock& lock);
    void PostTask(std::function<void()> task);

    // PlayerSink
    void Notify(notify::EventKind kind, int value, std::optional<std::string> text) override;
    void OscCue(const PlayPoint& cue, unsigned delayMs, bool enqueue) override;
    void FadeDone(std::function<void()> done) override;
    void EffectsSongLoaded(const std::string& song) override;
    void EffectsCue(const std::string& song, const PlayPoint& cue) override;
    void EffectsAmbient(const std::string& song, const PlayRegion& region, bool play) override;
    void EffectsStepped(std::uint32_t from, std::uint32_t to, const std::string& song) override;
    void EffectsStopped(bool ambientOnly) override;

    // MIDI
    void LoadMidiSettings();
    void SaveMidiSettings() const;
    void OnMidiMessage(const std::vector<std::uint8_t>& bytes);
    void PerformMidiAction(const std::string& action);

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable delivered_;
    std::thread thread_;
    std::deque<Outgoing> outbox_;
    std::deque<std::function<void()>> tasks_;
    std::uint64_t queuedCount_ = 0;
    std::uint64_t deliveredCount_ = 0;
    std::uint64_t tasksQueued_ = 0;
    std::uint64_t tasksDone_ = 0;
    bool stopping_ = false;
    bool threadExited_ = false;
    bool shutDown_ = false;
    // Set when the last reference goes inside a callback on the engine thread; outlives the engine.
    std::shared_ptr<std::atomic<bool>> releasedOnOwnThread_ = std::make_shared<std::atomic<bool>>(false);

    AudioInterface::Options options_;
    Journal journal_;
    std::map<std::string, std::exception_ptr> failures_;
    std::exception_ptr loadError_;
    testing::EngineProbe probe_;

    std::filesystem::path showFolder_;
    std::filesystem::path dataDirectory_;
    std::filesystem::path recordFile_;
    ShowDescription show_;
    std::unique_ptr<Player> player_;
    bool soundEffects_ = true;
    std::shared_ptr<PlayerOscCallback> oscCallback_;
    std::shared_ptr<SfxCallback> sfxCallback_;
    bool oscProcessing_ = true;
    std::string outputDevice_;
    vemo::SongState songState_;
    int instanceToken_ = 0;
    // Lets the sound-effect library's provider outlive the engine safely: cleared on shutdown.
    struct ProviderLink {
        std::mutex mutex;
        const EngineCore* engine = nullptr;
    };
    std::shared_ptr<ProviderLink> providerLink_ = std::make_shared<ProviderLink>();
    double manualClockMs_ = 0.0;

    CL::Editor editor_;
    std::string logFileName_;
    CL::ChangeLogDocument published_;
    std::map<std::string, std::shared_ptr<const CL::SongLog>, utilon::NumericStringCompare> songLogs_;
    // Every song log and marker ever handed out lives until the engine goes: no pointer dangles.
    std::vector<std::shared_ptr<const void>> retired_;
    std::vector<std::unique_ptr<cmn::VemoEvent>> handedOutMarkers_;
    std::map<std::string, std::vector<cmn::VemoEvent*>> markers_;
    std::optional<LoadWarnings> scriptedWarnings_;
    CL::LoadReport loadReport_;

    std::map<UInt8, midi_commands::LearnedCommand> learned_;
    std::string midiSourceName_;
    std::unique_ptr<midi::MidiInput> midiInput_;
    std::optional<UInt8> learning_;
    double learnDeadline_ = 0.0;  // on the engine's clock, ms
};

}  // namespace vemo::engine
