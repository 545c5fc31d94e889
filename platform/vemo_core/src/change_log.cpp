#include "vemo_core/change_log.h"

#include <stdexcept>

namespace CL {

ChangeLog::ChangeLog(const std::filesystem::path&, const std::filesystem::path&)
{
    throw std::logic_error("not implemented");
}

void ChangeLog::SetVersion(UInt16 majorVersion, UInt16 minorVersion)
{
    version_ = cmn::VEMOVersion{majorVersion, minorVersion};
}

} // namespace CL
