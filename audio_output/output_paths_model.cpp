#include "audio_output/output_paths_model.h"

#include <algorithm>

namespace vemo::qt {
namespace {

QString Text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

} // namespace

OutputPathsModel::OutputPathsModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

OutputPathsModel::~OutputPathsModel() = default;

QModelIndex OutputPathsModel::index(int row, int column, const QModelIndex&) const
{
    return createIndex(row, column);
}

int OutputPathsModel::rowCount(const QModelIndex&) const
{
    return static_cast<int>(paths_.size());
}

QVariant OutputPathsModel::data(const QModelIndex& index, int role) const
{
    if (!HasRow(index.row())) {
        return {};
    }
    const CL::OutputPath& path = paths_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case PathNameRole:
        return Text(path.GetName());
    case PathIdRole:
        return Text(path.GetId());
    case PathDeviceNameRole:
        return Text(path.GetDeviceName());
    case PathDeviceIdRole:
        return Text(path.GetDeviceId());
    default:
        return {};
    }
}

bool OutputPathsModel::setData(const QModelIndex& index, const QVariant& value, int)
{
    // A stray value would hand the player an empty path.
    if (!HasRow(index.row()) || value.metaType() != QMetaType::fromType<CL::OutputPath>()) {
        return false;
    }
    const auto path = value.value<CL::OutputPath>();
    paths_[static_cast<std::size_t>(index.row())] = path;
    emit AddOutputPathSignal(path);
    return true;
}

QHash<int, QByteArray> OutputPathsModel::roleNames() const
{
    return {{PathNameRole, "path_name"},
            {PathIdRole, "path_id"},
            {PathDeviceNameRole, "path_device_name"},
            {PathDeviceIdRole, "path_device_id"}};
}

QString OutputPathsModel::PathName(std::size_t index) const
{
    return Field(index, &CL::OutputPath::GetName);
}

QString OutputPathsModel::PathId(std::size_t index) const
{
    return Field(index, &CL::OutputPath::GetId);
}

QString OutputPathsModel::PathDeviceName(std::size_t index) const
{
    return Field(index, &CL::OutputPath::GetDeviceName);
}

QString OutputPathsModel::PathDeviceId(std::size_t index) const
{
    return Field(index, &CL::OutputPath::GetDeviceId);
}

void OutputPathsModel::AddOrReplace(const CL::OutputPath& path)
{
    const auto found = std::find_if(paths_.begin(), paths_.end(),
                                    [&](const CL::OutputPath& row) { return row.GetId() == path.GetId(); });
    if (found != paths_.end()) {
        *found = path;
        const QModelIndex changed = index(static_cast<int>(found - paths_.begin()), 0);
        emit dataChanged(changed, changed);
        return;
    }
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    paths_.push_back(path);
    endInsertRows();
    emit AddOutputPathSignal(path);
}

void OutputPathsModel::RemoveRow(int row)
{
    if (!HasRow(row)) {
        return;
    }
    const CL::OutputPath leaving = paths_[static_cast<std::size_t>(row)];
    emit RemoveOutputPathSignal(leaving);
    // A receiver may have changed the rows meanwhile.
    if (!HasRow(row)) {
        return;
    }
    beginRemoveRows(QModelIndex(), row, row);
    paths_.erase(paths_.begin() + row);
    endRemoveRows();
}

std::string OutputPathsModel::IdAt(int row) const
{
    return HasRow(row) ? paths_[static_cast<std::size_t>(row)].GetId() : std::string();
}

CL::OutputPath OutputPathsModel::PathAt(int row) const
{
    return HasRow(row) ? paths_[static_cast<std::size_t>(row)] : CL::OutputPath();
}

bool OutputPathsModel::HasRow(int row) const
{
    return row >= 0 && row < rowCount();
}

QString OutputPathsModel::Field(std::size_t index, const std::string& (CL::OutputPath::*field)() const) const
{
    return index < paths_.size() ? Text((paths_[index].*field)()) : QString();
}

} // namespace vemo::qt
