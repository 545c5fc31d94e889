#include "windows/qlab_patch_writer.h"

#include <vemo_player_core/audio_interface.h>
#include <vemo_test/fixture_show.h>
#include <vemo_test/test_environment.h>

#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <QtTest>

#include <memory>
#include <sstream>

using vemo::AudioInterface;
using vemo::osc::QLabPatchWriter;

namespace {

// The patch as QLab expects it, member by member; %SONG% is the first song number.
const char* kExpected = R"json({
"identifier": "com.quorvane.qlab_network_patch_definition.qlabnetwork",
"displayName": "VEMO Software", "api": 1, "messageType": "OSC",
"network": [{"transport": "UDP", "defaultPort": 55036, "canEditPort": true}],
"parameters": [
 {"key": "prefix", "type": "string", "hidden": true, "defaultValue": "/vemo", "width": 125, "fadeable": false},
 {"key": "message", "type": "menu", "displayName": "Message", "hidden": false, "defaultValue": "song",
  "values": [{"Song": "song"}, {"Event": "event"}, {"SFX": "sfx"}, {"General": "general"}], "fadeable": false}],
"conditions": [
 {"predicate": "message == 'song'", "template": "{prefix}/{action}",
  "parameters": [{"key": "action", "type": "menu", "displayName": "Action", "hidden": false, "defaultValue": "play",
   "values": [{"Play": "play"}, {"Fade Out": "fadeout"}, {"Fade To": "fadeto"}, {"Volume": "volume"}], "fadeable": false}],
  "conditions": [
   {"predicate": "action == 'play'", "template": "{prefix}/song/{songnumber}/{action}",
    "parameters": [{"key": "songnumber", "type": "string", "displayName": "Song Number", "hidden": false,
     "defaultValue": "%SONG%", "width": 125, "fadeable": false}]},
   {"predicate": "action == 'fadeout'", "template": "{prefix}/{action} {timevalue}",
    "parameters": [{"key": "timevalue", "type": "string", "displayName": "Fade Time (sec)", "hidden": false,
     "defaultValue": "3.0", "width": 125, "fadeable": false}]},
   {"predicate": "action == 'fadeto'", "template": "{prefix}/{action} {dbvalue} {timevalue}",
    "parameters": [{"key": "dbvalue", "type": "scalar", "displayName": "Target Volume (dB)", "hidden": false,
     "defaultValue": "-6.0", "fadeable": false},
     {"key": "timevalue", "type": "scalar", "displayName": "Fade Time (sec)", "hidden": false,
     "defaultValue": "1.0", "fadeable": false}]},
   {"predicate": "action == 'volume'", "template": "{prefix}/volume {dbvalue}",
    "parameters": [{"key": "dbvalue", "type": "scalar", "displayName": "Target Volume (dB)", "hidden": false,
     "defaultValue": "-6.0", "fadeable": true}]}]},
 {"predicate": "message == 'event'", "template": "{prefix}/{message}/{eventid}/{eventaction}",
  "parameters": [{"key": "eventid", "type": "string", "displayName": "Target Event ID", "hidden": false,
    "defaultValue": "", "width": 125, "fadeable": false},
   {"key": "eventaction", "type": "menu", "displayName": "Action", "hidden": true, "defaultValue": "go",
    "values": [{"Go": "go"}], "fadeable": false}]},
 {"predicate": "message == 'sfx'", "template": "{prefix}/{message}/{sfxid}/{sfxaction}",
  "parameters": [{"key": "sfxid", "type": "string", "displayName": "Target Sfx ID", "hidden": false,
    "defaultValue": "", "width": 125, "fadeable": false},
   {"key": "sfxaction", "type": "menu", "displayName": "Action", "hidden": false, "defaultValue": "play",
    "values": [{"Play/Fade In": "play"}, {"Stop/Fade Out": "stop"}, {"Fade To": "fadeto"}], "fadeable": false}],
  "conditions": [
   {"predicate": "sfxaction == 'fadeto'", "template": "{prefix}/{message}/{sfxid}/fadeto {dbvalue} {timevalue}",
    "parameters": [{"key": "dbvalue", "type": "scalar", "displayName": "Target Volume (dB)", "hidden": false,
     "defaultValue": "-6.0", "fadeable": false},
     {"key": "timevalue", "type": "scalar", "displayName": "Fade Time (sec)", "hidden": false,
     "defaultValue": "1.0", "fadeable": false}]}]},
 {"predicate": "message == 'general'", "template": "{prefix}/{action}",
  "parameters": [{"key": "action", "type": "menu", "displayName": "Action", "hidden": false, "defaultValue": "advance",
   "values": [{"Advance": "advance"}, {"Pause": "pause"}, {"Stop": "stop"}, {"Custom": "customcmd"}], "fadeable": false}],
  "conditions": [
   {"predicate": "action == 'pause'", "template": "{prefix}/{action}"},
   {"predicate": "action == 'customcmd'", "template": "{prefix}/{custommsg}",
    "parameters": [{"key": "custommsg", "type": "string", "displayName": "Custom Command", "hidden": false,
     "defaultValue": "", "width": 125, "fadeable": false}]}]}]
})json";

std::string Compact(const std::string& json)
{
    rapidjson::Document document;
    document.Parse(json.c_str());
    if (document.HasParseError()) {
        return "parse error at " + std::to_string(document.GetErrorOffset());
    }
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    document.Accept(writer);
    return buffer.GetString();
}

std::string Pretty(const std::string& json)
{
    rapidjson::Document document;
    document.Parse(json.c_str());
    rapidjson::StringBuffer buffer;
    rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(buffer);
    writer.SetIndent(' ', 4);
    document.Accept(writer);
    return buffer.GetString();
}

std::string Expected(const std::string& firstSong)
{
    std::string text = kExpected;
    text.replace(text.find("%SONG%"), 6, firstSong);
    return text;
}

std::shared_ptr<AudioInterface> Engine(const std::filesystem::path& folder)
{
    AudioInterface::Options options;
    options.clock = AudioInterface::Options::Clock::Manual;
    return std::make_shared<AudioInterface>(folder.string(), (vemo::testing::TestRoot() / "data").string(), false,
                                            nullptr, options);
}

std::shared_ptr<AudioInterface> EngineWithSongs(const QStringList& numbers)
{
    vemo::testing::FixtureShow show;
    for (const QString& number : numbers) {
        show.songs.push_back({.number = number.toStdString(), .bars = 4});
    }
    return Engine(show.Write());
}

std::string Written(std::shared_ptr<AudioInterface> engine)
{
    std::ostringstream out;
    QLabPatchWriter(std::move(engine)).WriteQLabPatch(out);
    return out.str();
}

} // namespace

class TestQLabPatchWriter : public QObject {
    Q_OBJECT

private slots:
    void fileName() { QCOMPARE(QLabPatchWriter::QLabPatchFileName(), std::string("qlab_network_patch_definition.qlabnetwork")); }

    // The document, member order included, with the first song number in the player's order.
    void document_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QStringList>("songs");
        QTest::addColumn<QString>("firstSong");
        QTest::newRow("songs in numeric order") << true << QStringList{"10", "2", "1"} << "1";
        QTest::newRow("a show that did not load") << false << QStringList{} << "";
    }

    void document()
    {
        QFETCH(bool, loaded);
        QFETCH(QStringList, songs);
        QFETCH(QString, firstSong);
        const auto engine = loaded ? EngineWithSongs(songs) : Engine(vemo::testing::TestRoot() / "no-such-show");
        QCOMPARE(Compact(Written(engine)), Compact(Expected(firstSong.toStdString())));
    }

    void fourBlankIndentByteForByte()
    {
        const std::string written = Written(EngineWithSongs({"1", "2"}));
        QCOMPARE(written, Pretty(Expected("1")));
        QVERIFY(written.find("\n    \"identifier\"") != std::string::npos);
    }

    void withoutPlayerOnlyTheOpeningBraceIsWritten()
    {
        std::ostringstream out;
        try {
            QLabPatchWriter(nullptr).WriteQLabPatch(out);
            QFAIL("no exception");
        } catch (const std::runtime_error& error) {
            QCOMPARE(std::string(error.what()), std::string("QLab File Writer has no data to write."));
        }
        QCOMPARE(out.str(), std::string("{"));
    }
};

QTEST_GUILESS_MAIN(TestQLabPatchWriter)
#include "test_qlab_patch_writer.moc"
