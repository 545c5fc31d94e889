#pragma once

#include <exception>
#include <functional>
#include <memory>

class Interface;
class QObject;

namespace vemo {

class VemoOscCallbacks;

// Connects the handlers' fade requests to the player the way the main window's fade slots treat
// them: a fade-out only while playing, a fade to a gain in any state, the float milliseconds turned
// into whole milliseconds with saturation. Each fade's completion is queued to `guiContext`'s
// thread, where the player moves to the next song when it is still faded and the fade asked for
// it, and then cancels the fade; a fade that ends after `guiContext` is gone does nothing more.
// A std::exception in any of these steps goes to `onError`. Called on `guiContext`'s thread.
void ConnectFadeReceivers(VemoOscCallbacks& handlers, std::weak_ptr<Interface> player, QObject& guiContext,
    std::function<void(const std::exception&)> onError);

} // namespace vemo
