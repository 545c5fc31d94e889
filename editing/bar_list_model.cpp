#include "editing/bar_list_model.h"

#include <optional>

namespace vemo::qt {

BarListModel::BarListModel(QObject* parent, const TL::TimelineSequence<TL::BarsBeats>* barsBeats,
                           std::uint32_t minimumTick)
    : QAbstractListModel(parent)
{
    if (barsBeats == nullptr)
        return;
    std::optional<TL::BarsBeats> leading;
    bool beatOnMinimum = false;
    for (const TL::BarsBeats& record : *barsBeats) {
        if (record.tick < minimumTick) {
            leading = record;
            continue;
        }
        if (record.tick == minimumTick)
            beatOnMinimum = true;
        Append(record);
    }
    if (!beatOnMinimum && leading)
        InsertLeading(*leading);
}

void BarListModel::Append(const TL::BarsBeats& record)
{
    const QString bar = QString::fromStdString(record.bar_number());
    if (!bars.contains(bar)) {
        bars.append(bar);
        beats.append(QList<uint>());
    }
    beats[bars.indexOf(bar)].append(static_cast<uint>(record.beat));
    times[bar].append(record.tick);
}

void BarListModel::InsertLeading(const TL::BarsBeats& record)
{
    hasLeading = true;
    leadingTick = record.tick;
    leadingBar = QString::fromStdString(record.bar_number());
    leadingBeat = static_cast<std::uint32_t>(record.beat);
    if (!bars.contains(leadingBar)) {
        bars.prepend(leadingBar);
        beats.prepend(QList<uint>());
    }
    beats[bars.indexOf(leadingBar)].prepend(leadingBeat);
    times[leadingBar].prepend(leadingTick);
}

int BarListModel::rowCount(const QModelIndex&) const
{
    return static_cast<int>(bars.size());
}

QVariant BarListModel::data(const QModelIndex& index, int role) const
{
    const int row = index.row();
    if (!index.isValid() || !ValidRow(row))
        return {};
    switch (role) {
    case BarRole:
        return bars[row];
    case BeatsRole:
        return beats[row].isEmpty() ? QVariant() : QVariant::fromValue(beats[row].first());
    case TimesRole:
        return QVariant::fromValue(times.value(bars[row]));
    default:
        return {};
    }
}

QHash<int, QByteArray> BarListModel::roleNames() const
{
    return {{BarRole, "bar"}, {BeatsRole, "beats"}, {TimesRole, "times"}};
}

QVariant BarListModel::getBeats(int index) const
{
    return QVariant::fromValue(ValidRow(index) ? beats[index] : QList<uint>{});
}

QVariant BarListModel::getTime(const std::string& bar, int beat) const
{
    const int row = RowOf(QString::fromStdString(bar));
    if (row < 0)
        return QVariant::fromValue(0u);
    const QList<uint>& rowBeats = beats[row];
    const qsizetype found = rowBeats.indexOf(static_cast<uint>(beat));
    const qsizetype position = found >= 0 ? found : rowBeats.size();
    const QList<uint> ticks = times.value(bars[row]);
    if (ticks.isEmpty())
        return QVariant::fromValue(0u);
    return QVariant::fromValue(position < ticks.size() ? ticks[position] : ticks.first());
}

QString BarListModel::BarAt(int row) const
{
    return ValidRow(row) ? bars[row] : QString();
}

int BarListModel::RowOf(const QString& bar) const
{
    return static_cast<int>(bars.indexOf(bar));
}

bool BarListModel::HoldsLeadingEntry() const
{
    const int row = hasLeading ? RowOf(leadingBar) : -1;
    return row >= 0 && beats[row].contains(leadingBeat);
}

} // namespace vemo::qt
