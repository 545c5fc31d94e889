#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>

#include <memory>

// One row of a DualRoledListModel: two display texts and an integer value.
class DualRoleItem {
public:
    virtual ~DualRoleItem() = default;
    virtual QString First() const { return first; }
    virtual QString Second() const { return second; }

    QString first;
    QString second;
    int value = 0;
};

// A list of rows shown in two columns (roles "first" and "second") with an integer "value".
// QML reads any role of a row by name with dataStr() and deletes rows with removeRows().
class DualRoledListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { ValueRole = Qt::UserRole + 1, FirstRole, SecondRole };

    explicit DualRoledListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QHash<int, QByteArray> roleNames() const override;

    // Removes rows row to row + count - 1. A range that is not inside the list changes nothing
    // and gives false.
    Q_INVOKABLE bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    // The role named `role` (exactly, case-sensitive; the display role when no role has that name)
    // of row `index`; invalid for a row outside the list.
    Q_INVOKABLE QVariant dataStr(int index, QString role) const;

    void Append(std::shared_ptr<DualRoleItem> item);

protected:
    // The row's item, or null for a row outside the list.
    DualRoleItem* Item(int row) const;

private:
    QList<std::shared_ptr<DualRoleItem>> items_;
};
