#pragma once

#include <QDir>

// Writes the demo's web-service folder below `generated`/service: the shared logs 1.0 and 2.0 with
// their index, and the show's files with files.json (sizes and sha256 of the bytes the install
// puts into the show folder). `data` is the hand-written data folder.
bool writeDemoService(const QDir& generated, const QDir& data);
