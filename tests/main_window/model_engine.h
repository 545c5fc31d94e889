#pragma once

#include <vemo_player_core/audio_interface.h>

#include <filesystem>
#include <memory>

namespace vemo::testing {

// The simulated engine (or a subclass) on a show folder, with a manual clock and its data folder
// beside the show; a show it cannot load fails the test at once.
template<class Engine = vemo::AudioInterface>
std::shared_ptr<Engine> MakeModelEngine(const std::filesystem::path& folder)
{
    vemo::AudioInterface::Options options;
    options.clock = vemo::AudioInterface::Options::Clock::Manual;
    auto engine = std::make_shared<Engine>(folder.string(), (folder.parent_path() / "data").string(), false, nullptr,
                                           options);
    engine->ThrowIfThreadExceptions();
    return engine;
}

} // namespace vemo::testing
