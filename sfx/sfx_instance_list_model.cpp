#include "sfx/sfx_instance_list_model.h"

namespace vemo::audio {

SfxInstanceListModel::SfxInstanceListModel(QObject* parent) : QAbstractListModel(parent) {}

void SfxInstanceListModel::append(const std::shared_ptr<sfx::SfxDto>& record, const std::string& displayName)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    rows_.push_back(record);
    readiness_.try_emplace(record->effectPath(), false);
    displayNames_.try_emplace(record->effectId(), displayName);
    endInsertRows();
}

void SfxInstanceListModel::clear()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void SfxInstanceListModel::markPathReady(const std::string& effectPath)
{
    readiness_[effectPath] = true;
    for (int row = 0; row < rowCount(); ++row) {
        const auto record = RecordAt(row);
        if (record && record->effectPath() == effectPath)
            emit dataChanged(index(row), index(row), {IsReadyRole});
    }
}

int SfxInstanceListModel::rowCount(const QModelIndex&) const
{
    return static_cast<int>(rows_.size());
}

std::shared_ptr<sfx::SfxDto> SfxInstanceListModel::RecordAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return nullptr;
    return rows_[static_cast<std::size_t>(row)].lock();
}

QVariant SfxInstanceListModel::data(const QModelIndex& index, int role) const
{
    const auto record = RecordAt(index.row());
    if (!record)
        return {};
    switch (role) {
    case SummaryRole: {
        if (!record->name().empty())
            return QString::fromStdString(record->name());
        const auto it = displayNames_.find(record->effectId());
        return QString::fromStdString(it == displayNames_.end() ? std::string() : it->second);
    }
    case NameRole: return QString::fromStdString(record->name());
    case OutputPathRole: return QString::fromStdString(record->outputPath());
    case EffectIdRole: return QString::fromStdString(record->effectId());
    case EffectPathRole: return QString::fromStdString(record->effectPath());
    case TypeRole: return QVariant::fromValue(record->type());
    case EffectIdIndexRole: return record->effectIdIndex();
    case RepeatsRole: return record->repeats();
    case FadeInRole: return QVariant::fromValue(record->fadeIn());
    case FadeOutRole: return QVariant::fromValue(record->fadeOut());
    case VolumeRole: return record->volume();
    case ReverbRole: return record->reverb();
    case PanRole: return record->pan();
    case EventIdRole: return QString::fromStdString(record->eventId());
    case IsReadyRole: {
        const auto it = readiness_.find(record->effectPath());
        return it != readiness_.end() && it->second;
    }
    case IsPlayingRole: return playingRows_.count(index.row()) > 0;
    default: return {};
    }
}

bool SfxInstanceListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const auto record = RecordAt(index.row());
    if (!record || (role != IsReadyRole && role != IsPlayingRole))
        return false;
    if (role == IsReadyRole)
        readiness_[record->effectPath()] = value.toBool();
    else if (value.toBool())
        playingRows_.insert(index.row());
    else
        playingRows_.erase(index.row());
    emit dataChanged(index, index, {role});
    return true;
}

QHash<int, QByteArray> SfxInstanceListModel::roleNames() const
{
    return {{SummaryRole, "summary"},     {NameRole, "name"},
            {OutputPathRole, "outputPath"}, {EffectIdRole, "effectId"},
            {EffectPathRole, "effectPath"}, {ActiveIntervalsRole, "activeIntervals"},
            {TypeRole, "type"},           {EffectIdIndexRole, "effectIdIndex"},
            {RepeatsRole, "repeats"},     {FadeInRole, "fadeIn"},
            {FadeOutRole, "fadeOut"},     {VolumeRole, "volume"},
            {ReverbRole, "reverb"},       {PanRole, "pan"},
            {EventIdRole, "eventId"},     {IsReadyRole, "isReady"},
            {IsPlayingRole, "isPlaying"}};
}

}  // namespace vemo::audio
