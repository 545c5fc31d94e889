#include "change_log_reader.h"

#include "event_ids.h"
#include "json_fields.h"
#include "vemo_core/codes.h"
#include "vemo_core/errors.h"
#include "vemo_core/regular_file.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>
#include <set>

namespace CL {
namespace {

using vemo::core::json::FieldError;
using vemo::core::json::Fields;

constexpr std::int64_t kMaxTick = std::numeric_limits<UInt32>::max();
constexpr std::int64_t kMaxInt = std::numeric_limits<int>::max();
constexpr std::int64_t kMinInt = std::numeric_limits<int>::min();
constexpr double kMinTempoScale = 0.5;
constexpr double kMaxTempoScale = 2.0;

SfxProperties ReadSfx(const QJsonObject& object, const std::string& where)
{
    const Fields fields(object, where);
    SfxProperties sfx;
    sfx.setName(fields.Text("name", ""));
    sfx.setOutputPath(fields.Text("outputPath", ""));
    sfx.setEffectId(fields.Text("effectId", ""));
    sfx.setEffectIdIndex(static_cast<int>(fields.Whole("effectIdIndex", kMinInt, kMaxInt, 0)));
    sfx.setVolume(static_cast<float>(fields.Number("volume", 1.0)));
    sfx.setPan(static_cast<float>(fields.Number("pan", 0.5)));
    sfx.setReverb(static_cast<float>(fields.Number("reverb", 0.0)));
    sfx.setFadeIn(static_cast<UInt16>(fields.Whole("fadeIn", 0, 0xffff, 0)));
    sfx.setFadeOut(static_cast<UInt16>(fields.Whole("fadeOut", 0, 0xffff, 0)));
    sfx.setRepeats(static_cast<int>(fields.Whole("repeats", -1, kMaxInt, 0)));
    return sfx;
}

// The event, or nullptr for a code this program does not know.
std::unique_ptr<cmn::VemoEvent> ReadEvent(const QJsonObject& object, const std::string& where)
{
    const Fields fields(object, where);
    const std::string codeText = fields.Text("code");
    if (codeText.size() != 1)
        throw FieldError("member \"code\" of " + where + " must be one character");
    const auto code = static_cast<UInt8>(codeText[0]);
    const std::string id = fields.Text("id");
    const auto start = static_cast<UInt32>(fields.Whole("start", 0, kMaxTick));
    if (!codes::IsEventCode(code)) {
        std::cerr << "Skipping unknown change-log event code " << codeText << std::endl;
        return nullptr;
    }
    const UInt32 end = codes::IsRegionCode(code) ? static_cast<UInt32>(fields.Whole("end", 0, kMaxTick)) : 0;
    std::unique_ptr<cmn::VemoEvent> event = MakeEvent(code, start, end, id);
    switch (code) {
    case codes::kVamp:
    case codes::kRepeat:
    case codes::kTranspose:
    case codes::kClick:
        event->int_value(static_cast<int>(fields.Whole("int", kMinInt, kMaxInt)));
        break;
    case codes::kCut:
    case codes::kSkip:
        event->int_value(static_cast<int>(fields.Whole("int", kMinInt, kMaxInt, 0)));
        break;
    case codes::kCaesura:
        event->int_value(static_cast<int>(static_cast<UInt32>(fields.Whole("int", 0, kMaxTick, 0))));
        break;
    case codes::kTempoScale:
        event->float_value(fields.Number("float"));
        break;
    case codes::kMarker:
        event->value(fields.Text("text"));
        break;
    case codes::kSfx:
    case codes::kSfxAmbient:
        event->sfx_properties(ReadSfx(fields.Object("sfx"), where + " sfx"));
        break;
    case codes::kOsc: {
        const Fields osc(fields.Object("osc"), where + " osc");
        event->osc_properties(OscProperties(osc.Text("message"), osc.Text("networkId", "")));
        break;
    }
    default:
        break;
    }
    return event;
}

NetworkPath ReadNetwork(const QJsonObject& object, const std::string& where)
{
    const Fields fields(object, where);
    NetworkPath network;
    network.SetNetworkId(fields.Text("networkId"));
    network.SetName(fields.Text("name", ""));
    network.SetIpAddress(fields.Text("ip", ""));
    network.SetPort(static_cast<std::int32_t>(fields.Whole("port", kMinInt, kMaxInt, 0)));
    network.SetTransport(static_cast<std::int32_t>(fields.Whole("transport", kMinInt, kMaxInt, 0)));
    return network;
}

OutputPath ReadOutputPath(const QJsonObject& object, const std::string& where)
{
    const Fields fields(object, where);
    return OutputPath(fields.Text("id"), fields.Text("name", ""), fields.Text("deviceId", ""),
        fields.Text("deviceName", ""));
}

// Swaps inverted regions and limits tempo scales, noting each fix.
std::unique_ptr<cmn::VemoEvent> FixValues(std::unique_ptr<cmn::VemoEvent> event, const std::string& song, LoadReport& report)
{
    if (event->IsPairedEvent() && event->start() > event->end()) {
        const UInt32 start = event->end();
        const UInt32 end = event->start();
        event->start(start);
        event->end(end);
        report.issues.push_back({LoadIssue::Kind::InvertedRegion, song, event->code(), event->EventId(), {}, start, end, 0, 0});
    }
    if (event->code() == codes::kTempoScale) {
        const double factor = event->float_value();
        const double limited = std::clamp(factor, kMinTempoScale, kMaxTempoScale);
        if (std::fabs(limited - factor) > 1e-4) {
            event->float_value(limited);
            report.issues.push_back({LoadIssue::Kind::TempoScaleLimited, song, event->code(), event->EventId(), {},
                event->start(), event->end(), factor, limited});
        }
    }
    return event;
}

// Gives events without an id a new one and renames the later events of a repeated (code, id).
void FixIds(std::vector<std::unique_ptr<cmn::VemoEvent>>& events, const std::string& song, LoadReport& report)
{
    std::set<std::pair<UInt8, std::string>> seen;
    for (auto& event : events) {
        const std::string id = event->EventId();
        const bool empty = id.empty();
        if (!empty && seen.insert({event->code(), id}).second)
            continue;
        EventIdNumbers numbers(codes::EventIdPrefix(event->code()));
        for (const auto& other : events)
            numbers.Note(other->EventId());
        const std::string newId = numbers.NextId();
        event->SetEventId(newId);
        seen.insert({event->code(), newId});
        report.issues.push_back({empty ? LoadIssue::Kind::EmptyId : LoadIssue::Kind::DuplicateId, song,
            event->code(), newId, id, event->start(), event->end(), 0, 0});
    }
}

SongDocument ReadSong(const QJsonObject& object, const std::string& number, LoadReport& report)
{
    const std::string where = "song " + number;
    const Fields fields(object, where);
    SongDocument song;
    song.attacca = static_cast<UInt8>(fields.Whole("attacca", 0, 2, 0));
    const QJsonArray list = fields.Array("events");
    std::vector<std::unique_ptr<cmn::VemoEvent>> events;
    for (qsizetype i = 0; i < list.size(); ++i) {
        auto event = ReadEvent(fields.Entry(list, i, "events"), where + " event " + std::to_string(i + 1));
        if (event)
            events.push_back(FixValues(std::move(event), number, report));
    }
    FixIds(events, number, report);
    for (auto& event : events)
        song.events.push_back(std::shared_ptr<const cmn::VemoEvent>(std::move(event)));
    std::stable_sort(song.events.begin(), song.events.end(), [](const auto& a, const auto& b) { return *a < *b; });
    return song;
}

} // namespace

std::string ReadChangeLogFile(const std::filesystem::path& file)
{
    std::optional<std::string> bytes = vemo::core::ReadRegularFileWithPrefix(file, "Cannot open change log: ");
    if (!bytes)
        throw std::runtime_error("Cannot open change log: " + file.string());
    return std::move(*bytes);
}

ChangeLogHeader ReadChangeLogHeader(const std::string& bytes, const std::string& fileName)
{
    try {
        const QJsonObject root = vemo::core::json::ParseObject(bytes);
        const Fields fields(root, "");
        ChangeLogHeader header;
        const std::string format = fields.Text("format");
        if (!header.format.SetWithString(format))
            throw FieldError("member \"format\" must be a version such as \"2.0\"");
        header.showId = fields.Text("show", "");
        if (header.format.majorVersion <= ChangeLogDocument::kFormatMajor) {
            const Fields version(fields.Object("version"), "\"version\"");
            header.version.majorVersion = static_cast<UInt16>(version.Whole("major", 0, 0xffff));
            header.version.minorVersion = static_cast<UInt16>(version.Whole("minor", 0, 0xffff));
        } else if (const auto version = fields.OptionalObject("version")) {
            const Fields newer(*version, "\"version\"");
            header.version.majorVersion = static_cast<UInt16>(newer.Whole("major", 0, 0xffff, 0));
            header.version.minorVersion = static_cast<UInt16>(newer.Whole("minor", 0, 0xffff, 0));
        }
        return header;
    } catch (const FieldError& error) {
        throw ChangeLogFormatError(fileName, error.what());
    }
}

void CheckShow(const ChangeLogHeader& header, const std::filesystem::path& file, const std::filesystem::path& recordFile)
{
    if (recordFile.empty() || header.showId.empty())
        return;
    const std::string recordId = ReadShowIdFromRecordFile(recordFile);
    if (!recordId.empty() && recordId != header.showId)
        throw std::runtime_error("Change log belongs to another show: " + file.string());
}

class ChangeLogReader {
public:
    static ChangeLogDocument Read(const std::string& bytes, const std::string& fileName)
    {
        const ChangeLogHeader header = ReadChangeLogHeader(bytes, fileName);
        if (header.format.majorVersion > ChangeLogDocument::kFormatMajor)
            throw ChangeLogVersionError(fileName, header.format.GetAsString());
        ChangeLogDocument document;
        document.format_ = header.format;
        document.version_ = header.version;
        document.showId_ = header.showId;
        try {
            const Fields fields(vemo::core::json::ParseObject(bytes), "");
            const QJsonArray networks = fields.Array("networks", {});
            for (qsizetype i = 0; i < networks.size(); ++i)
                document.networks_.push_back(
                    ReadNetwork(fields.Entry(networks, i, "networks"), "network " + std::to_string(i + 1)));
            const QJsonArray paths = fields.Array("outputPaths", {});
            for (qsizetype i = 0; i < paths.size(); ++i)
                document.outputPaths_.push_back(
                    ReadOutputPath(fields.Entry(paths, i, "outputPaths"), "output path " + std::to_string(i + 1)));
            const QJsonArray effects = fields.Array("soundEffects", {});
            for (qsizetype i = 0; i < effects.size(); ++i) {
                const std::string where = "sound effect " + std::to_string(i + 1);
                const Fields effect(fields.Entry(effects, i, "soundEffects"), where);
                const auto sfx = effect.OptionalObject("sfx");
                document.soundEffects_.push_back(std::make_shared<Sfx>(
                    0, effect.Text("id"), sfx ? ReadSfx(*sfx, where + " sfx") : SfxProperties()));
            }
            const QJsonObject songs = fields.Object("songs");
            for (auto song = songs.constBegin(); song != songs.constEnd(); ++song) {
                const std::string number = song.key().toStdString();
                if (!song.value().isObject())
                    throw FieldError("song " + number + " must be an object");
                document.songs_[number] = ReadSong(song.value().toObject(), number, document.loadReport_);
            }
        } catch (const FieldError& error) {
            throw ChangeLogFormatError(fileName, error.what());
        }
        return document;
    }
};

ChangeLogDocument ChangeLogDocument::Parse(const std::string& bytes, const std::string& fileName)
{
    return ChangeLogReader::Read(bytes, fileName);
}

ChangeLogDocument ChangeLogDocument::Load(const std::filesystem::path& file, const std::filesystem::path& recordFile)
{
    const std::string bytes = ReadChangeLogFile(file);
    ChangeLogDocument document = Parse(bytes, file.filename().string());
    CheckShow(ReadChangeLogHeader(bytes, file.filename().string()), file, recordFile);
    return document;
}

std::string ReadShowIdFromRecordFile(const std::filesystem::path& recordFile)
{
    const std::optional<std::string> bytes =
        vemo::core::ReadRegularFileWithPrefix(recordFile, "Cannot read the show record: ");
    if (!bytes)
        return std::string();
    try {
        return Fields(vemo::core::json::ParseObject(*bytes), "").Text("id", "");
    } catch (const FieldError&) {
        return std::string();
    }
}

} // namespace CL
