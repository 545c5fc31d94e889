#include "shows/changelog_list_model.h"

#include <QDateTime>

#include <algorithm>

namespace vemo::qt {

int ChangelogListModel::rowCount(const QModelIndex&) const
{
    return static_cast<int>(rows_.size());
}

QVariant ChangelogListModel::data(const QModelIndex& index, int role) const
{
    if (index.row() < 0 || index.row() >= rowCount())
        return QVariant();
    switch (role) {
    case VersionRole:
        return versionText(index.row());
    case ModifiedRole:
        return modifiedText(index.row());
    default:
        return QVariant();
    }
}

QHash<int, QByteArray> ChangelogListModel::roleNames() const
{
    return {{VersionRole, "version"}, {ModifiedRole, "modified"}};
}

QString ChangelogListModel::versionText(int row) const
{
    return QString::fromStdString(rows_.at(static_cast<std::size_t>(row)).version().GetAsString());
}

QString ChangelogListModel::modifiedText(int row) const
{
    const auto seconds = static_cast<qint64>(rows_.at(static_cast<std::size_t>(row)).modificationTime());
    return QDateTime::fromSecsSinceEpoch(seconds).toString("MMM dd yyyy hh:mm AP");
}

void ChangelogListModel::addUnique(const CL::ChangeLog& log)
{
    if (std::find(rows_.begin(), rows_.end(), log) != rows_.end())
        return;
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    rows_.push_back(log);
    endInsertRows();
}

void ChangelogListModel::clear()
{
    while (rowCount() > 0)
        removeRowAt(0);
}

void ChangelogListModel::removeRowAt(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

void ChangelogListModel::notifyAllRowsChanged()
{
    if (rows_.empty())
        return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {});
}

void ChangelogListModel::sortByVersion()
{
    std::sort(rows_.begin(), rows_.end(),
              [](const CL::ChangeLog& a, const CL::ChangeLog& b) { return a.version() < b.version(); });
}

} // namespace vemo::qt
