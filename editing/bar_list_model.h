#pragma once

#include <vemo_core/sequence.h>
#include <vemo_core/timeline_records.h>

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QString>

#include <cstdint>
#include <string>

namespace vemo::qt {

// The bars and beats an edit tool offers for the current song: one row per bar label (in order of
// first appearance) with that bar's beat numbers and their ticks. Everything before the earliest
// edit tick is left out, except the last beat before it when no beat falls exactly on it (the
// leading entry, from which in-shifts are measured).
class BarListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { BarRole = Qt::UserRole + 1, BeatsRole, TimesRole };

    // A null sequence leaves the model empty.
    BarListModel(QObject* parent, const TL::TimelineSequence<TL::BarsBeats>* barsBeats, std::uint32_t minimumTick);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The beat numbers of row `index` (QList<uint>); an empty list for a row outside the model.
    Q_INVOKABLE QVariant getBeats(int index) const;
    // The tick of beat number `beat` in bar `bar`; a beat the bar lacks gives its first listed tick,
    // a bar outside the model 0.
    Q_INVOKABLE QVariant getTime(const std::string& bar, int beat) const;

    std::uint32_t LeadingTick() const { return leadingTick; }
    const QString& LeadingBar() const { return leadingBar; }
    std::uint32_t LeadingBeat() const { return leadingBeat; }
    // The bar label of row `row`; empty outside the model.
    QString BarAt(int row) const;
    // The first row labelled `bar`; -1 when none is.
    int RowOf(const QString& bar) const;
    // Whether the leading entry is still one of the model's beats.
    bool HoldsLeadingEntry() const;

private:
    void Append(const TL::BarsBeats& record);
    void InsertLeading(const TL::BarsBeats& record);
    bool ValidRow(int row) const { return row >= 0 && row < bars.size(); }

    bool hasLeading = false;
    std::uint32_t leadingTick = 0;
    QString leadingBar;
    std::uint32_t leadingBeat = 0;
    QList<QString> bars;
    QList<QList<uint>> beats;
    QHash<QString, QList<uint>> times;
};

} // namespace vemo::qt
