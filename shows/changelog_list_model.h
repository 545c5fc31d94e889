#pragma once

#include <vemo_core/change_log.h>

#include <QAbstractListModel>

#include <vector>

namespace vemo::qt {

// Event-log versions of one list of the "Event Log Manager": each row a version and its
// modification time, as the roles "version" and "modified".
class ChangelogListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { VersionRole = Qt::UserRole + 1, ModifiedRole };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    QString versionText(int row) const;
    // Local time as "MMM dd yyyy hh:mm AP" (English month, "AM"/"PM").
    QString modifiedText(int row) const;
    // Appends a copy unless a log of the same version is listed.
    void addUnique(const CL::ChangeLog& log);
    // One removal of row 0 per row.
    void clear();
    void removeRowAt(int row);
    // Every row may have changed; nothing is emitted while there are no rows.
    void notifyAllRowsChanged();
    // Ascending by version; emits nothing.
    void sortByVersion();

private:
    std::vector<CL::ChangeLog> rows_;
};

} // namespace vemo::qt

