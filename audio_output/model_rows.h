#pragma once

#include <QAbstractItemModel>

namespace vemo::qt {

// True when `index` addresses one of the `rowCount` rows of `model`: valid, made by that very model
// and below the row count. Indexes of other models, or left over from a larger model, give false.
inline bool IsRowOf(const QAbstractItemModel& model, const QModelIndex& index, qsizetype rowCount)
{
    return index.isValid() && index.model() == &model && index.row() < rowCount;
}

} // namespace vemo::qt
