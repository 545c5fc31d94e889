#include "vemo_core/change_log_document.h"

#include <stdexcept>

namespace CL {

std::string LoadReport::ModifiedClickEditLog() const { throw std::logic_error("not implemented"); }
std::string LoadReport::TempoScaleWarnings() const { throw std::logic_error("not implemented"); }
int LoadReport::InvertedLoopEventCount() const { throw std::logic_error("not implemented"); }
std::string LoadReport::InvertedLoopEventDescription(const std::function<std::string(const std::string&, UInt32)>&) const { throw std::logic_error("not implemented"); }
std::string LoadReport::EventIdWarnings() const { throw std::logic_error("not implemented"); }

} // namespace CL
