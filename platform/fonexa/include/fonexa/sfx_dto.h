#pragma once

#include "fonexa/sfx_manifest.h"

#include <vemo_core/types.h>

#include <memory>
#include <string>
#include <vector>

namespace vemo::audio {

// A stretch of a song, in ticks, during which an ambient effect plays.
struct SongInterval {
    std::string song;
    UInt32 startTick = 0;
    UInt32 endTick = 0;

    bool operator==(const SongInterval& other) const = default;
};

namespace sfx {

// One effect instance as a player plays it.
class SfxDto {
public:
    class Builder;
    static Builder builder();

    const std::string& name() const { return name_; }
    const std::string& outputPath() const { return outputPath_; }
    const std::string& effectId() const { return effectId_; }
    const std::string& effectPath() const { return effectPath_; }
    const std::string& eventId() const { return eventId_; }
    SfxType type() const { return type_; }
    int effectIdIndex() const { return effectIdIndex_; }
    int repeats() const { return repeats_; }
    UInt16 fadeIn() const { return fadeIn_; }
    UInt16 fadeOut() const { return fadeOut_; }
    float volume() const { return volume_; }
    float reverb() const { return reverb_; }
    float pan() const { return pan_; }
    const std::vector<SongInterval>& intervals() const { return intervals_; }

    // True when an interval of `song` overlaps the ticks from `first` to `second`: it starts at or
    // before `second` and ends after `first`.
    bool isActiveInterval(const std::string& song, UInt32 first, UInt32 second) const;

private:
    std::string name_, outputPath_, effectId_, effectPath_, eventId_;
    SfxType type_ = SfxType::Primary;
    int effectIdIndex_ = 0;
    int repeats_ = 0;
    UInt16 fadeIn_ = 0, fadeOut_ = 0;
    float volume_ = 1.0f, reverb_ = 0.0f, pan_ = 0.5f;
    std::vector<SongInterval> intervals_;
};

class SfxDto::Builder {
public:
    Builder& name(std::string value);
    Builder& outputPath(std::string value);
    Builder& effectId(std::string value);
    Builder& effectPath(std::string value);
    Builder& eventId(std::string value);
    Builder& type(SfxType value);
    Builder& effectIdIndex(int value);
    Builder& repeats(int value);
    Builder& fadeIn(UInt16 value);
    Builder& fadeOut(UInt16 value);
    Builder& volume(float value);
    Builder& reverb(float value);
    Builder& pan(float value);
    Builder& interval(SongInterval value);

    SfxDto build() const;
    std::shared_ptr<SfxDto> buildShared() const;

private:
    SfxDto dto_;
};

}  // namespace sfx
}  // namespace vemo::audio
