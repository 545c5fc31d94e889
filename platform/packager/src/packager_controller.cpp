#include "packager/packager_controller.h"

namespace packager {

PackagerController::PackagerController(QObject* parent)
    : QObject(parent)
{
}

QString PackagerController::versionString() const
{
    return QStringLiteral("1.0 (stand-in)");
}

void PackagerController::package()
{
}

void PackagerController::packageSfx()
{
}

} // namespace packager
