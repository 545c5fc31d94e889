#include "audio_output/string_value_list_model.h"

#include "audio_output/model_rows.h"

StringValueListModel::StringValueListModel(QObject* parent) : QAbstractListModel(parent) {}

StringValueListModel::~StringValueListModel() = default;

void StringValueListModel::Append(const StringValueItem& item)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    items.append(item);
    endInsertRows();
}

int StringValueListModel::rowCount(const QModelIndex&) const
{
    return static_cast<int>(items.size());
}

QVariant StringValueListModel::data(const QModelIndex& index, int role) const
{
    if (!vemo::qt::IsRowOf(*this, index, items.size())) {
        return {};
    }
    const StringValueItem& item = items.at(index.row());
    switch (role) {
    case ValueRole:
        return item.value;
    case Qt::DisplayRole:
    case DisplayNameRole:
        return item.displayName;
    default:
        return {};
    }
}

QHash<int, QByteArray> StringValueListModel::roleNames() const
{
    return {{ValueRole, "value"}, {DisplayNameRole, "displayname"}};
}
