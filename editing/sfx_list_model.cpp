#include "editing/sfx_list_model.h"

SfxListModel::SfxListModel(QObject* parent) : QAbstractListModel(parent) {}

void SfxListModel::append(const SfxEntry& entry)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    rows_.push_back(entry);
    endInsertRows();
}

void SfxListModel::clear()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int SfxListModel::rowCount(const QModelIndex&) const
{
    return static_cast<int>(rows_.size());
}

QVariant SfxListModel::data(const QModelIndex& index, int role) const
{
    const int row = index.row();
    if (row < 0 || row >= rowCount())
        return {};
    const SfxEntry& entry = rows_[static_cast<std::size_t>(row)];
    switch (role) {
    case Qt::DisplayRole:
    case DisplayNameRole:
        return entry.displayName;
    case EffectIdRole:
        return entry.effectId;
    default:
        return {};
    }
}

QHash<int, QByteArray> SfxListModel::roleNames() const
{
    return {{EffectIdRole, "sfxid"}, {DisplayNameRole, "displayname"}};
}
