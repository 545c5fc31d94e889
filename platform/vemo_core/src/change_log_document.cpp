#include "vemo_core/change_log_document.h"

#include <stdexcept>

namespace CL {

std::vector<std::shared_ptr<const cmn::VemoEvent>> SongDocument::EventsOfKind(UInt8) const { throw std::logic_error("not implemented"); }
std::shared_ptr<const cmn::VemoEvent> SongDocument::Find(UInt8, const std::string&) const { throw std::logic_error("not implemented"); }
void SongDocument::Insert(std::shared_ptr<const cmn::VemoEvent>) { throw std::logic_error("not implemented"); }
bool SongDocument::Remove(UInt8, const std::string&) { throw std::logic_error("not implemented"); }
ChangeLogDocument ChangeLogDocument::Load(const std::filesystem::path&, const std::filesystem::path&) { throw std::logic_error("not implemented"); }
ChangeLogDocument ChangeLogDocument::Parse(const std::string&, const std::string&) { throw std::logic_error("not implemented"); }
void ChangeLogDocument::Save(const std::filesystem::path&) const { throw std::logic_error("not implemented"); }
std::string ChangeLogDocument::Serialize() const { throw std::logic_error("not implemented"); }
ChangeLogDocument ChangeLogDocument::DeepCopy() const { throw std::logic_error("not implemented"); }
bool ChangeLogDocument::IsReadOnly() const { throw std::logic_error("not implemented"); }
const SongDocument* ChangeLogDocument::Song(const std::string&) const { throw std::logic_error("not implemented"); }
SongDocument& ChangeLogDocument::SongForWriting(const std::string&) { throw std::logic_error("not implemented"); }
UInt8 ChangeLogDocument::Attacca(const std::string&) const { throw std::logic_error("not implemented"); }
void ChangeLogDocument::PutOutputPath(const OutputPath&) { throw std::logic_error("not implemented"); }
void ChangeLogDocument::RemoveOutputPath(const std::string&) { throw std::logic_error("not implemented"); }
std::string ReadShowIdFromRecordFile(const std::filesystem::path&) { throw std::logic_error("not implemented"); }

} // namespace CL
