#pragma once

#include "vemo_core/types.h"

#include <map>
#include <string>

namespace codes {

// Kind code to the kind's display name, for the twelve change-log event kinds.
extern const std::map<UInt8, std::string> editNameByVemoEventCode;

inline constexpr UInt8 kVamp = '@';
inline constexpr UInt8 kRepeat = 'A';
inline constexpr UInt8 kCut = 'B';
inline constexpr UInt8 kTranspose = 'C';
inline constexpr UInt8 kTempoScale = 'D';
inline constexpr UInt8 kMarker = 'E';
inline constexpr UInt8 kClick = 'L';
inline constexpr UInt8 kSkip = 'M';
inline constexpr UInt8 kCaesura = 'N';
inline constexpr UInt8 kSfx = 'Q';
inline constexpr UInt8 kSfxAmbient = 'R';
inline constexpr UInt8 kOsc = 'S';

// True for the twelve codes above.
bool IsEventCode(UInt8 code);
// True for kinds with a start and an end ('@', 'A', 'B', 'C', 'D', 'L', 'M', 'R').
bool IsRegionCode(UInt8 code);
// Prefix of the event ids the editor suggests for a kind ("VAMP" for '@'); "" for other codes.
std::string EventIdPrefix(UInt8 code);
// Display name of a kind, "" for a code outside the map.
std::string EditName(UInt8 code);

} // namespace codes
