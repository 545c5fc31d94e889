#pragma once

#include "models/dual_roled_list_model.h"

#include <vemo_core/properties.h>

#include <memory>
#include <vector>

namespace vemo {

// One OSC network destination of the show.
class NetworkItem : public DualRoleItem {
public:
    QString First() const override;
    // "<ip>:<port>, <MODE>", for example "127.0.0.1:8001, UDP".
    QString Second() const override;

    int port = 8001;
    QString name = "Network Destination";
    QString ipAddress = "127.0.0.1";
    QString networkId;
    QString mode = "udp";
};

// The show's OSC network destinations: first text the name, second the address, port and mode.
// Extra roles "name", "ipAddress", "networkId", "mode" and "port" read and write the fields.
class NetworkListModel : public DualRoledListModel {
public:
    enum NetworkRole { NameRole = SecondRole + 1, IpAddressRole, NetworkIdRole, ModeRole, PortRole };

    // One row per path, in order; a path with transport 1 gets the mode "tcp", every other "udp".
    explicit NetworkListModel(const std::vector<CL::NetworkPath>& paths);

    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QHash<int, QByteArray> roleNames() const override;

    void AddNetwork(std::shared_ptr<NetworkItem> item);
    // Tells the views that every role of `row` may have changed; a row outside the list is ignored.
    void RowChanged(int row);
    // "NETWORK<n>" for the first n from the row count on that no row uses as its id.
    QString NextNetworkId() const;
    // The row's destination, or null for a row outside the list.
    NetworkItem* Network(int row) const;
};

} // namespace vemo
