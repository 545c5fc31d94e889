#include "models/dual_roled_list_model.h"

DualRoledListModel::DualRoledListModel(QObject* parent) : QAbstractListModel(parent) {}

int DualRoledListModel::rowCount(const QModelIndex&) const
{
    return static_cast<int>(items_.size());
}

DualRoleItem* DualRoledListModel::Item(int row) const
{
    return row >= 0 && row < items_.size() ? items_[row].get() : nullptr;
}

QVariant DualRoledListModel::data(const QModelIndex& index, int role) const
{
    const DualRoleItem* item = Item(index.row());
    if (item == nullptr) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case FirstRole:
        return item->First();
    case SecondRole:
        return item->Second();
    case ValueRole:
        return item->value;
    default:
        return {};
    }
}

bool DualRoledListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    DualRoleItem* item = Item(index.row());
    if (item == nullptr) {
        return false;
    }
    switch (role) {
    case FirstRole:
        item->first = value.toString();
        break;
    case SecondRole:
        item->second = value.toString();
        break;
    case ValueRole:
        item->value = value.toInt();
        break;
    default:
        return false;
    }
    emit dataChanged(index, index, {role});
    return true;
}

QHash<int, QByteArray> DualRoledListModel::roleNames() const
{
    return {{ValueRole, "value"}, {FirstRole, "first"}, {SecondRole, "second"}};
}

bool DualRoledListModel::removeRows(int row, int count, const QModelIndex&)
{
    if (row < 0 || count < 1 || row > rowCount() - count) {
        return false;
    }
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    items_.remove(row, count);
    endRemoveRows();
    return true;
}

QVariant DualRoledListModel::dataStr(int index, QString role) const
{
    const QByteArray name = role.toUtf8();
    const QHash<int, QByteArray> roles = roleNames();
    int number = Qt::DisplayRole;
    for (auto it = roles.cbegin(); it != roles.cend(); ++it) {
        if (it.value() == name) {
            number = it.key();
            break;
        }
    }
    return data(this->index(index, 0), number);
}

void DualRoledListModel::Append(std::shared_ptr<DualRoleItem> item)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    items_.append(std::move(item));
    endInsertRows();
}
