#pragma once

#include "fonexa/sfx_player.h"

#include <vector>

class QObject;

namespace vemo::audio::detail {

// The instances of the registered provider; none without one.
std::vector<SfxInstanceInfo> ProvidedInstances();

// Moves an object made on another thread to the application's thread, once an application exists,
// so that its timers and queued calls run in the application's event loop.
void AdoptApplicationThread(QObject* object);

}  // namespace vemo::audio::detail
