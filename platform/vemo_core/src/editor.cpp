#include "vemo_core/editor.h"

#include <stdexcept>

namespace CL {

class Editor::History {};

std::vector<int> GetAffectedCodes(const std::list<HistoryItem>&) { throw std::logic_error("not implemented"); }
Editor::Editor() = default;
Editor::Editor(EditorContext context) : context_(std::move(context)) {}
Editor::~Editor() = default;
void Editor::SetContext(EditorContext context) { context_ = std::move(context); }
void Editor::SetCallHook(EditorCallHook hook) { hook_ = std::move(hook); }
void Editor::SetReadOnlyOverride(std::optional<bool> readOnly) { readOnlyOverride_ = readOnly; }
LoadReport Editor::LoadDocument(ChangeLogDocument) { throw std::logic_error("not implemented"); }
ChangeLogDocument Editor::PublishDocument() const { throw std::logic_error("not implemented"); }
void Editor::SaveAs(const std::filesystem::path&, cmn::VEMOVersion) { throw std::logic_error("not implemented"); }
void Editor::SetVersion(cmn::VEMOVersion) { throw std::logic_error("not implemented"); }
void Editor::SelectSongLogForEditing(const std::string&) { throw std::logic_error("not implemented"); }
cmn::VEMOVersion Editor::GetVersion() const { throw std::logic_error("not implemented"); }
bool Editor::ChangelogIsReadOnly() const { throw std::logic_error("not implemented"); }
void Editor::UpdateNetworks(const NetworkPathVectorT&) { throw std::logic_error("not implemented"); }
UInt8 Editor::GetAttacca(const std::string&) const { throw std::logic_error("not implemented"); }
void Editor::SetAttacca(const std::string&, UInt8) { throw std::logic_error("not implemented"); }
void Editor::PutOutputPath(const OutputPath&) { throw std::logic_error("not implemented"); }
void Editor::RemoveOutputPath(const std::string&) { throw std::logic_error("not implemented"); }
const cmn::VemoEvent* Editor::AddEvent(const cmn::VemoEvent&) { throw std::logic_error("not implemented"); }
void Editor::EditEventStartEndValues(const cmn::VemoEvent&, const UInt32&, const UInt32&, bool, bool) { throw std::logic_error("not implemented"); }
void Editor::EditEventStringValue(const cmn::VemoEvent&, std::string) { throw std::logic_error("not implemented"); }
void Editor::EditEventIntValue(const cmn::VemoEvent&, int) { throw std::logic_error("not implemented"); }
void Editor::EditEventFloatValue(const cmn::VemoEvent&, double) { throw std::logic_error("not implemented"); }
void Editor::EditEventSFXPropertyValues(const cmn::VemoEvent&, SfxProperties) { throw std::logic_error("not implemented"); }
void Editor::EditEventOscPropertyValues(const cmn::VemoEvent&, OscProperties) { throw std::logic_error("not implemented"); }
void Editor::DeleteEvent(const cmn::VemoEvent&) { throw std::logic_error("not implemented"); }
bool Editor::CanUndo() const { throw std::logic_error("not implemented"); }
bool Editor::CanRedo() const { throw std::logic_error("not implemented"); }
std::list<HistoryItem> Editor::Undo() { throw std::logic_error("not implemented"); }
std::list<HistoryItem> Editor::Redo() { throw std::logic_error("not implemented"); }
std::vector<int> Editor::GetEditedCodes() const { throw std::logic_error("not implemented"); }
std::string Editor::GetSuggestedEventIdAtTick(UInt32, UInt8) const { throw std::logic_error("not implemented"); }
std::map<std::string, std::shared_ptr<const cmn::VemoEvent>> Editor::GetEventsByEventId() const { throw std::logic_error("not implemented"); }
std::string Editor::PreviewNextSfxEventId() const { throw std::logic_error("not implemented"); }
std::string Editor::GetNextSfxEventIdSuffix() const { throw std::logic_error("not implemented"); }
std::shared_ptr<Sfx> Editor::AddSoundEffect(const Sfx&) { throw std::logic_error("not implemented"); }
void Editor::DeleteSoundEffect(const Sfx&) { throw std::logic_error("not implemented"); }
std::vector<std::shared_ptr<Sfx>> Editor::SoundEffects() const { throw std::logic_error("not implemented"); }

} // namespace CL
