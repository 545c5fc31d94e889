#pragma once

#include <QString>

namespace vemo::qt {

// The dialog type as the dialog documents take it: "error" for 0, "warning" for 1, "info" otherwise.
QString DialogTypeName(int type);

} // namespace vemo::qt
