#pragma once

#include "vemo_core/change_log_document.h"
#include "vemo_core/errors.h"
#include "vemo_core/events.h"
#include "vemo_core/song_log.h"

#include <filesystem>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace CL {

// One change the editor applied to a song log. `before` is null for an addition, `after` for a
// deletion.
struct HistoryItem {
    enum class Action { Add, Edit, Delete };
    Action action = Action::Add;
    UInt8 code = 0;
    std::string song;
    std::shared_ptr<const cmn::VemoEvent> before;
    std::shared_ptr<const cmn::VemoEvent> after;
};

// The distinct codes of the items, in first-seen order.
std::vector<int> GetAffectedCodes(const std::list<HistoryItem>& items);

// Facts about the show that only the player knows. A check whose function is empty is skipped.
struct EditorContext {
    // End tick of a song; events may not start or end after it.
    std::function<UInt32(const std::string& song)> songLength;
    // Click values offered for [start, end) of a song; the first one replaces a value not offered.
    std::function<std::vector<int>(const std::string& song, UInt32 start, UInt32 end)> clickValues;
    // The song loaded in the player; GetEventsByEventId() answers for it.
    std::function<std::string()> currentSong;
};

// Called before each operation that may change the log, with the operation's name and its
// arguments as journal text ("AddEvent", "CUT1,B,3840,7680"); an exception thrown from it aborts
// the operation and reaches the caller.
using EditorCallHook = std::function<void(const std::string& name, const std::string& args)>;

// The editor of the working change log. Events are found by (code, EventId()), never by pointer:
// callers hand in copies and stale objects. Every event object it has handed out stays alive and
// unchanged while the editor lives (reloads and undo keep them), so raw pointers never dangle.
class Editor {
public:
    Editor();
    explicit Editor(EditorContext context);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    void SetContext(EditorContext context);
    void SetCallHook(EditorCallHook hook);
    // Forces ChangelogIsReadOnly() (tests); nullopt returns to the loaded file's state.
    void SetReadOnlyOverride(std::optional<bool> readOnly);

    // Makes `document` the working log: every song's history is emptied, the selected song stays.
    // Click values the context does not offer become the first offered value. Returns every fix
    // of the load (the document's own and the click values).
    LoadReport LoadDocument(ChangeLogDocument document);
    const ChangeLogDocument& Document() const { return document_; }
    // A deep copy of the working log for the player to play.
    ChangeLogDocument PublishDocument() const;
    // Writes the working log as `version` to `file` (atomically) and, once written, sets the
    // version. A read-only log is refused with std::runtime_error("The change log is read-only
    // and cannot be saved"); write failures throw as ChangeLogDocument::Save.
    void SaveAs(const std::filesystem::path& file, cmn::VEMOVersion version);
    void SetVersion(cmn::VEMOVersion version);

    void SelectSongLogForEditing(const std::string& song);
    const std::string& SelectedSong() const { return selectedSong_; }
    cmn::VEMOVersion GetVersion() const;
    bool ChangelogIsReadOnly() const;
    void UpdateNetworks(const NetworkPathVectorT& networks);
    UInt8 GetAttacca(const std::string& song) const;
    void SetAttacca(const std::string& song, UInt8 state);
    void PutOutputPath(const OutputPath& path);
    void RemoveOutputPath(const std::string& id);

    const cmn::VemoEvent* AddEvent(const cmn::VemoEvent& event);
    void EditEventStartEndValues(const cmn::VemoEvent& event, const UInt32& start, const UInt32& end,
        bool adjustLeft = false, bool adjustRight = false);
    void EditEventStringValue(const cmn::VemoEvent& event, std::string value);
    void EditEventIntValue(const cmn::VemoEvent& event, int value);
    void EditEventFloatValue(const cmn::VemoEvent& event, double value);
    void EditEventSFXPropertyValues(const cmn::VemoEvent& event, SfxProperties properties);
    void EditEventOscPropertyValues(const cmn::VemoEvent& event, OscProperties properties);
    void DeleteEvent(const cmn::VemoEvent& event);

    bool CanUndo() const;
    bool CanRedo() const;
    std::list<HistoryItem> Undo();
    std::list<HistoryItem> Redo();
    std::vector<int> GetEditedCodes() const;

    std::string GetSuggestedEventIdAtTick(UInt32 tick, UInt8 code) const;
    std::map<std::string, std::shared_ptr<const cmn::VemoEvent>> GetEventsByEventId() const;

    // Show-level sound-effect instances.
    std::string PreviewNextSfxEventId() const;
    std::string GetNextSfxEventIdSuffix() const;
    std::shared_ptr<Sfx> AddSoundEffect(const Sfx& effect);
    void DeleteSoundEffect(const Sfx& effect);
    std::vector<std::shared_ptr<Sfx>> SoundEffects() const;

private:
    class History;

    void Call(const std::string& name, const std::string& args) const;
    void RefuseWhenReadOnly() const;
    std::shared_ptr<const cmn::VemoEvent> FindSelected(const cmn::VemoEvent& event) const;
    void CheckValue(const cmn::VemoEvent& event) const;
    void CheckRange(const cmn::VemoEvent& event) const;
    void CheckClickValue(const cmn::VemoEvent& event) const;
    void Replace(const cmn::VemoEvent& event, const std::function<void(cmn::VemoEvent&)>& change, bool checkClick);
    void Record(std::list<HistoryItem> items);
    std::list<HistoryItem> Apply(std::list<HistoryItem> items);
    void RemoveFromDocument(const std::string& song, const cmn::VemoEvent& event);
    History& SelectedHistory();
    const History* SelectedHistory() const;

    EditorContext context_;
    EditorCallHook hook_;
    std::optional<bool> readOnlyOverride_;
    ChangeLogDocument document_;
    std::string selectedSong_;
    std::map<std::string, std::unique_ptr<History>, utilon::NumericStringCompare> histories_;
    // Every event and sound-effect object that left the working log, kept until the editor goes
    // so that pointers handed out never dangle.
    std::vector<std::shared_ptr<const cmn::VemoEvent>> retired_;
    std::vector<std::shared_ptr<Sfx>> retiredSoundEffects_;
};

} // namespace CL
