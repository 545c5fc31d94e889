#include "app/data_directory.h"

#include <QStandardPaths>

namespace vemo {

std::filesystem::path ProductDataDirectory(const QString& productKey)
{
    return std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString()) /
           productKey.toStdString();
}

} // namespace vemo
