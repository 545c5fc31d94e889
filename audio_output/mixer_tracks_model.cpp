#include "audio_output/mixer_tracks_model.h"

#include "audio_output/model_rows.h"
#include "audio_output/string_value_list_model.h"

#include <cmath>
#include <utility>

namespace vemo::qt {

MixerTracksModel::MixerTracksModel(QObject* parent) : QAbstractListModel(parent) {}

MixerTracksModel::~MixerTracksModel() = default;

void MixerTracksModel::Append(std::unique_ptr<MixerTrackItem> track)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    tracks.push_back(std::move(track));
    endInsertRows();
}

int MixerTracksModel::rowCount(const QModelIndex&) const
{
    return static_cast<int>(tracks.size());
}

QVariant MixerTracksModel::data(const QModelIndex& index, int role) const
{
    if (!IsRowOf(*this, index, rowCount())) {
        return {};
    }
    const MixerTrackItem& track = *tracks[static_cast<std::size_t>(index.row())];
    switch (role) {
    case IsMutedRole:
        return track.isMuted;
    case IsSoloRole:
        return track.isSolo;
    case VolumeScaledDbRole:
        return track.volumeScaledDb;
    case PanRole:
        return track.pan;
    case EnableMuteRole:
        return track.enableMute;
    case EnableSoloRole:
        return track.enableSolo;
    case InstrumentRole:
        return track.instrument;
    case NameRole:
        return track.name;
    case InstrumentModelRole:
        return QVariant::fromValue(track.instrumentModel);
    default:
        return {};
    }
}

bool MixerTracksModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!IsRowOf(*this, index, rowCount())
        || !Store(*tracks[static_cast<std::size_t>(index.row())], index, value, role)) {
        return false;
    }
    emit dataChanged(index, index, {role});
    return true;
}

bool MixerTracksModel::Store(MixerTrackItem& track, const QModelIndex& index, const QVariant& value, int role)
{
    switch (role) {
    case IsMutedRole:
        track.isMuted = value.toBool();
        emit muteTrackRequested(track.trackId, track.isMuted);
        // Views redraw the whole row: a mute may change how every control of the track looks.
        emit dataChanged(index, index);
        return true;
    case IsSoloRole:
        track.isSolo = value.toBool();
        emit soloTrackRequested(track.trackId, track.isSolo);
        return true;
    case VolumeScaledDbRole:
        track.volumeScaledDb = value.toFloat();
        emit volumeTrackRequested(track.trackId, GainOfFaderPosition(track.volumeScaledDb));
        return true;
    case PanRole:
        track.pan = value.toFloat();
        emit panTrackRequested(track.trackId, track.pan);
        return true;
    case EnableMuteRole:
        track.enableMute = value.toBool();
        return true;
    case EnableSoloRole:
        track.enableSolo = value.toBool();
        return true;
    case InstrumentRole:
        track.instrument = value.toInt();
        emit instrumentTrackRequested(track.trackId, track.instrument);
        return true;
    case NameRole:
        track.name = value.toString();
        return true;
    default:
        return false;
    }
}

QHash<int, QByteArray> MixerTracksModel::roleNames() const
{
    return {
        {IsMutedRole, "isMuted"},
        {IsSoloRole, "isSolo"},
        {VolumeScaledDbRole, "volumeScaledDb"},
        {PanRole, "pan"},
        {EnableMuteRole, "enableMute"},
        {EnableSoloRole, "enableSolo"},
        {InstrumentRole, "instrument"},
        {NameRole, "name"},
        {InstrumentModelRole, "instrumentModel"},
    };
}

double MixerTracksModel::GainOfFaderPosition(float position)
{
    const float naturalLog = std::log(position);
    return std::pow(10.0, 25.0 * static_cast<double>(naturalLog) / 20.0);
}

} // namespace vemo::qt
