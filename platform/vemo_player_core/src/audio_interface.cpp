#include "vemo_player_core/audio_interface.h"

#include "engine_core.h"

#include <vemo_core/show_record.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace vemo {
namespace {

using engine::JournalArg;
using engine::JournalCall;
using engine::Player;

// Song numbers that differ only in leading zeros or letter case name the same song.
std::string normalisedSongNumber(const std::string& number)
{
    std::string out;
    std::size_t i = 0;
    while (i + 1 < number.size() && number[i] == '0' && std::isdigit(static_cast<unsigned char>(number[i + 1])))
        ++i;
    for (; i < number.size(); ++i)
        out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(number[i]))));
    return out;
}

std::out_of_range unknownSong(const std::string& number)
{
    return std::out_of_range("Song " + number + " does not exist.");
}

TL::BarsBeats barsBeatsOf(const engine::GridBeat& beat)
{
    return TL::BarsBeats(beat.tick, beat.bar, beat.beat);
}

}  // namespace

AudioInterface::Options AudioInterface::Options::FromEnvironment()
{
    Options options;
    if (const char* clock = std::getenv("VEMO_STANDIN_CLOCK"); clock && std::string(clock) == "manual")
        options.clock = Clock::Manual;
    if (const char* speed = std::getenv("VEMO_STANDIN_SPEED")) {
        const double value = std::atof(speed);
        if (value > 0.0 && std::isfinite(value))
            options.speed = value;
    }
    if (const char* journal = std::getenv("VEMO_STANDIN_JOURNAL"))
        options.journalPath = journal;
    return options;
}

AudioInterface::AudioInterface(std::string showFolder, std::string dataDirectory, bool soundEffects,
                               std::shared_ptr<PlayerOscCallback> oscCallback, Options options)
    : AudioInterface("Vemo", std::move(showFolder), std::move(dataDirectory), soundEffects, std::move(oscCallback),
                     std::move(options))
{
}

AudioInterface::AudioInterface(std::string productName, std::string showFolder, std::string dataDirectory,
                               bool soundEffects, std::shared_ptr<PlayerOscCallback> oscCallback, Options options)
    : core_(std::make_unique<engine::EngineCore>(std::move(productName), std::move(showFolder), std::move(dataDirectory),
                                                 soundEffects, std::move(oscCallback), std::move(options)))
{
}

AudioInterface::~AudioInterface() = default;

void AudioInterface::ThrowIfThreadExceptions()
{
    core_->ThrowIfThreadExceptions();
}

void AudioInterface::SetSfxCallback(std::shared_ptr<SfxCallback> callback)
{
    core_->SetSfxCallback(std::move(callback));
}

testing::EngineProbe& AudioInterface::Probe()
{
    return core_->Probe();
}

// ---- transport ----

bool AudioInterface::IsStopped() const
{
    const auto line = core_->Enter("IsStopped", JournalCall("IsStopped"), true);
    const bool result = core_->WithPlayer([](Player& p) { return p.State() == Player::Transport::Stopped; }, true);
    core_->Result(line, JournalArg(result));
    return result;
}

void AudioInterface::Stop()
{
    core_->Enter("Stop", JournalCall("Stop"));
    core_->WithPlayer([](Player& p) { p.Stop(); });
}

void AudioInterface::Shutdown()
{
    core_->Enter("Shutdown", JournalCall("Shutdown"));
    core_->Shutdown();
}

void AudioInterface::Play()
{
    core_->Enter("Play", JournalCall("Play"));
    core_->WithPlayer([](Player& p) { p.Play(); });
}

void AudioInterface::Pause(bool fadeCompleted)
{
    core_->Enter("Pause", JournalCall("Pause", fadeCompleted));
    core_->WithPlayer([&](Player& p) { p.Pause(fadeCompleted); });
}

void AudioInterface::Continue()
{
    core_->Enter("Continue", JournalCall("Continue"));
    core_->WithPlayer([](Player& p) { p.Continue(); });
}

void AudioInterface::FlowControlExit()
{
    core_->Enter("FlowControlExit", JournalCall("FlowControlExit"));
    core_->WithPlayer([](Player& p) { p.FlowControlExit(); });
}

void AudioInterface::NextSong()
{
    core_->Enter("NextSong", JournalCall("NextSong"));
    core_->WithPlayer([](Player& p) { p.NextSong(); });
}

void AudioInterface::PrevSong()
{
    core_->Enter("PrevSong", JournalCall("PrevSong"));
    core_->WithPlayer([](Player& p) { p.PrevSong(); });
}

void AudioInterface::Fade(std::function<void()> done, float seconds)
{
    core_->Enter("Fade", JournalCall("Fade", done, seconds));
    if (!std::isfinite(seconds))
        throw std::invalid_argument("Fade arguments must be finite");
    core_->WithPlayer([&](Player& p) { p.Fade(std::move(done), seconds); });
}

void AudioInterface::FadeTo(std::function<void()> done, float seconds, float gain)
{
    core_->Enter("FadeTo", JournalCall("FadeTo", done, seconds, gain));
    if (!std::isfinite(seconds) || !std::isfinite(gain))
        throw std::invalid_argument("Fade arguments must be finite");
    core_->WithPlayer([&](Player& p) { p.FadeTo(std::move(done), seconds, gain); });
}

void AudioInterface::CancelFade()
{
    core_->Enter("CancelFade", JournalCall("CancelFade"));
    core_->WithPlayer([](Player& p) { p.CancelFade(); });
}

bool AudioInterface::GetIsPlaying() const
{
    const auto line = core_->Enter("GetIsPlaying", JournalCall("GetIsPlaying"), true);
    const bool result = core_->WithPlayer([](Player& p) { return p.IsPlaying(); }, true);
    core_->Result(line, JournalArg(result));
    return result;
}

bool AudioInterface::GetIsPaused() const
{
    const auto line = core_->Enter("GetIsPaused", JournalCall("GetIsPaused"), true);
    const bool result = core_->WithPlayer([](Player& p) { return p.IsPaused(); }, true);
    core_->Result(line, JournalArg(result));
    return result;
}

bool AudioInterface::GetIsFaded() const
{
    const auto line = core_->Enter("GetIsFaded", JournalCall("GetIsFaded"), true);
    const bool result = core_->WithPlayer([](Player& p) { return p.IsFaded(); }, true);
    core_->Result(line, JournalArg(result));
    return result;
}

// ---- seeking ----

void AudioInterface::Seek(UInt32 tick)
{
    core_->Enter("Seek", JournalCall("Seek", tick));
    core_->WithPlayer([&](Player& p) { p.Seek(tick); });
}

bool AudioInterface::SeekToBar(const std::string& bar)
{
    const auto line = core_->Enter("SeekToBar", JournalCall("SeekToBar", bar), true);
    const bool result = core_->WithPlayer([&](Player& p) { return p.SeekToBar(bar); });
    core_->Result(line, JournalArg(result));
    return result;
}

void AudioInterface::SeekLeft()
{
    core_->Enter("SeekLeft", JournalCall("SeekLeft"));
    core_->WithPlayer([](Player& p) { p.SeekMarker(-1); });
}

void AudioInterface::SeekRight()
{
    core_->Enter("SeekRight", JournalCall("SeekRight"));
    core_->WithPlayer([](Player& p) { p.SeekMarker(1); });
}

void AudioInterface::SeekToNextMeasure()
{
    core_->Enter("SeekToNextMeasure", JournalCall("SeekToNextMeasure"));
    core_->WithPlayer([](Player& p) { p.SeekMeasure(1); });
}

void AudioInterface::SeekToPreviousMeasure()
{
    core_->Enter("SeekToPreviousMeasure", JournalCall("SeekToPreviousMeasure"));
    core_->WithPlayer([](Player& p) { p.SeekMeasure(-1); });
}

UInt32 AudioInterface::GetTickIndex() const
{
    const auto line = core_->Enter("GetTickIndex", JournalCall("GetTickIndex"), true);
    const UInt32 result = core_->WithPlayer([](Player& p) { return p.Tick(); }, true);
    core_->Result(line, JournalArg(result));
    return result;
}

// ---- songs ----

std::string AudioInterface::GetCurrentSongNumber() const
{
    const auto line = core_->Enter("GetCurrentSongNumber", JournalCall("GetCurrentSongNumber"), true);
    const auto result = core_->WithPlayer([](Player& p) { return p.Song(); }, true);
    core_->Result(line, JournalArg(result));
    return result;
}

SongNameMap AudioInterface::GetSongNamesBySongNumber() const
{
    core_->Enter("GetSongNamesBySongNumber", JournalCall("GetSongNamesBySongNumber"));
    SongNameMap names;
    for (const auto& song : core_->Show().songs)
        names[song.number] = song.title;
    return names;
}

void AudioInterface::LoadSong(const std::string& number)
{
    core_->Enter("LoadSong", JournalCall("LoadSong", number));
    if (core_->Loaded() && !core_->Song(number))
        throw unknownSong(number);
    core_->WithPlayer([&](Player& p) { p.LoadSong(number, false); });
}

void AudioInterface::LoadSongAtTime(const std::string& number, UInt32 tick)
{
    core_->Enter("LoadSongAtTime", JournalCall("LoadSongAtTime", number, tick));
    if (core_->Loaded() && !core_->Song(number))
        throw unknownSong(number);
    core_->WithPlayer([&](Player& p) {
        if (p.Song() == number)
            p.Seek(tick);
        else
            p.LoadSong(number, true, tick);
    });
}

bool AudioInterface::SongExists(const std::string& number) const
{
    const auto line = core_->Enter("SongExists", JournalCall("SongExists", number), true);
    bool result = false;
    for (const auto& song : core_->Show().songs)
        result = result || song.number == number || normalisedSongNumber(song.number) == normalisedSongNumber(number);
    core_->Result(line, JournalArg(result));
    return result;
}

std::string AudioInterface::GetActualSongNumber(const std::string& number) const
{
    const auto line = core_->Enter("GetActualSongNumber", JournalCall("GetActualSongNumber", number), true);
    const auto& songs = core_->Show().songs;
    const engine::SongDescription* found = core_->Song(number);
    for (const auto& song : songs) {
        if (!found && normalisedSongNumber(song.number) == normalisedSongNumber(number))
            found = &song;
    }
    if (!found) {
        const auto error = unknownSong(number);
        core_->Failed(line, error);
        throw error;
    }
    core_->Result(line, JournalArg(found->number));
    return found->number;
}

UInt8 AudioInterface::GetAttacca(const std::string& number) const
{
    const auto line = core_->Enter("GetAttacca", JournalCall("GetAttacca", number), true);
    const auto result = core_->Attacca(number);
    core_->Result(line, JournalArg(result));
    return result;
}

void AudioInterface::SetAttacca(const std::string& number, UInt8 state)
{
    core_->Enter("SetAttacca", JournalCall("SetAttacca", number, state));
    core_->SetAttacca(number, state);
}

// ---- grid and timing ----

TL::TimelineSequence<TL::BarsBeats> AudioInterface::GetBarsBeats(const std::string& song, bool withClickEdits) const
{
    core_->Enter("GetBarsBeats", JournalCall("GetBarsBeats", song, withClickEdits));
    TL::TimelineSequence<TL::BarsBeats> sequence;
    const auto* description = core_->Song(song);
    if (!description)
        return sequence;
    const auto grid = core_->WithPlayer([&](Player&) { return core_->GridOf(song, withClickEdits); }, true);
    for (const auto& beat : grid.Beats())
        sequence.push_back(barsBeatsOf(beat));
    const int lastBar = grid.Beats().empty() ? 0 : grid.Beats().back().bar;
    sequence.push_back(TL::BarsBeats(description->length, lastBar + 1, 1));
    return sequence;
}

TL::BarsBeats AudioInterface::GetBarBeatByTick(UInt32 tick, bool withClickEdits, bool snap) const
{
    core_->Enter("GetBarBeatByTick", JournalCall("GetBarBeatByTick", tick, withClickEdits, snap));
    return core_->WithPlayer(
        [&](Player& p) {
            const auto grid = core_->GridOf(p.Song(), withClickEdits);
            const int index = grid.IndexAtOrBefore(snap ? tick + 24 : tick);
            return index < 0 ? TL::BarsBeats() : barsBeatsOf(grid.Beats()[static_cast<std::size_t>(index)]);
        },
        true);
}

TL::BarsBeats AudioInterface::GetBarBeatLeftByTick(UInt32 tick) const
{
    core_->Enter("GetBarBeatLeftByTick", JournalCall("GetBarBeatLeftByTick", tick));
    return core_->WithPlayer(
        [&](Player& p) {
            const auto& grid = p.ClickGrid();
            const int index = grid.IndexAtOrBefore(tick);
            return index < 0 ? TL::BarsBeats() : barsBeatsOf(grid.Beats()[static_cast<std::size_t>(index)]);
        },
        true);
}

std::string AudioInterface::GetBarString(UInt32 tick) const
{
    const auto line = core_->Enter("GetBarString", JournalCall("GetBarString", tick), true);
    const auto result = core_->WithPlayer(
        [&](Player& p) {
            const auto& grid = p.ClickGrid();
            const int index = grid.IndexAtOrBefore(tick);
            return index < 0 ? std::string() : std::to_string(grid.Beats()[static_cast<std::size_t>(index)].bar);
        },
        true);
    core_->Result(line, JournalArg(result));
    return result;
}

UInt32 AudioInterface::GetAvailableShiftAfterBarBeat(UInt32 tick, bool withClickEdits) const
{
    const auto line = core_->Enter("GetAvailableShiftAfterBarBeat",
                                   JournalCall("GetAvailableShiftAfterBarBeat", tick, withClickEdits), true);
    const UInt32 result = core_->WithPlayer(
        [&](Player& p) -> UInt32 {
            const auto grid = core_->GridOf(p.Song(), withClickEdits);
            const int index = grid.IndexAtOrBefore(tick);
            if (index < 0)
                return 0;
            const auto& beats = grid.Beats();
            const auto next = static_cast<std::size_t>(index) + 1 < beats.size() ? beats[index + 1].tick : grid.Length();
            return next > tick + 1 ? next - tick - 1 : 0;
        },
        true);
    core_->Result(line, JournalArg(result));
    return result;
}

std::vector<int> AudioInterface::GetClickValues(UInt32 start, UInt32 end) const
{
    core_->Enter("GetClickValues", JournalCall("GetClickValues", start, end));
    return core_->WithPlayer([&](Player& p) { return engine::ClickValues(p.Description(), start, end); }, true);
}

UInt32 AudioInterface::GetSongLength(const std::string& song) const
{
    const auto line = core_->Enter("GetSongLength", JournalCall("GetSongLength", song), true);
    const auto* description = core_->Song(song);
    const UInt32 result = description ? description->length : 0;
    core_->Result(line, JournalArg(result));
    return result;
}

UInt32 AudioInterface::GetSongStartTickIndex(const std::string& song) const
{
    const auto line = core_->Enter("GetSongStartTickIndex", JournalCall("GetSongStartTickIndex", song), true);
    const auto* description = core_->Song(song);
    const UInt32 result = description ? description->startTick : 0;
    core_->Result(line, JournalArg(result));
    return result;
}

UInt32 AudioInterface::GetSongAudioStartTick(const std::string& song) const
{
    const auto line = core_->Enter("GetSongAudioStartTick", JournalCall("GetSongAudioStartTick", song), true);
    const auto* description = core_->Song(song);
    const UInt32 result = description ? description->audioStartTick : 0;
    core_->Result(line, JournalArg(result));
    return result;
}

UInt32 AudioInterface::GetSongAudioEndTick(const std::string& song) const
{
    const auto line = core_->Enter("GetSongAudioEndTick", JournalCall("GetSongAudioEndTick", song), true);
    const auto* description = core_->Song(song);
    const UInt32 result = description ? description->audioEndTick : 0;
    core_->Result(line, JournalArg(result));
    return result;
}

UInt32 AudioInterface::GetMinStartTickIndex() const
{
    const auto line = core_->Enter("GetMinStartTickIndex", JournalCall("GetMinStartTickIndex"), true);
    const UInt32 result = core_->WithPlayer([](Player& p) { return p.Description().editStartTick; }, true);
    core_->Result(line, JournalArg(result));
    return result;
}

UInt32 AudioInterface::GetCurrentStartTickIndex() const
{
    const auto line = core_->Enter("GetCurrentStartTickIndex", JournalCall("GetCurrentStartTickIndex"), true);
    const UInt32 result = core_->WithPlayer([](Player& p) { return p.Description().editStartTick; }, true);
    core_->Result(line, JournalArg(result));
    return result;
}

TL::Timeline AudioInterface::GetTimeline() const
{
    core_->Enter("GetTimeline", JournalCall("GetTimeline"));
    return core_->WithPlayer(
        [](Player& p) {
            const auto& song = p.Description();
            std::vector<TL::Key> keys;
            for (const auto& k : song.keys) {
                TL::Key key;
                key.tick = k.tick;
                key.mode = static_cast<std::int16_t>(k.mode);
                key.sharpsFlats = static_cast<std::int16_t>(k.sharpsFlats);
                keys.push_back(key);
            }
            std::vector<TL::Tempo> tempos;
            for (const auto& t : song.tempos) {
                TL::Tempo tempo;
                tempo.tick = t.tick;
                tempo.usPerQuarter = static_cast<std::uint32_t>(std::lround(60e6 / t.bpm));
                tempos.push_back(tempo);
            }
            std::vector<TL::Meter> meters;
            for (const auto& m : song.meters) {
                TL::Meter meter;
                meter.tick = m.tick;
                meter.numerator = static_cast<std::uint8_t>(m.numerator);
                meter.denominator = static_cast<std::uint8_t>(m.denominator);
                meters.push_back(meter);
            }
            return TL::Timeline(std::move(keys), std::move(tempos), std::move(meters));
        },
        true);
}

// ---- change log ----

CL::Editor* AudioInterface::GetChangeLogEditor()
{
    core_->Enter("GetChangeLogEditor", JournalCall("GetChangeLogEditor"));
    return &core_->Editor();
}

const CL::SongLog* AudioInterface::GetSongLog() const
{
    core_->Enter("GetSongLog", JournalCall("GetSongLog"));
    return core_->CurrentSongLog();
}

std::vector<cmn::VemoEvent*> AudioInterface::GetMarkers()
{
    core_->Enter("GetMarkers", JournalCall("GetMarkers"));
    return core_->Markers();
}

std::vector<std::unique_ptr<cmn::VemoEvent>> AudioInterface::GetChangeLogPanelEvents() const
{
    core_->Enter("GetChangeLogPanelEvents", JournalCall("GetChangeLogPanelEvents"));
    return core_->PanelEvents();
}

std::vector<std::shared_ptr<CL::Sfx>> AudioInterface::GetChangeLogSoundEffects()
{
    core_->Enter("GetChangeLogSoundEffects", JournalCall("GetChangeLogSoundEffects"));
    return core_->Editor().SoundEffects();
}

void AudioInterface::LoadNewChangeLog()
{
    core_->Enter("LoadNewChangeLog", JournalCall("LoadNewChangeLog"));
    core_->PublishWorkingLog();
}

void AudioInterface::SetChangelogFilename(const std::string& fileName)
{
    core_->Enter("SetChangelogFilename", JournalCall("SetChangelogFilename", fileName));
    if (core_->Loaded())
        core_->SwitchChangeLog(fileName);
}

std::string AudioInterface::SaveChangelog(int major, int minor)
{
    const auto line = core_->Enter("SaveChangelog", JournalCall("SaveChangelog", major, minor), true);
    try {
        const auto result = core_->Save(major, minor);
        core_->Result(line, JournalArg(result));
        return result;
    } catch (const std::exception& e) {
        core_->Failed(line, e);
        throw;
    }
}

std::string AudioInterface::GetChangelogFilename() const
{
    const auto line = core_->Enter("GetChangelogFilename", JournalCall("GetChangelogFilename"), true);
    const auto result = core_->ChangeLogFileName();
    core_->Result(line, JournalArg(result));
    return result;
}

std::string AudioInterface::GetLogVersion() const
{
    const auto line = core_->Enter("GetLogVersion", JournalCall("GetLogVersion"), true);
    const auto result = core_->Editor().GetVersion().GetAsString();
    core_->Result(line, JournalArg(result));
    return result;
}

core::DataVector AudioInterface::GetShowAuthorizationData() const
{
    core_->Enter("GetShowAuthorizationData", JournalCall("GetShowAuthorizationData"));
    return core_->AuthorizationData();
}

std::string AudioInterface::GetModifiedClickEditLog() const
{
    const auto line = core_->Enter("GetModifiedClickEditLog", JournalCall("GetModifiedClickEditLog"), true);
    const auto result = core_->WarningClick();
    core_->Result(line, JournalArg(result));
    return result;
}

std::string AudioInterface::GetTempoScaleWarnings() const
{
    const auto line = core_->Enter("GetTempoScaleWarnings", JournalCall("GetTempoScaleWarnings"), true);
    const auto result = core_->WarningTempo();
    core_->Result(line, JournalArg(result));
    return result;
}

int AudioInterface::GetInvertedLoopEventCount() const
{
    const auto line = core_->Enter("GetInvertedLoopEventCount", JournalCall("GetInvertedLoopEventCount"), true);
    const auto result = core_->WarningInvertedCount();
    core_->Result(line, JournalArg(result));
    return result;
}

std::string AudioInterface::GetInvertedLoopEventDescription() const
{
    const auto line =
        core_->Enter("GetInvertedLoopEventDescription", JournalCall("GetInvertedLoopEventDescription"), true);
    const auto result = core_->WarningInvertedText();
    core_->Result(line, JournalArg(result));
    return result;
}

// ---- show, outputs, volume ----

std::filesystem::path AudioInterface::GetShowDirectory() const
{
    core_->Enter("GetShowDirectory", JournalCall("GetShowDirectory"));
    return core_->ShowFolder();
}

std::map<std::string, CL::OutputPath> AudioInterface::GetOutputPathMap() const
{
    core_->Enter("GetOutputPathMap", JournalCall("GetOutputPathMap"));
    return core_->OutputPaths();
}

void AudioInterface::onAddOutputhPath(const CL::OutputPath& path)
{
    core_->Enter("onAddOutputhPath", JournalCall("onAddOutputhPath", path.GetId()));
    core_->PutOutputPath(path, false);
}

void AudioInterface::onRemoveOutputhPath(const CL::OutputPath& path)
{
    core_->Enter("onRemoveOutputhPath", JournalCall("onRemoveOutputhPath", path.GetId()));
    core_->PutOutputPath(path, true);
}

void AudioInterface::SetOutputDeviceUid(const char* utf8)
{
    core_->Enter("SetOutputDeviceUid", JournalCall("SetOutputDeviceUid", utf8));
    core_->SetOutputDevice(utf8 ? utf8 : "");
}

std::string AudioInterface::GetOutputDeviceUid() const
{
    const auto line = core_->Enter("GetOutputDeviceUid", JournalCall("GetOutputDeviceUid"), true);
    const auto result = core_->OutputDevice();
    core_->Result(line, JournalArg(result));
    return result;
}

void AudioInterface::SetVolume(double gain, VolumeType type)
{
    core_->Enter("SetVolume", JournalCall("SetVolume", gain, static_cast<int>(type)));
    if (!std::isfinite(gain))
        throw std::invalid_argument("Volume must be finite");
    core_->WithPlayer([&](Player& p) { p.SetMaster(gain); });
}

double AudioInterface::GetVolume() const
{
    const auto line = core_->Enter("GetVolume", JournalCall("GetVolume"), true);
    const double result = core_->WithPlayer([](Player& p) { return p.Master(); }, true);
    core_->Result(line, JournalArg(result));
    return result;
}

// ---- OSC ----

void AudioInterface::SetOscControlDefaultPort(uint16_t port)
{
    core_->Enter("SetOscControlDefaultPort", JournalCall("SetOscControlDefaultPort", port));
    core_->SetOscDefaultPort(port);
}

void AudioInterface::DoOscProcessing(bool enabled)
{
    core_->Enter("DoOscProcessing", JournalCall("DoOscProcessing", enabled));
    core_->SetOscProcessing(enabled);
}

CL::NetworkPathVectorT AudioInterface::GetNetworks() const
{
    core_->Enter("GetNetworks", JournalCall("GetNetworks"));
    return core_->Networks();
}

CL::NetworkPath AudioInterface::GetNetwork(const std::string& networkId) const
{
    core_->Enter("GetNetwork", JournalCall("GetNetwork", networkId));
    for (const auto& network : core_->Networks()) {
        if (network.NetworkId() == networkId)
            return network;
    }
    throw std::out_of_range("Unknown network destination " + networkId);
}

// ---- MIDI ----

std::map<UInt8, std::string> AudioInterface::GetCommandNames() const
{
    core_->Enter("GetCommandNames", JournalCall("GetCommandNames"));
    return core_->CommandNames();
}

std::map<UInt8, midi_commands::LearnedCommand> AudioInterface::GetLearnedCommands() const
{
    core_->Enter("GetLearnedCommands", JournalCall("GetLearnedCommands"));
    return core_->LearnedCommands();
}

bool AudioInterface::IsMidiCommandLearning(UInt8 commandId) const
{
    const auto line = core_->Enter("IsMidiCommandLearning", JournalCall("IsMidiCommandLearning", commandId), true);
    const bool result = core_->IsLearning(commandId);
    core_->Result(line, JournalArg(result));
    return result;
}

void AudioInterface::LearnMidiCommand(UInt8 commandId)
{
    core_->Enter("LearnMidiCommand", JournalCall("LearnMidiCommand", commandId));
    core_->Learn(commandId);
}

std::vector<int> AudioInterface::GetAllowedCommandStatuses() const
{
    core_->Enter("GetAllowedCommandStatuses", JournalCall("GetAllowedCommandStatuses"));
    return core_->AllowedStatuses();
}

void AudioInterface::SetMidiCommand(UInt8 commandId, UInt8 status, UInt8 channel, UInt8 note)
{
    core_->Enter("SetMidiCommand", JournalCall("SetMidiCommand", commandId, status, channel, note));
    core_->SetCommand(commandId, status, channel, note);
}

std::vector<midi::MidiEndPoint> AudioInterface::GetMidiSources() const
{
    core_->Enter("GetMidiSources", JournalCall("GetMidiSources"));
    return midi::EnumerateSources();
}

void AudioInterface::SetMidiSource(int index)
{
    core_->Enter("SetMidiSource", JournalCall("SetMidiSource", index));
    core_->OpenMidiSource(index);
}

bool AudioInterface::HasMidiSource() const
{
    const auto line = core_->Enter("HasMidiSource", JournalCall("HasMidiSource"), true);
    const bool result = core_->HasMidiSource();
    core_->Result(line, JournalArg(result));
    return result;
}

UInt8 AudioInterface::GetConnectedSourceIndex() const
{
    const auto line = core_->Enter("GetConnectedSourceIndex", JournalCall("GetConnectedSourceIndex"), true);
    const auto result = core_->MidiSourceIndex();
    core_->Result(line, JournalArg(result));
    return result;
}

// ---- score ----

std::pair<std::string, UInt32> AudioInterface::LookupPage(unsigned page) const
{
    core_->Enter("LookupPage", JournalCall("LookupPage", page));
    for (const auto& entry : core_->Show().pages) {
        if (entry.page == page)
            return {entry.song, entry.tick};
    }
    throw std::out_of_range("Page " + std::to_string(page) + " is not in the score");
}

}  // namespace vemo
