#include "audio_output/mixer_model.h"

#include "audio_output/mixer_tracks_model.h"
#include "audio_output/model_rows.h"

namespace vemo::qt {

MixerModel::MixerModel(QObject* parent) : QAbstractListModel(parent) {}

MixerModel::~MixerModel() = default;

void MixerModel::Append(MixerSectionItem* section)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    sections.append(section);
    endInsertRows();
}

int MixerModel::rowCount(const QModelIndex&) const
{
    return static_cast<int>(sections.size());
}

QVariant MixerModel::data(const QModelIndex& index, int role) const
{
    if (!IsRowOf(*this, index, sections.size())) {
        return {};
    }
    const MixerSectionItem& section = *sections.at(index.row());
    switch (role) {
    case NameRole:
        return section.name();
    case IsMutedRole:
        return section.isMuted();
    case IsSoloRole:
        return section.isSolo();
    case TracksModelRole:
        return QVariant::fromValue(section.tracksModel());
    case TooltipRole:
        return section.tooltip();
    default:
        return {};
    }
}

bool MixerModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!IsRowOf(*this, index, sections.size()) || !Store(*sections.at(index.row()), index.row(), value, role)) {
        return false;
    }
    emit dataChanged(index, index, {role});
    return true;
}

bool MixerModel::Store(MixerSectionItem& section, int row, const QVariant& value, int role)
{
    switch (role) {
    case NameRole:
        section.setName(value.toString());
        return true;
    case IsMutedRole:
        section.setMuted(value.toBool());
        emit muteSectionRequested(row, section.isMuted());
        return true;
    case IsSoloRole:
        section.setSolo(value.toBool());
        emit soloSectionRequested(row, section.isSolo());
        return true;
    default:
        return false;
    }
}

QHash<int, QByteArray> MixerModel::roleNames() const
{
    return {
        {NameRole, "name"},
        {IsMutedRole, "isMuted"},
        {IsSoloRole, "isSolo"},
        {TracksModelRole, "tracksModel"},
        {TooltipRole, "tooltip"},
    };
}

} // namespace vemo::qt
