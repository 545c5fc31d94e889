#include "fonexa/sfx_dto.h"

#include <algorithm>

namespace vemo::audio::sfx {

SfxDto::Builder SfxDto::builder()
{
    return {};
}

bool SfxDto::isActiveInterval(const std::string& song, UInt32 first, UInt32 second) const
{
    return std::any_of(intervals_.begin(), intervals_.end(), [&](const SongInterval& interval) {
        return interval.song == song && interval.startTick <= second && first < interval.endTick;
    });
}

SfxDto::Builder& SfxDto::Builder::name(std::string value)
{
    dto_.name_ = std::move(value);
    return *this;
}

SfxDto::Builder& SfxDto::Builder::outputPath(std::string value)
{
    dto_.outputPath_ = std::move(value);
    return *this;
}

SfxDto::Builder& SfxDto::Builder::effectId(std::string value)
{
    dto_.effectId_ = std::move(value);
    return *this;
}

SfxDto::Builder& SfxDto::Builder::effectPath(std::string value)
{
    dto_.effectPath_ = std::move(value);
    return *this;
}

SfxDto::Builder& SfxDto::Builder::eventId(std::string value)
{
    dto_.eventId_ = std::move(value);
    return *this;
}

SfxDto::Builder& SfxDto::Builder::type(SfxType value)
{
    dto_.type_ = value;
    return *this;
}

SfxDto::Builder& SfxDto::Builder::effectIdIndex(int value)
{
    dto_.effectIdIndex_ = value;
    return *this;
}

SfxDto::Builder& SfxDto::Builder::repeats(int value)
{
    dto_.repeats_ = value;
    return *this;
}

SfxDto::Builder& SfxDto::Builder::fadeIn(UInt16 value)
{
    dto_.fadeIn_ = value;
    return *this;
}

SfxDto::Builder& SfxDto::Builder::fadeOut(UInt16 value)
{
    dto_.fadeOut_ = value;
    return *this;
}

SfxDto::Builder& SfxDto::Builder::volume(float value)
{
    dto_.volume_ = value;
    return *this;
}

SfxDto::Builder& SfxDto::Builder::reverb(float value)
{
    dto_.reverb_ = value;
    return *this;
}

SfxDto::Builder& SfxDto::Builder::pan(float value)
{
    dto_.pan_ = value;
    return *this;
}

SfxDto::Builder& SfxDto::Builder::interval(SongInterval value)
{
    dto_.intervals_.push_back(std::move(value));
    return *this;
}

SfxDto SfxDto::Builder::build() const
{
    return dto_;
}

std::shared_ptr<SfxDto> SfxDto::Builder::buildShared() const
{
    return std::make_shared<SfxDto>(dto_);
}

}  // namespace vemo::audio::sfx
