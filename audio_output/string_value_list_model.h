#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>

// One choice of a combo box: the name shown and the number handed back.
struct StringValueItem {
    QString displayName;
    int value = 0;
};

// Names with integer values for combo boxes (`textRole: "displayname"`, `valueRole: "value"`).
// The list only grows; a caller that needs other choices builds a new model.
class StringValueListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { ValueRole = Qt::UserRole + 1, DisplayNameRole };

    explicit StringValueListModel(QObject* parent = nullptr);
    ~StringValueListModel() override;

    void Append(const StringValueItem& item);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    QList<StringValueItem> items;
};
