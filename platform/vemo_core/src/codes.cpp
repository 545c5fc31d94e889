#include "vemo_core/codes.h"

namespace codes {

const std::map<UInt8, std::string> editNameByVemoEventCode = {
    {kVamp, "Vamp"},
    {kRepeat, "Repeat"},
    {kCut, "Cut"},
    {kTranspose, "Transpose"},
    {kTempoScale, "TempoScale"},
    {kMarker, "Marker"},
    {kClick, "Click"},
    {kSkip, "Fermata"},
    {kCaesura, "Caesura"},
    {kSfx, "Sfx"},
    {kSfxAmbient, "Ambient Sfx"},
    {kOsc, "OSC"},
};

bool IsEventCode(UInt8 code)
{
    return editNameByVemoEventCode.contains(code);
}

bool IsRegionCode(UInt8 code)
{
    switch (code) {
    case kVamp:
    case kRepeat:
    case kCut:
    case kTranspose:
    case kTempoScale:
    case kClick:
    case kSkip:
    case kSfxAmbient:
        return true;
    default:
        return false;
    }
}

std::string EventIdPrefix(UInt8 code)
{
    static const std::map<UInt8, std::string> prefixes = {
        {kVamp, "VAMP"},
        {kRepeat, "REP"},
        {kCut, "CUT"},
        {kTranspose, "TRN"},
        {kTempoScale, "TMP"},
        {kMarker, "MRK"},
        {kClick, "CLK"},
        {kSkip, "SKP"},
        {kCaesura, "CAE"},
        {kSfx, "SFX"},
        {kSfxAmbient, "AMB"},
        {kOsc, "OSC"},
    };
    const auto found = prefixes.find(code);
    return found == prefixes.end() ? std::string() : found->second;
}

std::string EditName(UInt8 code)
{
    const auto found = editNameByVemoEventCode.find(code);
    return found == editNameByVemoEventCode.end() ? std::string() : found->second;
}

} // namespace codes
