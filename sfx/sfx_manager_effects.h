#pragma once

#include "editing/sfx_list_model.h"

#include <vector>

namespace vemo::qt {

// The manager window's reading of the machine's sound-effect manifest: requires "ambient" and
// "sfx", takes the entries of both and orders them by name (case-sensitive, upper case first;
// entries with equal names keep their file order, ambient ones first). Throws std::runtime_error
// with the user's text on failure.
std::vector<SfxEntry> ReadManagerSfxEntries();

}  // namespace vemo::qt
