#include "vemo_core/change_log_document.h"

#include "vemo_core/codes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace CL {
namespace {

bool EventLess(const std::shared_ptr<const cmn::VemoEvent>& a, const std::shared_ptr<const cmn::VemoEvent>& b)
{
    return *a < *b;
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// A float as the double with the float's shortest decimal text (1.1f is written as 1.1).
double Shortest(float value)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof(text), value);
    double result = 0.0;
    std::from_chars(text, written.ptr, result);
    return result;
}

QJsonObject SfxJson(const SfxProperties& sfx)
{
    QJsonObject object;
    object["name"] = Q(sfx.name());
    object["outputPath"] = Q(sfx.outputPath());
    object["effectId"] = Q(sfx.effectId());
    object["effectIdIndex"] = sfx.effectIdIndex();
    object["volume"] = Shortest(sfx.volume());
    object["pan"] = Shortest(sfx.pan());
    object["reverb"] = Shortest(sfx.reverb());
    object["fadeIn"] = sfx.fadeIn();
    object["fadeOut"] = sfx.fadeOut();
    object["repeats"] = sfx.repeats();
    return object;
}

QJsonObject EventJson(const cmn::VemoEvent& event)
{
    QJsonObject object;
    const UInt8 code = event.code();
    object["code"] = QString(QChar(code));
    object["id"] = Q(event.EventId());
    object["start"] = static_cast<qint64>(event.start());
    if (event.IsPairedEvent())
        object["end"] = static_cast<qint64>(event.end());
    switch (code) {
    case codes::kTempoScale:
        object["float"] = Shortest(event.float_value());
        break;
    case codes::kMarker:
        object["text"] = Q(event.value());
        break;
    case codes::kSfx:
    case codes::kSfxAmbient:
        object["sfx"] = SfxJson(event.sfx_properties());
        break;
    case codes::kOsc:
        object["osc"] = QJsonObject{{"message", Q(event.osc_properties().Message())},
            {"networkId", Q(event.osc_properties().NetworkId())}};
        break;
    case codes::kCaesura:
        object["int"] = static_cast<qint64>(static_cast<UInt32>(event.int_value()));
        break;
    default:
        object["int"] = event.int_value();
        break;
    }
    return object;
}

QJsonObject NetworkJson(const NetworkPath& network)
{
    return QJsonObject{{"networkId", Q(network.NetworkId())}, {"name", Q(network.Name())},
        {"ip", Q(network.IpAddress())}, {"port", network.Port()}, {"transport", network.Transport()}};
}

QJsonObject OutputPathJson(const OutputPath& path)
{
    return QJsonObject{{"id", Q(path.GetId())}, {"name", Q(path.GetName())}, {"deviceId", Q(path.GetDeviceId())},
        {"deviceName", Q(path.GetDeviceName())}};
}

} // namespace

std::vector<std::shared_ptr<const cmn::VemoEvent>> SongDocument::EventsOfKind(UInt8 code) const
{
    std::vector<std::shared_ptr<const cmn::VemoEvent>> result;
    for (const auto& event : events) {
        if (event->code() == code)
            result.push_back(event);
    }
    return result;
}

std::shared_ptr<const cmn::VemoEvent> SongDocument::Find(UInt8 code, const std::string& id) const
{
    for (const auto& event : events) {
        if (event->code() == code && event->EventId() == id)
            return event;
    }
    return nullptr;
}

void SongDocument::Insert(std::shared_ptr<const cmn::VemoEvent> event)
{
    const auto place = std::upper_bound(events.begin(), events.end(), event, EventLess);
    events.insert(place, std::move(event));
}

bool SongDocument::Remove(UInt8 code, const std::string& id)
{
    const auto found = std::find_if(events.begin(), events.end(),
        [&](const auto& event) { return event->code() == code && event->EventId() == id; });
    if (found == events.end())
        return false;
    events.erase(found);
    return true;
}

void ChangeLogDocument::Save(const std::filesystem::path& file) const
{
    try {
        vemo::core::WriteFileAtomically(file, Serialize());
    } catch (const std::exception& error) {
        throw std::runtime_error("Cannot write change log " + file.filename().string() + ": " + error.what());
    }
}

std::string ChangeLogDocument::Serialize() const
{
    QJsonObject root;
    root["format"] = Q(cmn::VEMOVersion{kFormatMajor, kFormatMinor}.GetAsString());
    root["show"] = Q(showId_);
    root["version"] = QJsonObject{{"major", version_.majorVersion}, {"minor", version_.minorVersion}};
    QJsonArray networks;
    for (const auto& network : networks_)
        networks.append(NetworkJson(network));
    root["networks"] = networks;
    QJsonArray outputPaths;
    for (const auto& path : outputPaths_)
        outputPaths.append(OutputPathJson(path));
    root["outputPaths"] = outputPaths;
    QJsonArray soundEffects;
    for (const auto& effect : soundEffects_)
        soundEffects.append(QJsonObject{{"id", Q(effect->EventId())}, {"sfx", SfxJson(effect->sfx_properties())}});
    root["soundEffects"] = soundEffects;
    QJsonObject songs;
    for (const auto& [number, song] : songs_) {
        if (song.events.empty() && song.attacca == 0)
            continue;
        std::vector<std::shared_ptr<const cmn::VemoEvent>> sorted = song.events;
        std::stable_sort(sorted.begin(), sorted.end(), EventLess);
        QJsonArray events;
        for (const auto& event : sorted)
            events.append(EventJson(*event));
        songs[Q(number)] = QJsonObject{{"attacca", song.attacca}, {"events", events}};
    }
    root["songs"] = songs;
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

ChangeLogDocument ChangeLogDocument::DeepCopy() const
{
    ChangeLogDocument copy(*this);
    for (auto& effect : copy.soundEffects_)
        effect = std::make_shared<Sfx>(*effect);
    return copy;
}

bool ChangeLogDocument::IsReadOnly() const
{
    return format_.majorVersion == kFormatMajor && format_.minorVersion > kFormatMinor;
}

const SongDocument* ChangeLogDocument::Song(const std::string& number) const
{
    const auto found = songs_.find(number);
    return found == songs_.end() ? nullptr : &found->second;
}

SongDocument& ChangeLogDocument::SongForWriting(const std::string& number)
{
    return songs_[number];
}

UInt8 ChangeLogDocument::Attacca(const std::string& number) const
{
    const SongDocument* song = Song(number);
    return song == nullptr ? 0 : song->attacca;
}

void ChangeLogDocument::PutOutputPath(const OutputPath& path)
{
    const auto found = std::find_if(outputPaths_.begin(), outputPaths_.end(),
        [&](const OutputPath& existing) { return existing.GetId() == path.GetId(); });
    if (found == outputPaths_.end())
        outputPaths_.push_back(path);
    else
        *found = path;
}

void ChangeLogDocument::RemoveOutputPath(const std::string& id)
{
    std::erase_if(outputPaths_, [&](const OutputPath& path) { return path.GetId() == id; });
}

} // namespace CL
