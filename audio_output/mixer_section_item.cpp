#include "audio_output/mixer_section_item.h"

#include "audio_output/mixer_tracks_model.h"

#include <utility>

namespace vemo::qt {

MixerSectionItem::MixerSectionItem(QString name, QString tooltip, bool isMuted, bool isSolo,
                                   MixerTracksModel* tracksModel)
    : sectionName(std::move(name)), sectionTooltip(std::move(tooltip)), muted(isMuted), solo(isSolo),
      tracks(tracksModel)
{
    if (tracks != nullptr) {
        tracks->setParent(this);
    }
}

const QString& MixerSectionItem::name() const
{
    return sectionName;
}

const QString& MixerSectionItem::tooltip() const
{
    return sectionTooltip;
}

bool MixerSectionItem::isMuted() const
{
    return muted;
}

bool MixerSectionItem::isSolo() const
{
    return solo;
}

const MixerTracksModel* MixerSectionItem::tracksModel() const
{
    return tracks;
}

void MixerSectionItem::setName(const QString& name)
{
    sectionName = name;
}

void MixerSectionItem::setMuted(bool value)
{
    muted = value;
}

void MixerSectionItem::setSolo(bool value)
{
    solo = value;
}

} // namespace vemo::qt
