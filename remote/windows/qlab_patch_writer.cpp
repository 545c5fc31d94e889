#include "windows/qlab_patch_writer.h"

#include <stdexcept>

namespace vemo::osc {
namespace {

using Writer = QLabPatchWriter::Writer;
using Values = QLabPatchWriter::Values;

constexpr int kDefaultPort = 55036;

void Member(Writer& writer, const char* name, const std::string& value)
{
    writer.Key(name);
    writer.String(value.c_str(), static_cast<rapidjson::SizeType>(value.size()));
}

// A condition's predicate, template and parameters; the caller closes it after its sub-conditions.
template <typename Parameters> void BeginCondition(Writer& writer, const std::string& predicate,
                                                   const std::string& messageTemplate, Parameters parameters)
{
    writer.StartObject();
    Member(writer, "predicate", predicate);
    Member(writer, "template", messageTemplate);
    writer.Key("parameters");
    writer.StartArray();
    parameters();
    writer.EndArray();
}

void ScalarParameter(Writer& writer, const std::string& key, const std::string& displayName,
                     const std::string& defaultValue, bool fadeable = false)
{
    QLabPatchWriter::WriteQLabParameter(writer, key, displayName, "scalar", defaultValue, false, {}, fadeable);
}

void TextParameter(Writer& writer, const std::string& key, const std::string& displayName,
                   const std::string& defaultValue)
{
    QLabPatchWriter::WriteQLabParameter(writer, key, displayName, "string", defaultValue, false, {}, false);
}

void MenuParameter(Writer& writer, const std::string& key, const std::string& defaultValue, bool hidden,
                   const Values& values)
{
    QLabPatchWriter::WriteQLabParameter(writer, key, "Action", "menu", defaultValue, hidden, values, false);
}

void SongCondition(Writer& writer, const std::string& firstSong)
{
    BeginCondition(writer, "message == 'song'", "{prefix}/{action}", [&] {
        MenuParameter(writer, "action", "play", false,
                      {{"Play", "play"}, {"Fade Out", "fadeout"}, {"Fade To", "fadeto"}, {"Volume", "volume"}});
    });
    writer.Key("conditions");
    writer.StartArray();
    BeginCondition(writer, "action == 'play'", "{prefix}/song/{songnumber}/{action}",
                   [&] { TextParameter(writer, "songnumber", "Song Number", firstSong); });
    writer.EndObject();
    BeginCondition(writer, "action == 'fadeout'", "{prefix}/{action} {timevalue}",
                   [&] { TextParameter(writer, "timevalue", "Fade Time (sec)", "3.0"); });
    writer.EndObject();
    BeginCondition(writer, "action == 'fadeto'", "{prefix}/{action} {dbvalue} {timevalue}", [&] {
        ScalarParameter(writer, "dbvalue", "Target Volume (dB)", "-6.0");
        ScalarParameter(writer, "timevalue", "Fade Time (sec)", "1.0");
    });
    writer.EndObject();
    BeginCondition(writer, "action == 'volume'", "{prefix}/volume {dbvalue}",
                   [&] { ScalarParameter(writer, "dbvalue", "Target Volume (dB)", "-6.0", true); });
    writer.EndObject();
    writer.EndArray();
    writer.EndObject();
}

void EventCondition(Writer& writer)
{
    BeginCondition(writer, "message == 'event'", "{prefix}/{message}/{eventid}/{eventaction}", [&] {
        TextParameter(writer, "eventid", "Target Event ID", "");
        MenuParameter(writer, "eventaction", "go", true, {{"Go", "go"}});
    });
    writer.EndObject();
}

void SfxCondition(Writer& writer)
{
    BeginCondition(writer, "message == 'sfx'", "{prefix}/{message}/{sfxid}/{sfxaction}", [&] {
        TextParameter(writer, "sfxid", "Target Sfx ID", "");
        MenuParameter(writer, "sfxaction", "play", false,
                      {{"Play/Fade In", "play"}, {"Stop/Fade Out", "stop"}, {"Fade To", "fadeto"}});
    });
    writer.Key("conditions");
    writer.StartArray();
    BeginCondition(writer, "sfxaction == 'fadeto'", "{prefix}/{message}/{sfxid}/fadeto {dbvalue} {timevalue}", [&] {
        ScalarParameter(writer, "dbvalue", "Target Volume (dB)", "-6.0");
        ScalarParameter(writer, "timevalue", "Fade Time (sec)", "1.0");
    });
    writer.EndObject();
    writer.EndArray();
    writer.EndObject();
}

void GeneralCondition(Writer& writer)
{
    BeginCondition(writer, "message == 'general'", "{prefix}/{action}", [&] {
        MenuParameter(writer, "action", "advance", false,
                      {{"Advance", "advance"}, {"Pause", "pause"}, {"Stop", "stop"}, {"Custom", "customcmd"}});
    });
    writer.Key("conditions");
    writer.StartArray();
    writer.StartObject();
    Member(writer, "predicate", "action == 'pause'");
    Member(writer, "template", "{prefix}/{action}");
    writer.EndObject();
    BeginCondition(writer, "action == 'customcmd'", "{prefix}/{custommsg}",
                   [&] { TextParameter(writer, "custommsg", "Custom Command", ""); });
    writer.EndObject();
    writer.EndArray();
    writer.EndObject();
}

} // namespace

QLabPatchWriter::QLabPatchWriter(std::shared_ptr<Interface> player) : player_(std::move(player)) {}

std::string QLabPatchWriter::QLabPatchFileName()
{
    return std::string("qlab_network_patch_definition") + ".qlabnetwork";
}

void QLabPatchWriter::WriteQLabParameter(Writer& writer, const std::string& key, const std::string& displayName,
                                         const std::string& type, const std::string& defaultValue, bool hidden,
                                         const Values& values, bool fadeable)
{
    writer.StartObject();
    Member(writer, "key", key);
    Member(writer, "type", type);
    if (!displayName.empty()) {
        Member(writer, "displayName", displayName);
    }
    writer.Key("hidden");
    writer.Bool(hidden);
    Member(writer, "defaultValue", defaultValue);
    if (type == "string") {
        writer.Key("width");
        writer.Int(125);
    }
    if (!values.empty()) {
        writer.Key("values");
        writer.StartArray();
        for (const auto& [label, value] : values) {
            writer.StartObject();
            Member(writer, label.c_str(), value);
            writer.EndObject();
        }
        writer.EndArray();
    }
    writer.Key("fadeable");
    writer.Bool(fadeable);
    writer.EndObject();
}

void QLabPatchWriter::WriteQLabPatch(std::ostream& out) const
{
    rapidjson::OStreamWrapper stream(out);
    Writer writer(stream);
    writer.SetIndent(' ', 4);
    writer.StartObject();
    if (!player_) {
        stream.Flush();
        throw std::runtime_error("QLab File Writer has no data to write.");
    }
    const SongNameMap songs = player_->GetSongNamesBySongNumber();
    const std::string firstSong = songs.empty() ? std::string() : songs.begin()->first;

    Member(writer, "identifier", "com.quorvane." + QLabPatchFileName());
    Member(writer, "displayName", "VEMO Software");
    writer.Key("api");
    writer.Int(1);
    Member(writer, "messageType", "OSC");
    writer.Key("network");
    writer.StartArray();
    writer.StartObject();
    Member(writer, "transport", "UDP");
    writer.Key("defaultPort");
    writer.Int(kDefaultPort);
    writer.Key("canEditPort");
    writer.Bool(true);
    writer.EndObject();
    writer.EndArray();

    writer.Key("parameters");
    writer.StartArray();
    WriteQLabParameter(writer, "prefix", "", "string", "/vemo", true, {}, false);
    WriteQLabParameter(writer, "message", "Message", "menu", "song", false,
                       {{"Song", "song"}, {"Event", "event"}, {"SFX", "sfx"}, {"General", "general"}}, false);
    writer.EndArray();

    writer.Key("conditions");
    writer.StartArray();
    SongCondition(writer, firstSong);
    EventCondition(writer);
    SfxCondition(writer);
    GeneralCondition(writer);
    writer.EndArray();
    writer.EndObject();
    stream.Flush();
}

} // namespace vemo::osc
