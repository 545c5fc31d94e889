#pragma once

#include <vemo_core/properties.h>

#include <QAbstractListModel>

#include <cstddef>
#include <string>
#include <vector>

namespace vemo::qt {

// The show's output paths, one row per path (name, id, device name, device id). Rows are told
// apart by id; the operations that add rows keep the ids unique. A row added or rewritten is
// announced with AddOutputPathSignal, a row about to go with RemoveOutputPathSignal, each carrying
// the whole record; call vemo::core::RegisterQtMetaTypes() before connecting to them.
//
//     auto paths = std::make_shared<OutputPathsModel>();
//     paths->AddOrReplace(CL::OutputPath("id-1", "Stage left", "virtual-out-1-2", "Virtual Output 1-2"));
//     combo.setProperty("model", QVariant::fromValue(paths.get()));  // text "path_name", value "path_id"
class OutputPathsModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        PathNameRole = Qt::UserRole + 1,
        PathIdRole,
        PathDeviceNameRole,
        PathDeviceIdRole,
    };

    explicit OutputPathsModel(QObject* parent = nullptr);
    ~OutputPathsModel() override;

    // Made without checking the row or column.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Replaces the whole record of the row by the CL::OutputPath in `value` (whatever the role)
    // and announces it with AddOutputPathSignal; emits no dataChanged. A row outside the records
    // or a value holding no CL::OutputPath returns false and changes nothing.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QHash<int, QByteArray> roleNames() const override;

    // The fields of a row; "" for a row outside the records.
    Q_INVOKABLE QString PathName(std::size_t index) const;
    Q_INVOKABLE QString PathId(std::size_t index) const;
    Q_INVOKABLE QString PathDeviceName(std::size_t index) const;
    Q_INVOKABLE QString PathDeviceId(std::size_t index) const;

    // Replaces the first row with the path's id in place (dataChanged, no add signal), or appends
    // the path as a new row and then announces it with AddOutputPathSignal.
    void AddOrReplace(const CL::OutputPath& path);
    // Announces the row with RemoveOutputPathSignal while it is still there, then removes it. A
    // row outside the records does nothing.
    void RemoveRow(int row);
    // "" for a row outside the records.
    std::string IdAt(int row) const;
    // A default record for a row outside the records.
    CL::OutputPath PathAt(int row) const;

signals:
    void AddOutputPathSignal(const CL::OutputPath& path);
    void RemoveOutputPathSignal(const CL::OutputPath& path);

private:
    bool HasRow(int row) const;
    // A text field of a row; "" for a row outside the records.
    QString Field(std::size_t index, const std::string& (CL::OutputPath::*field)() const) const;

    std::vector<CL::OutputPath> paths_;
};

} // namespace vemo::qt
