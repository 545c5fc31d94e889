#pragma once

#include "vemo_core/events.h"
#include "vemo_core/properties.h"
#include "vemo_core/version.h"
#include "utilon/numeric_string_compare.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace CL {

// The change log of one song: its attacca state and its events ordered by (start, code, id).
// Events are immutable once stored; an edit replaces the object.
struct SongDocument {
    UInt8 attacca = 0; // 0 plays, 1 continues into the next song, 2 skips the song
    std::vector<std::shared_ptr<const cmn::VemoEvent>> events;

    // The song's events of one kind, in order.
    std::vector<std::shared_ptr<const cmn::VemoEvent>> EventsOfKind(UInt8 code) const;
    // The event with that (code, id), or nullptr.
    std::shared_ptr<const cmn::VemoEvent> Find(UInt8 code, const std::string& id) const;
    // Puts the event in its place by (start, code, id).
    void Insert(std::shared_ptr<const cmn::VemoEvent> event);
    // Removes the event with that (code, id); false when there is none.
    bool Remove(UInt8 code, const std::string& id);
};

using SongDocumentMap = std::map<std::string, SongDocument, utilon::NumericStringCompare>;

// Something a load found wrong in a file and fixed in the loaded log.
struct LoadIssue {
    enum class Kind {
        EmptyId, // an event had no id: it got `id`
        DuplicateId, // (code, previousId) was used twice: this one became `id`
        InvertedRegion, // start > end: swapped, `start`/`end` are the fixed values
        TempoScaleLimited, // factor `before` outside 0.5..2.0: limited to `after`
        ClickValueChanged, // click value `before` not offered for the range: became `after`
    };
    Kind kind;
    std::string song;
    UInt8 code = 0;
    std::string id;
    std::string previousId;
    UInt32 start = 0;
    UInt32 end = 0;
    double before = 0.0;
    double after = 0.0;
};

// The load warnings of one load, in the texts the program shows.
struct LoadReport {
    std::vector<LoadIssue> issues;

    // "Song <n>: Click <id> resolution <v> is not available and was changed to <w>." lines.
    std::string ModifiedClickEditLog() const;
    // "Song <n>: Tempo scale <id> of <p>% was limited to <q>%." lines.
    std::string TempoScaleWarnings() const;
    int InvertedLoopEventCount() const;
    // "Song <n>: <type name> <id> ran backwards from bar <a> to bar <b> and was reversed." lines;
    // `barAt(song, tick)` names the bar holding a tick.
    std::string InvertedLoopEventDescription(
        const std::function<std::string(const std::string& song, UInt32 tick)>& barAt) const;
    // Lines about events that had no id or a duplicate id and were renamed.
    std::string EventIdWarnings() const;
};

// A whole change log in memory, as stored in a "*.logdata" file (pretty JSON, sorted keys,
// events sorted by (start, code, id)).
class ChangeLogDocument {
public:
    static constexpr UInt16 kFormatMajor = 2;
    static constexpr UInt16 kFormatMinor = 0;

    // Reads a change-log file and fixes what can be fixed (ids, inverted regions, tempo scales;
    // see loadReport()). When `recordFile` is given and readable, a file whose "show" is set and
    // differs from the record's id is refused. Throws std::runtime_error("Cannot open change log: "
    // + path), ChangeLogVersionError (format major above 2), ChangeLogFormatError (anything
    // missing, ill-typed or cut off) or std::runtime_error("Change log belongs to another show: "
    // + path). A format minor above 0 loads read-only.
    static ChangeLogDocument Load(const std::filesystem::path& file, const std::filesystem::path& recordFile = {});
    // Parses file content; `fileName` names the file in errors.
    static ChangeLogDocument Parse(const std::string& bytes, const std::string& fileName);

    // Writes the document atomically ("<file>.tmp", flush, rename): the old file stays whole when
    // the write fails, which throws std::runtime_error("Cannot write change log <name>: <reason>").
    // Writes the current format ("2.0"), never the format read.
    void Save(const std::filesystem::path& file) const;
    std::string Serialize() const;

    // A copy that shares no mutable object with this one (the show-level sound effects are copied).
    ChangeLogDocument DeepCopy() const;

    const cmn::VEMOVersion& Format() const { return format_; }
    bool IsReadOnly() const; // the file's format minor is newer than this program's

    const cmn::VEMOVersion& Version() const { return version_; }
    void SetVersion(cmn::VEMOVersion version) { version_ = version; }

    const std::string& ShowId() const { return showId_; }
    void SetShowId(std::string id) { showId_ = std::move(id); }

    // Songs that have a log, in song-number order.
    const SongDocumentMap& Songs() const { return songs_; }
    SongDocumentMap& Songs() { return songs_; }
    // The log of a song, or nullptr.
    const SongDocument* Song(const std::string& number) const;
    // The log of a song, created empty when missing.
    SongDocument& SongForWriting(const std::string& number);
    UInt8 Attacca(const std::string& number) const; // 0 for a song without a log

    const NetworkPathVectorT& Networks() const { return networks_; }
    void SetNetworks(NetworkPathVectorT networks) { networks_ = std::move(networks); }

    const std::vector<OutputPath>& OutputPaths() const { return outputPaths_; }
    void SetOutputPaths(std::vector<OutputPath> paths) { outputPaths_ = std::move(paths); }
    // Replaces the path with the same id or appends it.
    void PutOutputPath(const OutputPath& path);
    // Removes the path with that id; unknown ids are ignored.
    void RemoveOutputPath(const std::string& id);

    // Show-level sound-effect instances (start 0, ids "sfx.<n>"); the objects may be written in
    // place by their owner.
    const std::vector<std::shared_ptr<Sfx>>& SoundEffects() const { return soundEffects_; }
    std::vector<std::shared_ptr<Sfx>>& SoundEffects() { return soundEffects_; }

    // What the load fixed; empty for a document that was not loaded from a file.
    const LoadReport& loadReport() const { return loadReport_; }
    LoadReport& loadReport() { return loadReport_; }

private:
    cmn::VEMOVersion format_{kFormatMajor, kFormatMinor};
    cmn::VEMOVersion version_;
    std::string showId_;
    SongDocumentMap songs_;
    NetworkPathVectorT networks_;
    std::vector<OutputPath> outputPaths_;
    std::vector<std::shared_ptr<Sfx>> soundEffects_;
    LoadReport loadReport_;

    friend class ChangeLogReader;
};

// Show id from a show record file ("" when the file is missing, malformed or has no id);
// std::runtime_error naming the file when it is not a regular file, too large or unreadable.
std::string ReadShowIdFromRecordFile(const std::filesystem::path& recordFile);

} // namespace CL
