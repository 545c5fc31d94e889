#pragma once

#include <vemo_player_core/audio_interface.h>

namespace vemo {

// The product engine: the simulated engine under the product name "Tol|brin".
class Tn2AudioInterface : public AudioInterface {
public:
    Tn2AudioInterface(std::string showFolder, std::string dataDirectory, bool soundEffects,
                      std::shared_ptr<PlayerOscCallback> oscCallback);
};

}  // namespace vemo
