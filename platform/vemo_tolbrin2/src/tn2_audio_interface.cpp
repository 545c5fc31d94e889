#include "vemo_tolbrin2/tn2_audio_interface.h"

namespace vemo {

Tn2AudioInterface::Tn2AudioInterface(std::string showFolder, std::string dataDirectory, bool soundEffects,
                                     std::shared_ptr<PlayerOscCallback> oscCallback)
    : AudioInterface("Tol|brin", std::move(showFolder), std::move(dataDirectory), soundEffects,
                     std::move(oscCallback), Options::FromEnvironment())
{
}

}  // namespace vemo
