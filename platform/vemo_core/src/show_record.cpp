#include "vemo_core/show_record.h"

#include <stdexcept>

namespace vemo::core {

ShowRecordStore::ShowRecordStore(std::filesystem::path dataDirectory) : dataDirectory_(std::move(dataDirectory)) { throw std::logic_error("not implemented"); }
bool ShowRecordStore::HasCurrentShow() const { throw std::logic_error("not implemented"); }
std::string ShowRecordStore::CurrentShowId() const { throw std::logic_error("not implemented"); }
std::filesystem::path ShowRecordStore::StoreFile() const { throw std::logic_error("not implemented"); }
std::filesystem::path ShowRecordStore::CurrentShowFolder() const { throw std::logic_error("not implemented"); }
std::filesystem::path ShowRecordStore::CurrentRecordFile() const { throw std::logic_error("not implemented"); }
const ShowRecord& ShowRecordStore::CurrentRecord() const { throw std::logic_error("not implemented"); }
const ShowRecord& ShowRecordStore::Record(const std::string&) const { throw std::logic_error("not implemented"); }
std::vector<std::string> ShowRecordStore::ShowIds() const { throw std::logic_error("not implemented"); }
void ShowRecordStore::Put(const ShowRecord&) { throw std::logic_error("not implemented"); }
void ShowRecordStore::SetCurrent(const std::string&) { throw std::logic_error("not implemented"); }
void ShowRecordStore::Save() const { throw std::logic_error("not implemented"); }
void WriteShowRecordFile(const std::filesystem::path&, const ShowRecord&) { throw std::logic_error("not implemented"); }
ShowRecord ReadShowRecordFile(const std::filesystem::path&) { throw std::logic_error("not implemented"); }
std::string Directories::GetShowDirectory() { throw std::logic_error("not implemented"); }
void Directories::SetShowDirectory(std::string) { throw std::logic_error("not implemented"); }

} // namespace vemo::core
