#include "models/network_list_model.h"

namespace vemo {

QString NetworkItem::First() const
{
    return name;
}

QString NetworkItem::Second() const
{
    return ipAddress + ":" + QString::number(port) + ", " + mode.toUpper();
}

NetworkListModel::NetworkListModel(const std::vector<CL::NetworkPath>& paths)
{
    for (const CL::NetworkPath& path : paths) {
        auto item = std::make_shared<NetworkItem>();
        item->name = QString::fromStdString(path.Name());
        item->ipAddress = QString::fromStdString(path.IpAddress());
        item->port = path.Port();
        item->networkId = QString::fromStdString(path.NetworkId());
        item->mode = path.Transport() == 1 ? "tcp" : "udp";
        Append(std::move(item));
    }
}

NetworkItem* NetworkListModel::Network(int row) const
{
    return static_cast<NetworkItem*>(Item(row));
}

QVariant NetworkListModel::data(const QModelIndex& index, int role) const
{
    const NetworkItem* item = Network(index.row());
    if (item == nullptr) {
        return {};
    }
    switch (role) {
    case NameRole:
        return item->name;
    case IpAddressRole:
        return item->ipAddress;
    case NetworkIdRole:
        return item->networkId;
    case ModeRole:
        return item->mode;
    case PortRole:
        return item->port;
    default:
        return DualRoledListModel::data(index, role);
    }
}

bool NetworkListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    NetworkItem* item = Network(index.row());
    if (item == nullptr) {
        return false;
    }
    switch (role) {
    case NameRole:
        item->name = value.toString();
        break;
    case IpAddressRole:
        item->ipAddress = value.toString();
        break;
    case NetworkIdRole:
        item->networkId = value.toString();
        break;
    case ModeRole:
        item->mode = value.toString();
        break;
    case PortRole:
        item->port = value.toInt();
        break;
    default:
        return DualRoledListModel::setData(index, value, role);
    }
    emit dataChanged(index, index, {role});
    return true;
}

QHash<int, QByteArray> NetworkListModel::roleNames() const
{
    QHash<int, QByteArray> roles = DualRoledListModel::roleNames();
    roles.insert(NameRole, "name");
    roles.insert(IpAddressRole, "ipAddress");
    roles.insert(NetworkIdRole, "networkId");
    roles.insert(ModeRole, "mode");
    roles.insert(PortRole, "port");
    return roles;
}

void NetworkListModel::AddNetwork(std::shared_ptr<NetworkItem> item)
{
    Append(std::move(item));
}

void NetworkListModel::RowChanged(int row)
{
    if (row >= 0 && row < rowCount()) {
        emit dataChanged(index(row, 0), index(row, 0), {});
    }
}

QString NetworkListModel::NextNetworkId() const
{
    for (int n = rowCount();; ++n) {
        const QString candidate = "NETWORK" + QString::number(n);
        bool taken = false;
        for (int row = 0; row < rowCount() && !taken; ++row) {
            taken = Network(row)->networkId == candidate;
        }
        if (!taken) {
            return candidate;
        }
    }
}

} // namespace vemo
