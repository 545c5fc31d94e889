#pragma once

#include <QAbstractListModel>
#include <QString>

#include <vector>

// One effect of the sound-effect manifest as a list offers it.
struct SfxEntry {
    QString displayName;
    QString effectId;

    bool operator==(const SfxEntry& other) const = default;
};

// The effect choices of a window: rows of (display name, effect id) in the order they were appended.
class SfxListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { EffectIdRole = 257, DisplayNameRole = 258 };

    explicit SfxListModel(QObject* parent = nullptr);

    // Adds one row at the end.
    void append(const SfxEntry& entry);
    // Removes every row, announced as a reset (also when there is none).
    void clear();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    std::vector<SfxEntry> rows_;
};
