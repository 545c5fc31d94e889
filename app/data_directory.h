#pragma once

#include <QString>

#include <filesystem>

namespace vemo {

// The product's data directory: Qt's writable generic data folder ($XDG_DATA_HOME, by default
// ~/.local/share) joined with the product key. It does not depend on the application's or the
// organisation's name, so it is the same folder before and after the application object exists.
std::filesystem::path ProductDataDirectory(const QString& productKey);

} // namespace vemo
