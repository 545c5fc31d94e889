#pragma once

#include "vemo_midi/midi.h"

#include <mutex>

namespace vemo::midi::detail {

// One open input as the registry sees it. callMutex is held while its callback runs, so closing
// waits for a delivery in progress; it is recursive so that a callback may close its own input.
struct Delivery {
    std::recursive_mutex callMutex;
    MessageCallback callback;
    int sourceIndex = -1;
    bool open = false;
};

void Attach(const std::shared_ptr<Delivery>& delivery);
void Detach(const std::shared_ptr<Delivery>& delivery);
void Deliver(int sourceIndex, const std::vector<std::uint8_t>& bytes);

}  // namespace vemo::midi::detail
