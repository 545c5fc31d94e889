#include "vemo_ui/controllers/dialog_type.h"

namespace vemo::qt {

QString DialogTypeName(int type)
{
    switch (type) {
    case 0:
        return QStringLiteral("error");
    case 1:
        return QStringLiteral("warning");
    default:
        return QStringLiteral("info");
    }
}

} // namespace vemo::qt
