#pragma once

#include <vemo_player_core/audio_interface.h>

#include <QStringList>

#include <filesystem>
#include <memory>
#include <string>

namespace vemo::osc::testing {

// Ticks of the fixture show: every song is 8 bars of 4/4 at 1920 ticks a bar, and its audio ends at
// the start of bar 8.
constexpr UInt32 kBar = 1920;
constexpr UInt32 kAudioEnd = 7 * kBar;

// A show written for the handler tests, its sound-effect manifest and an engine on a manual clock:
// - song 1 (attacca 1): point MRK1 at bar 2, region REG1 over bars 3-4, point END1 after the audio
//   end, sound effect SFX1 (effect "thunder") at bar 5;
// - song 2 (attacca 0): point MRK1 at bar 3, point END2 after the audio end;
// - song 3: no events.
std::filesystem::path WriteFixtureShow();
std::shared_ptr<AudioInterface> MakeFixtureEngine();

// The journal of the engine since the last clear, without its notifications.
QStringList EngineCalls(AudioInterface& engine);
// The journal of the sound-effect player since the last clear.
QStringList SfxCalls();
// The line the sound-effect player journals when it is told to stop every effect while none plays.
QString StopAllLine();

} // namespace vemo::osc::testing
