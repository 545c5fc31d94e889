#include "show_description.h"

#include <utilon/numeric_string_compare.h>
#include <vemo_core/regular_file.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <optional>
#include <set>
#include <stdexcept>

namespace vemo::engine {
namespace {

class InvalidShow : public std::runtime_error {
public:
    explicit InvalidShow(const std::string& detail) : std::runtime_error("Show description is invalid: " + detail) {}
};

const std::vector<MidiCommandEntry>& defaultMidiCommands()
{
    static const std::vector<MidiCommandEntry> commands{
        {0, "Play", "play"},           {1, "Stop", "stop"},
        {2, "Pause/Resume", "pauseToggle"}, {3, "Continue", "continue"},
        {4, "Exit Flow Control", "exitFlowControl"}, {5, "Next Song", "nextSong"},
        {6, "Previous Song", "prevSong"}, {7, "Fade Out", "fade3s"},
        {8, "Next Bar", "nextBar"},    {9, "Previous Bar", "prevBar"}};
    return commands;
}

bool isKnownAction(const std::string& action)
{
    const auto& all = defaultMidiCommands();
    return std::any_of(all.begin(), all.end(), [&](const auto& c) { return c.action == action; });
}

std::string text(const QJsonObject& o, const char* key)
{
    return o.value(key).toString().toStdString();
}

int integer(const QJsonObject& o, const char* key, int fallback, const std::string& where)
{
    const auto v = o.value(key);
    if (v.isUndefined())
        return fallback;
    if (!v.isDouble() || v.toDouble() != static_cast<double>(v.toInteger()))
        throw InvalidShow(where + ": \"" + key + "\" must be a whole number");
    return static_cast<int>(v.toInteger());
}

std::uint32_t tickValue(const QJsonObject& o, const char* key, std::uint32_t fallback, const std::string& where)
{
    const int v = integer(o, key, static_cast<int>(fallback), where);
    if (v < 0)
        throw InvalidShow(where + ": \"" + key + "\" cannot be negative");
    return static_cast<std::uint32_t>(v);
}

std::string songNumberText(const QJsonValue& v)
{
    if (v.isDouble())
        return std::to_string(v.toInteger());
    return v.toString().toStdString();
}

void buildGrid(SongDescription& song, const QJsonObject& o, const std::string& where)
{
    const auto meters = o.value("meters").toArray();
    std::map<int, MeterPoint> meterByBar;
    for (const auto& m : meters) {
        const auto mo = m.toObject();
        const int bar = integer(mo, "bar", 1, where);
        const int num = integer(mo, "num", 4, where);
        const int den = integer(mo, "den", 4, where);
        if (num < 1 || num > 32 || (den != 2 && den != 4 && den != 8 && den != 16))
            throw InvalidShow(where + ": meter " + std::to_string(num) + "/" + std::to_string(den) + " is not supported");
        if (bar < 1)
            throw InvalidShow(where + ": a meter starts at bar " + std::to_string(bar));
        meterByBar[bar] = MeterPoint{0, num, den};
    }
    if (meterByBar.empty())
        meterByBar[1] = MeterPoint{0, 4, 4};
    if (meterByBar.begin()->first != 1)
        throw InvalidShow(where + ": the first meter must start at bar 1");

    const int barCount = integer(o, "bars", 0, where);
    if (barCount < 1)
        throw InvalidShow(where + ": the song has no bars");
    const auto first = meterByBar.begin()->second;
    const int pickup = integer(o, "pickupBeats", 0, where);
    if (pickup < 0 || pickup >= first.numerator)
        throw InvalidShow(where + ": pickupBeats must be between 0 and " + std::to_string(first.numerator - 1));

    song.startTick = tickValue(o, "startTick", 0, where);
    std::uint64_t tick = song.startTick;
    const std::uint32_t firstBeat = kTicksPerWhole / static_cast<std::uint32_t>(first.denominator);
    if (pickup > 0) {
        const auto length = firstBeat * static_cast<std::uint32_t>(pickup);
        song.bars.push_back(BarInfo{song.startTick, length, 0, first.numerator, first.denominator});
        song.meters.push_back(MeterPoint{song.startTick, first.numerator, first.denominator});
        for (int b = 0; b < pickup; ++b)
            song.beats.push_back(GridBeat{static_cast<std::uint32_t>(tick + b * firstBeat), 0, first.numerator - pickup + 1 + b});
        tick += length;
    }
    MeterPoint meter = first;
    for (int bar = 1; bar <= barCount; ++bar) {
        const auto change = meterByBar.find(bar);
        if (change != meterByBar.end()) {
            meter = change->second;
            if (song.meters.empty() || song.meters.back().numerator != meter.numerator
                || song.meters.back().denominator != meter.denominator)
                song.meters.push_back(MeterPoint{static_cast<std::uint32_t>(tick), meter.numerator, meter.denominator});
        }
        const std::uint32_t beatLength = kTicksPerWhole / static_cast<std::uint32_t>(meter.denominator);
        const std::uint32_t length = beatLength * static_cast<std::uint32_t>(meter.numerator);
        if (tick + length > 0xFFFFFFF0ull)
            throw InvalidShow(where + ": the song is too long");
        song.bars.push_back(BarInfo{static_cast<std::uint32_t>(tick), length, bar, meter.numerator, meter.denominator});
        for (int b = 0; b < meter.numerator; ++b)
            song.beats.push_back(GridBeat{static_cast<std::uint32_t>(tick + b * beatLength), bar, b + 1});
        tick += length;
    }
    song.length = static_cast<std::uint32_t>(tick);
}

std::uint32_t tickAtBarBeat(const SongDescription& song, int bar, int beat, const std::string& where)
{
    for (const auto& b : song.beats) {
        if (b.bar == bar && b.beat == beat)
            return b.tick;
    }
    throw InvalidShow(where + ": bar " + std::to_string(bar) + " beat " + std::to_string(beat) + " does not exist");
}

void readTempos(SongDescription& song, const QJsonObject& o, const std::string& where)
{
    for (const auto& t : o.value("tempos").toArray()) {
        const auto to = t.toObject();
        const double bpm = to.value("bpm").toDouble(0.0);
        if (!(bpm >= 1.0 && bpm <= 1000.0))
            throw InvalidShow(where + ": a tempo must be between 1 and 1000 bpm");
        const auto tick = tickAtBarBeat(song, integer(to, "bar", 1, where), integer(to, "beat", 1, where), where);
        song.tempos.push_back(TempoPoint{tick, bpm});
    }
    std::stable_sort(song.tempos.begin(), song.tempos.end(), [](auto& a, auto& b) { return a.tick < b.tick; });
    if (song.tempos.empty())
        song.tempos.push_back(TempoPoint{song.startTick, 120.0});
}

void readKeys(SongDescription& song, const QJsonObject& o, const std::string& where)
{
    for (const auto& k : o.value("keys").toArray()) {
        const auto ko = k.toObject();
        const int sf = integer(ko, "sf", 0, where);
        const int mi = integer(ko, "mi", 0, where);
        if (sf < -7 || sf > 7 || (mi != 0 && mi != 1))
            throw InvalidShow(where + ": key signature " + std::to_string(sf) + "/" + std::to_string(mi) + " is not supported");
        const auto tick = tickAtBarBeat(song, integer(ko, "bar", 1, where), integer(ko, "beat", 1, where), where);
        song.keys.push_back(KeyPoint{tick, sf, mi});
    }
    std::stable_sort(song.keys.begin(), song.keys.end(), [](auto& a, auto& b) { return a.tick < b.tick; });
    if (song.keys.empty())
        song.keys.push_back(KeyPoint{song.startTick, 0, 0});
}

SongDescription readSong(const QJsonObject& o)
{
    SongDescription song;
    song.number = songNumberText(o.value("number"));
    if (song.number.empty())
        throw InvalidShow("a song has no number");
    const std::string where = "song " + song.number;
    song.title = text(o, "title");
    buildGrid(song, o, where);
    song.editStartTick = tickValue(o, "editStartTick", song.startTick, where);
    if (song.editStartTick < song.startTick || song.editStartTick >= song.length)
        throw InvalidShow(where + ": editStartTick lies outside the song");
    song.audioStartTick = tickValue(o, "audioStartTick", 0, where);
    song.audioEndTick = tickValue(o, "audioEndTick", song.length, where);
    if (song.audioEndTick <= song.audioStartTick || song.audioEndTick <= song.startTick)
        throw InvalidShow(where + ": the audio ends before it starts");
    song.attacca = integer(o, "attacca", 0, where);
    if (song.attacca < 0 || song.attacca > 2)
        throw InvalidShow(where + ": attacca must be 0, 1 or 2");
    readTempos(song, o, where);
    readKeys(song, o, where);
    return song;
}

void readPages(ShowDescription& show, const QJsonArray& pages)
{
    for (const auto& p : pages) {
        const auto po = p.toObject();
        PageEntry entry;
        const int number = integer(po, "page", 0, "pages");
        entry.song = songNumberText(po.value("song"));
        const std::string where = "page " + std::to_string(number);
        const auto* song = show.FindSong(entry.song);
        if (!song)
            throw InvalidShow(where + ": song " + entry.song + " does not exist");
        if (number < 1)
            throw InvalidShow(where + ": page numbers start at 1");
        entry.page = static_cast<unsigned>(number);
        if (po.contains("bar")) {
            const auto bar = po.value("bar").isDouble() ? static_cast<int>(po.value("bar").toInteger())
                                                        : po.value("bar").toString().toInt();
            entry.tick = tickAtBarBeat(*song, bar, bar == 0 ? song->beats.front().beat : 1, where);
        } else {
            entry.tick = tickValue(po, "tick", 0, where);
        }
        show.pages.push_back(entry);
    }
    std::stable_sort(show.pages.begin(), show.pages.end(), [&](const PageEntry& a, const PageEntry& b) {
        const int sa = show.SongIndex(a.song), sb = show.SongIndex(b.song);
        return sa != sb ? sa < sb : a.tick < b.tick;
    });
    std::set<unsigned> seen;
    for (std::size_t i = 0; i < show.pages.size(); ++i) {
        if (!seen.insert(show.pages[i].page).second)
            throw InvalidShow("page " + std::to_string(show.pages[i].page) + " is listed twice");
        if (show.pages[i].page != i + 1)
            throw InvalidShow("pages must be numbered 1 to " + std::to_string(show.pages.size())
                              + " in song and tick order");
    }
}

void readMidi(ShowDescription& show, const QJsonObject& midi)
{
    if (midi.isEmpty()) {
        show.midiCommands = defaultMidiCommands();
    } else {
        for (const auto& c : midi.value("commands").toArray()) {
            const auto co = c.toObject();
            MidiCommandEntry entry{integer(co, "id", -1, "midi"), text(co, "name"), text(co, "action")};
            if (entry.id < 0 || entry.id > 255)
                throw InvalidShow("midi: command ids must be 0 to 255");
            if (!isKnownAction(entry.action))
                throw InvalidShow("midi: unknown action \"" + entry.action + "\"");
            show.midiCommands.push_back(entry);
        }
        for (const auto& s : midi.value("allowedStatuses").toArray())
            show.allowedStatuses.push_back(s.toInt());
    }
    if (show.allowedStatuses.empty())
        show.allowedStatuses = {0x90, 0x80, 0xB0, 0xC0};
}

}  // namespace

const SongDescription* ShowDescription::FindSong(const std::string& number) const
{
    const auto it = std::find_if(songs.begin(), songs.end(), [&](const auto& s) { return s.number == number; });
    return it == songs.end() ? nullptr : &*it;
}

int ShowDescription::SongIndex(const std::string& number) const
{
    const auto* song = FindSong(number);
    return song ? static_cast<int>(song - songs.data()) : -1;
}

ShowDescription LoadShowDescription(const std::filesystem::path& showFolder)
{
    const auto path = showFolder / "show.json";
    const std::optional<std::string> bytes =
        vemo::core::ReadRegularFileWithPrefix(path, "Show description cannot be read: ");
    if (!bytes)
        throw std::runtime_error("Show description not found: " + path.string());
    QJsonParseError error;
    const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(*bytes), &error);
    if (error.error != QJsonParseError::NoError)
        throw std::runtime_error("Show description is not valid JSON: " + path.string() + ": "
                                 + error.errorString().toStdString());
    if (!document.isObject())
        throw InvalidShow("the document is not a JSON object");
    const auto root = document.object();
    const auto ppq = root.value("ticksPerQuarter");
    if (!ppq.isUndefined() && ppq.toInt() != static_cast<int>(kTicksPerQuarter))
        throw InvalidShow("ticksPerQuarter must be 480");

    ShowDescription show;
    show.id = text(root, "id");
    show.name = text(root, "name");
    for (const auto& s : root.value("songs").toArray())
        show.songs.push_back(readSong(s.toObject()));
    if (show.songs.empty())
        throw std::runtime_error("Show description has no songs");
    std::sort(show.songs.begin(), show.songs.end(),
              [](const auto& a, const auto& b) { return utilon::NumericStringCompare()(a.number, b.number); });
    for (std::size_t i = 1; i < show.songs.size(); ++i) {
        if (show.songs[i].number == show.songs[i - 1].number)
            throw InvalidShow("song " + show.songs[i].number + " is listed twice");
    }
    readPages(show, root.value("pages").toArray());
    for (const auto& n : root.value("networks").toArray()) {
        const auto no = n.toObject();
        show.networks.push_back(NetworkEntry{text(no, "networkId"), text(no, "name"), text(no, "ip"),
                                             no.value("port").toInt(), no.value("transport").toInt()});
    }
    for (const auto& p : root.value("outputPaths").toArray()) {
        const auto po = p.toObject();
        show.outputPaths.push_back(
            OutputPathEntry{text(po, "id"), text(po, "name"), text(po, "deviceId"), text(po, "deviceName")});
    }
    readMidi(show, root.value("midi").toObject());
    return show;
}

std::string ShowStem(const std::string& showName)
{
    std::string stem;
    for (char c : showName) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            stem.push_back(c);
    }
    return stem;
}

}  // namespace vemo::engine
