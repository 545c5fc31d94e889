#pragma once

#include "app/player_factory.h"

namespace vemo::qt {

// Tol|brin: its description and its engine.
class TolbrinPlayerFactory : public PlayerFactory {
public:
    TolbrinPlayerFactory();

    // Opens the show; errors met while opening it are thrown from here and the engine is released.
    std::unique_ptr<Interface> CreateAudioInterface(const QString& showFolder,
                                                    std::shared_ptr<vemo::PlayerOscCallback> oscCallback,
                                                    bool soundEffects) override;
};

} // namespace vemo::qt
