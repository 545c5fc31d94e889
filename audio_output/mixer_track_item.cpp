#include "audio_output/mixer_track_item.h"

#include "audio_output/string_value_list_model.h"

#include <utility>

namespace vemo::qt {

MixerTrackItem::MixerTrackItem(QString name, int trackId, bool isMuted, bool isSolo, float volumeScaledDb,
                               float pan, bool enableMute, bool enableSolo, int instrument,
                               StringValueListModel* instrumentModel)
    : name(std::move(name)), trackId(trackId), isMuted(isMuted), isSolo(isSolo), volumeScaledDb(volumeScaledDb),
      pan(pan), enableMute(enableMute), enableSolo(enableSolo), instrument(instrument),
      instrumentModel(instrumentModel)
{
    if (instrumentModel != nullptr) {
        instrumentModel->setParent(this);
    }
}

} // namespace vemo::qt
