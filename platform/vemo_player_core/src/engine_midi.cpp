#include "engine_core.h"

#include <vemo_core/regular_file.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <iostream>
#include <optional>

namespace vemo::engine {
namespace {

constexpr double kLearnTimeoutMs = 10000.0;

std::filesystem::path settingsFile(const std::filesystem::path& dataDirectory)
{
    return dataDirectory / "midi_commands.json";
}

}  // namespace

void EngineCore::LoadMidiSettings()
{
    std::optional<std::string> bytes;
    try {
        bytes = vemo::core::ReadRegularFileIfPresent(settingsFile(dataDirectory_));
    } catch (const vemo::core::FileReadError& error) {
        std::cerr << "Ignoring MIDI settings: " << error.what() << std::endl;
        return;
    }
    if (!bytes)
        return;
    const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(*bytes));
    if (!document.isObject()) {
        std::cerr << "Ignoring malformed MIDI settings " << settingsFile(dataDirectory_).string() << std::endl;
        return;
    }
    const auto root = document.object();
    for (const auto& value : root.value("learned").toArray()) {
        const auto o = value.toObject();
        const int id = o.value("id").toInt(-1);
        if (id < 0 || id > 255)
            continue;
        learned_[static_cast<UInt8>(id)] = midi_commands::LearnedCommand{
            static_cast<UInt8>(o.value("status").toInt() & 0xF0), static_cast<UInt8>(o.value("channel").toInt() & 0x0F),
            static_cast<UInt8>(o.value("note").toInt() & 0x7F)};
    }
    midiSourceName_ = root.value("source").toString().toStdString();
    const auto sources = midi::EnumerateSources();
    const auto it = std::find_if(sources.begin(), sources.end(),
                                 [&](const auto& s) { return s.GetSourceName() == midiSourceName_; });
    if (!midiSourceName_.empty() && it != sources.end()) {
        midiInput_ = std::make_unique<midi::MidiInput>();
        midiInput_->Open(it->Index(), [this](const std::vector<std::uint8_t>& bytes) {
            PostTask([this, bytes] { OnMidiMessage(bytes); });
        });
    }
}

void EngineCore::SaveMidiSettings() const
{
    QJsonArray learned;
    for (const auto& [id, command] : learned_) {
        learned.append(QJsonObject{{"id", id}, {"status", command.status}, {"channel", command.channel},
                                   {"note", command.note}});
    }
    const QJsonObject root{{"source", QString::fromStdString(midiSourceName_)}, {"learned", learned}};
    try {
        vemo::MakeDirectoryIfNeeded(dataDirectory_);
        vemo::core::WriteFileAtomically(settingsFile(dataDirectory_),
                                        QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString());
    } catch (const std::exception& e) {
        std::cerr << "Cannot save MIDI settings: " << e.what() << std::endl;
    }
}

std::map<UInt8, std::string> EngineCore::CommandNames() const
{
    std::map<UInt8, std::string> names;
    for (const auto& c : show_.midiCommands)
        names[static_cast<UInt8>(c.id)] = c.name;
    return names;
}

std::map<UInt8, midi_commands::LearnedCommand> EngineCore::LearnedCommands() const
{
    Lock lock(mutex_);
    return learned_;
}

bool EngineCore::IsLearning(UInt8 id) const
{
    Lock lock(mutex_);
    return learning_ && *learning_ == id;
}

void EngineCore::Learn(UInt8 id)
{
    Lock lock(mutex_);
    if (!player_ || shutDown_)
        return;
    if (learning_ && *learning_ != id)
        Notify(notify::EventKind::MIDICommandCanceled, *learning_, std::nullopt);
    learning_.reset();
    const bool known = std::any_of(show_.midiCommands.begin(), show_.midiCommands.end(),
                                   [&](const auto& c) { return c.id == id; });
    if (!known) {
        Notify(notify::EventKind::MIDICommandCanceled, id, std::nullopt);
    } else {
        learning_ = id;
        learnDeadline_ = ClockNowMs() + kLearnTimeoutMs;
    }
    Wake();
}

void EngineCore::CheckLearnTimeout()
{
    if (learning_ && ClockNowMs() >= learnDeadline_) {
        Notify(notify::EventKind::MIDICommandCanceled, *learning_, std::nullopt);
        learning_.reset();
    }
}

std::vector<int> EngineCore::AllowedStatuses() const
{
    return show_.allowedStatuses;
}

void EngineCore::SetCommand(UInt8 id, UInt8 status, UInt8 channel, UInt8 note)
{
    const bool known = std::any_of(show_.midiCommands.begin(), show_.midiCommands.end(),
                                   [&](const auto& c) { return c.id == id; });
    if (!known) {
        std::cerr << "Ignoring unknown MIDI command id " << int(id) << std::endl;
        return;
    }
    Lock lock(mutex_);
    learned_[id] = midi_commands::LearnedCommand{static_cast<UInt8>(status & 0xF0), static_cast<UInt8>(channel & 0x0F),
                                                 static_cast<UInt8>(note & 0x7F)};
    SaveMidiSettings();
}

void EngineCore::OpenMidiSource(int index)
{
    std::unique_ptr<midi::MidiInput> old;
    {
        Lock lock(mutex_);
        old = std::move(midiInput_);
    }
    old.reset();
    const auto sources = midi::EnumerateSources();
    auto input = std::make_unique<midi::MidiInput>();
    const bool opened = input->Open(index, [this](const std::vector<std::uint8_t>& bytes) {
        PostTask([this, bytes] { OnMidiMessage(bytes); });
    });
    Lock lock(mutex_);
    if (shutDown_)
        return;
    if (opened) {
        midiInput_ = std::move(input);
        midiSourceName_ = sources[static_cast<std::size_t>(index)].GetSourceName();
    } else {
        midiSourceName_.clear();
    }
    SaveMidiSettings();
}

bool EngineCore::HasMidiSource() const
{
    Lock lock(mutex_);
    return midiInput_ && midiInput_->IsOpen();
}

UInt8 EngineCore::MidiSourceIndex() const
{
    Lock lock(mutex_);
    return midiInput_ ? static_cast<UInt8>(std::max(0, midiInput_->SourceIndex())) : 0;
}

void EngineCore::OnMidiMessage(const std::vector<std::uint8_t>& bytes)
{
    Lock lock(mutex_);
    if (!player_ || shutDown_ || bytes.empty())
        return;
    Notify(notify::EventKind::MidiNotification, 0, std::nullopt);
    const UInt8 status = bytes[0];
    const UInt8 high = status & 0xF0;
    const UInt8 channel = status & 0x0F;
    const UInt8 data1 = bytes.size() > 1 ? bytes[1] & 0x7F : 0;
    const UInt8 data2 = bytes.size() > 2 ? bytes[2] & 0x7F : 0;
    const UInt8 effective = (high == 0x90 && data2 == 0) ? 0x80 : high;
    const bool allowed = std::find(show_.allowedStatuses.begin(), show_.allowedStatuses.end(), int(high))
                         != show_.allowedStatuses.end();
    if (learning_ && allowed) {
        const UInt8 id = *learning_;
        learning_.reset();
        learned_[id] = midi_commands::LearnedCommand{effective, channel, data1};
        SaveMidiSettings();
        Notify(notify::EventKind::LearnedMIDICommand, (int(id) << 16) | (int(effective | channel) << 8) | data1,
               std::nullopt);
        Wake();
        return;
    }
    if (high == 0xB0 && data2 == 0) {
        Wake();
        return;
    }
    for (const auto& [id, command] : learned_) {
        if (command.status != effective || command.channel != channel || command.note != data1)
            continue;
        const auto it = std::find_if(show_.midiCommands.begin(), show_.midiCommands.end(),
                                     [&, id = id](const auto& c) { return c.id == id; });
        if (it != show_.midiCommands.end())
            PerformMidiAction(it->action);
    }
    Wake();
}

void EngineCore::PerformMidiAction(const std::string& action)
{
    journal_.Add("midi." + action);
    auto& player = *player_;
    if (action == "play")
        player.Play();
    else if (action == "stop")
        player.Stop();
    else if (action == "pauseToggle")
        player.IsPlaying() ? player.Pause(false) : player.Play();
    else if (action == "continue")
        player.Continue();
    else if (action == "exitFlowControl")
        player.FlowControlExit();
    else if (action == "nextSong")
        player.NextSong();
    else if (action == "prevSong")
        player.PrevSong();
    else if (action == "fade3s")
        player.Fade(
            [this] {
                Lock lock(mutex_);
                if (!player_ || shutDown_)
                    return;
                player_->NextSong();
                player_->CancelFade();
                Wake();
            },
            3.0);
    else if (action == "nextBar")
        player.SeekMeasure(1);
    else if (action == "prevBar")
        player.SeekMeasure(-1);
}

}  // namespace vemo::engine
