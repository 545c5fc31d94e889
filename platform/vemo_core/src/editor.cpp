#include "vemo_core/editor.h"

#include "event_ids.h"
#include "vemo_core/codes.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace CL {
namespace {

constexpr double kTempoTolerance = 1e-4;

std::string Quote(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            quoted.push_back('\\');
        quoted.push_back(c);
    }
    return quoted + "\"";
}

std::string Number(double value)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof(text), value);
    return std::string(text, written.ptr);
}

std::string Bool(bool value)
{
    return value ? "true" : "false";
}

HistoryItem Inverse(const HistoryItem& item)
{
    HistoryItem inverse = item;
    std::swap(inverse.before, inverse.after);
    if (item.action == HistoryItem::Action::Add)
        inverse.action = HistoryItem::Action::Delete;
    else if (item.action == HistoryItem::Action::Delete)
        inverse.action = HistoryItem::Action::Add;
    return inverse;
}

} // namespace

// The undo and redo stacks of one song log and the codes of its last action.
class Editor::History {
public:
    std::vector<std::list<HistoryItem>> undo;
    std::vector<std::list<HistoryItem>> redo;
    std::optional<std::vector<int>> lastCodes;
};

std::vector<int> GetAffectedCodes(const std::list<HistoryItem>& items)
{
    std::vector<int> result;
    for (const HistoryItem& item : items) {
        if (std::find(result.begin(), result.end(), item.code) == result.end())
            result.push_back(item.code);
    }
    return result;
}

Editor::Editor() = default;

Editor::Editor(EditorContext context)
    : context_(std::move(context))
{
}

Editor::~Editor() = default;

void Editor::SetContext(EditorContext context)
{
    context_ = std::move(context);
}

void Editor::SetCallHook(EditorCallHook hook)
{
    hook_ = std::move(hook);
}

void Editor::SetReadOnlyOverride(std::optional<bool> readOnly)
{
    readOnlyOverride_ = readOnly;
}

LoadReport Editor::LoadDocument(ChangeLogDocument document)
{
    if (context_.clickValues) {
        for (auto& [number, song] : document.Songs()) {
            for (auto& event : song.events) {
                if (event->code() != codes::kClick)
                    continue;
                const std::vector<int> offered = context_.clickValues(number, event->start(), event->end());
                if (offered.empty() || std::find(offered.begin(), offered.end(), event->int_value()) != offered.end())
                    continue;
                std::unique_ptr<cmn::VemoEvent> fixed = event->Clone();
                fixed->int_value(offered.front());
                document.loadReport().issues.push_back({LoadIssue::Kind::ClickValueChanged, number, event->code(),
                    event->EventId(), {}, event->start(), event->end(), static_cast<double>(event->int_value()),
                    static_cast<double>(offered.front())});
                event = std::shared_ptr<const cmn::VemoEvent>(std::move(fixed));
            }
        }
    }
    for (const auto& [number, song] : document_.Songs())
        retired_.insert(retired_.end(), song.events.begin(), song.events.end());
    retiredSoundEffects_.insert(
        retiredSoundEffects_.end(), document_.SoundEffects().begin(), document_.SoundEffects().end());
    histories_.clear();
    document_ = std::move(document);
    return document_.loadReport();
}

ChangeLogDocument Editor::PublishDocument() const
{
    return document_.DeepCopy();
}

void Editor::SaveAs(const std::filesystem::path& file, cmn::VEMOVersion version)
{
    if (ChangelogIsReadOnly())
        throw std::runtime_error("The change log is read-only and cannot be saved");
    ChangeLogDocument written = document_;
    written.SetVersion(version);
    written.Save(file);
    document_.SetVersion(version);
}

void Editor::SetVersion(cmn::VEMOVersion version)
{
    document_.SetVersion(version);
}

void Editor::SelectSongLogForEditing(const std::string& song)
{
    Call("SelectSongLogForEditing", Quote(song));
    selectedSong_ = song;
}

cmn::VEMOVersion Editor::GetVersion() const
{
    return document_.Version();
}

bool Editor::ChangelogIsReadOnly() const
{
    return readOnlyOverride_.value_or(document_.IsReadOnly());
}

void Editor::UpdateNetworks(const NetworkPathVectorT& networks)
{
    std::string ids;
    for (const NetworkPath& network : networks) {
        if (!ids.empty())
            ids += ',';
        ids += Quote(network.NetworkId());
    }
    Call("UpdateNetworks", "[" + ids + "]");
    RefuseWhenReadOnly();
    document_.SetNetworks(networks);
}

UInt8 Editor::GetAttacca(const std::string& song) const
{
    return document_.Attacca(song);
}

void Editor::SetAttacca(const std::string& song, UInt8 state)
{
    if (state > 2)
        throw std::out_of_range("Attacca state must be 0, 1 or 2");
    document_.SongForWriting(song).attacca = state;
}

void Editor::PutOutputPath(const OutputPath& path)
{
    document_.PutOutputPath(path);
}

void Editor::RemoveOutputPath(const std::string& id)
{
    document_.RemoveOutputPath(id);
}

const cmn::VemoEvent* Editor::AddEvent(const cmn::VemoEvent& event)
{
    Call("AddEvent", event.EventId() + "," + std::string(1, static_cast<char>(event.code())) + ","
            + std::to_string(event.start()) + "," + std::to_string(event.end()));
    RefuseWhenReadOnly();
    std::unique_ptr<cmn::VemoEvent> added = event.Clone();
    if (added->EventId().empty())
        added->SetEventId(GetSuggestedEventIdAtTick(added->start(), added->code()));
    const SongDocument* song = document_.Song(selectedSong_);
    if (song != nullptr) {
        for (const auto& existing : song->events) {
            if (existing->EventId() == added->EventId())
                throw EditorError("The event id is already in use");
        }
    }
    CheckRange(*added);
    CheckValue(*added);
    CheckClickValue(*added);
    std::shared_ptr<const cmn::VemoEvent> stored(std::move(added));
    document_.SongForWriting(selectedSong_).Insert(stored);
    Record({HistoryItem{HistoryItem::Action::Add, stored->code(), selectedSong_, nullptr, stored}});
    return stored.get();
}

void Editor::EditEventStartEndValues(
    const cmn::VemoEvent& event, const UInt32& start, const UInt32& end, bool adjustLeft, bool adjustRight)
{
    Call("EditEventStartEndValues", event.EventId() + "," + std::to_string(start) + "," + std::to_string(end) + ","
            + Bool(adjustLeft) + "," + Bool(adjustRight));
    Replace(event, [&](cmn::VemoEvent& changed) {
        changed.start(start);
        changed.end(end);
        if (changed.code() != codes::kClick || !context_.clickValues)
            return;
        const std::vector<int> offered = context_.clickValues(selectedSong_, changed.start(), changed.end());
        if (!offered.empty() && std::find(offered.begin(), offered.end(), changed.int_value()) == offered.end())
            changed.int_value(offered.front());
    }, false);
}

void Editor::EditEventStringValue(const cmn::VemoEvent& event, std::string value)
{
    Call("EditEventStringValue", event.EventId() + "," + Quote(value));
    Replace(event, [&](cmn::VemoEvent& changed) { changed.value(value); }, false);
}

void Editor::EditEventIntValue(const cmn::VemoEvent& event, int value)
{
    Call("EditEventIntValue", event.EventId() + "," + std::to_string(value));
    Replace(event, [&](cmn::VemoEvent& changed) { changed.int_value(value); }, true);
}

void Editor::EditEventFloatValue(const cmn::VemoEvent& event, double value)
{
    Call("EditEventFloatValue", event.EventId() + "," + Number(value));
    Replace(event, [&](cmn::VemoEvent& changed) { changed.float_value(value); }, false);
}

void Editor::EditEventSFXPropertyValues(const cmn::VemoEvent& event, SfxProperties properties)
{
    Call("EditEventSFXPropertyValues", event.EventId() + "," + Quote(properties.name()));
    Replace(event, [&](cmn::VemoEvent& changed) { changed.sfx_properties(properties); }, false);
}

void Editor::EditEventOscPropertyValues(const cmn::VemoEvent& event, OscProperties properties)
{
    Call("EditEventOscPropertyValues",
        event.EventId() + "," + Quote(properties.Message()) + "," + Quote(properties.NetworkId()));
    Replace(event, [&](cmn::VemoEvent& changed) { changed.osc_properties(properties); }, false);
}

void Editor::DeleteEvent(const cmn::VemoEvent& event)
{
    Call("DeleteEvent", event.EventId());
    RefuseWhenReadOnly();
    const std::shared_ptr<const cmn::VemoEvent> existing = FindSelected(event);
    RemoveFromDocument(selectedSong_, *existing);
    Record({HistoryItem{HistoryItem::Action::Delete, existing->code(), selectedSong_, existing, nullptr}});
}

bool Editor::CanUndo() const
{
    const History* history = SelectedHistory();
    return history != nullptr && !history->undo.empty();
}

bool Editor::CanRedo() const
{
    const History* history = SelectedHistory();
    return history != nullptr && !history->redo.empty();
}

std::list<HistoryItem> Editor::Undo()
{
    Call("Undo", "");
    RefuseWhenReadOnly();
    History& history = SelectedHistory();
    if (history.undo.empty())
        return {};
    std::list<HistoryItem> action = std::move(history.undo.back());
    history.undo.pop_back();
    std::list<HistoryItem> inverse;
    for (auto item = action.rbegin(); item != action.rend(); ++item)
        inverse.push_back(Inverse(*item));
    std::list<HistoryItem> applied = Apply(std::move(inverse));
    history.redo.push_back(std::move(action));
    history.lastCodes = GetAffectedCodes(applied);
    return applied;
}

std::list<HistoryItem> Editor::Redo()
{
    Call("Redo", "");
    RefuseWhenReadOnly();
    History& history = SelectedHistory();
    if (history.redo.empty())
        return {};
    std::list<HistoryItem> action = std::move(history.redo.back());
    history.redo.pop_back();
    std::list<HistoryItem> applied = Apply(action);
    history.undo.push_back(std::move(action));
    history.lastCodes = GetAffectedCodes(applied);
    return applied;
}

std::vector<int> Editor::GetEditedCodes() const
{
    const History* history = SelectedHistory();
    if (history == nullptr || !history->lastCodes)
        throw EditorHistoryNoActionError();
    return *history->lastCodes;
}

std::string Editor::GetSuggestedEventIdAtTick(UInt32, UInt8 code) const
{
    EventIdNumbers numbers(codes::EventIdPrefix(code));
    if (const SongDocument* song = document_.Song(selectedSong_)) {
        for (const auto& event : song->events)
            numbers.Note(event->EventId());
    }
    if (const History* history = SelectedHistory()) {
        for (const auto* stack : {&history->undo, &history->redo}) {
            for (const auto& action : *stack) {
                for (const HistoryItem& item : action) {
                    if (item.before)
                        numbers.Note(item.before->EventId());
                    if (item.after)
                        numbers.Note(item.after->EventId());
                }
            }
        }
    }
    return numbers.NextId();
}

std::map<std::string, std::shared_ptr<const cmn::VemoEvent>> Editor::GetEventsByEventId() const
{
    const std::string song = context_.currentSong ? context_.currentSong() : selectedSong_;
    std::map<std::string, std::shared_ptr<const cmn::VemoEvent>> events;
    if (const SongDocument* log = document_.Song(song)) {
        for (const auto& event : log->events)
            events.emplace(event->EventId(), event);
    }
    return events;
}

std::string Editor::PreviewNextSfxEventId() const
{
    return "sfx." + GetNextSfxEventIdSuffix();
}

std::string Editor::GetNextSfxEventIdSuffix() const
{
    EventIdNumbers numbers("sfx.");
    for (const auto& effect : document_.SoundEffects())
        numbers.Note(effect->EventId());
    for (const auto& effect : retiredSoundEffects_)
        numbers.Note(effect->EventId());
    return std::to_string(numbers.NextNumber());
}

std::shared_ptr<Sfx> Editor::AddSoundEffect(const Sfx& effect)
{
    Call("AddSoundEffect", effect.EventId());
    auto added = std::make_shared<Sfx>(effect);
    added->start(0);
    if (added->EventId().empty())
        added->SetEventId(PreviewNextSfxEventId());
    document_.SoundEffects().push_back(added);
    return added;
}

void Editor::DeleteSoundEffect(const Sfx& effect)
{
    Call("DeleteSoundEffect", effect.EventId());
    std::erase_if(document_.SoundEffects(), [&](const std::shared_ptr<Sfx>& existing) {
        if (existing->EventId() != effect.EventId())
            return false;
        retiredSoundEffects_.push_back(existing);
        return true;
    });
}

std::vector<std::shared_ptr<Sfx>> Editor::SoundEffects() const
{
    return document_.SoundEffects();
}

void Editor::Call(const std::string& name, const std::string& args) const
{
    if (hook_)
        hook_(name, args);
}

void Editor::RefuseWhenReadOnly() const
{
    if (ChangelogIsReadOnly())
        throw EditorError("The change log is read-only");
}

std::shared_ptr<const cmn::VemoEvent> Editor::FindSelected(const cmn::VemoEvent& event) const
{
    const SongDocument* song = document_.Song(selectedSong_);
    std::shared_ptr<const cmn::VemoEvent> found = song == nullptr ? nullptr : song->Find(event.code(), event.EventId());
    if (!found)
        throw EditorError("Event not found");
    return found;
}

void Editor::CheckRange(const cmn::VemoEvent& event) const
{
    if (event.IsPairedEvent() && event.end() < event.start())
        throw EditorError("The end of the event is before its start");
    if (context_.songLength) {
        const UInt32 length = context_.songLength(selectedSong_);
        if (event.start() > length || event.end() > length)
            throw EditorError("The event lies beyond the end of the song");
    }
}

void Editor::CheckValue(const cmn::VemoEvent& event) const
{
    switch (event.code()) {
    case codes::kVamp:
        if (event.int_value() < 0)
            throw EditorError("A vamp count cannot be negative");
        break;
    case codes::kRepeat:
        if (event.int_value() < 1)
            throw EditorError("A repeat count must be at least 1");
        break;
    case codes::kTranspose:
        if (event.int_value() < -6 || event.int_value() > 6)
            throw EditorError("A transposition must be between -6 and 6 half steps");
        break;
    case codes::kTempoScale: {
        const double factor = event.float_value();
        if (!(factor >= 0.5 - kTempoTolerance && factor <= 2.0 + kTempoTolerance))
            throw EditorError("A tempo scale must be between 50% and 200%");
        break;
    }
    default:
        break;
    }
}

void Editor::CheckClickValue(const cmn::VemoEvent& event) const
{
    if (event.code() != codes::kClick || !context_.clickValues)
        return;
    const std::vector<int> offered = context_.clickValues(selectedSong_, event.start(), event.end());
    if (std::find(offered.begin(), offered.end(), event.int_value()) == offered.end())
        throw EditorError("This click resolution is not available for the chosen bars");
}

void Editor::Replace(const cmn::VemoEvent& event, const std::function<void(cmn::VemoEvent&)>& change, bool checkClick)
{
    RefuseWhenReadOnly();
    const std::shared_ptr<const cmn::VemoEvent> before = FindSelected(event);
    std::unique_ptr<cmn::VemoEvent> changed = before->Clone();
    change(*changed);
    CheckRange(*changed);
    CheckValue(*changed);
    if (checkClick)
        CheckClickValue(*changed);
    std::shared_ptr<const cmn::VemoEvent> after(std::move(changed));
    RemoveFromDocument(selectedSong_, *before);
    document_.SongForWriting(selectedSong_).Insert(after);
    Record({HistoryItem{HistoryItem::Action::Edit, after->code(), selectedSong_, before, after}});
}

void Editor::Record(std::list<HistoryItem> items)
{
    History& history = SelectedHistory();
    history.lastCodes = GetAffectedCodes(items);
    history.undo.push_back(std::move(items));
    history.redo.clear();
}

std::list<HistoryItem> Editor::Apply(std::list<HistoryItem> items)
{
    for (const HistoryItem& item : items) {
        if (item.before)
            RemoveFromDocument(item.song, *item.before);
        if (item.after)
            document_.SongForWriting(item.song).Insert(item.after);
    }
    return items;
}

void Editor::RemoveFromDocument(const std::string& song, const cmn::VemoEvent& event)
{
    if (const SongDocument* log = document_.Song(song)) {
        if (auto existing = log->Find(event.code(), event.EventId()))
            retired_.push_back(std::move(existing));
    }
    document_.SongForWriting(song).Remove(event.code(), event.EventId());
}

Editor::History& Editor::SelectedHistory()
{
    auto& history = histories_[selectedSong_];
    if (!history)
        history = std::make_unique<History>();
    return *history;
}

const Editor::History* Editor::SelectedHistory() const
{
    const auto found = histories_.find(selectedSong_);
    return found == histories_.end() ? nullptr : found->second.get();
}

} // namespace CL
