#pragma once

#include "lists/event_info_item.h"
#include "lists/marker_info_item.h"

namespace vemo::qt {

// Registers both row records with Qt's meta-type system, so that they travel in queued signals.
void RegisterListRowMetaTypes();

} // namespace vemo::qt
