#include "lists/marker_list.h"

#include <vemo_core/events.h>
#include <vemo_core/notify.h>

#include <algorithm>

namespace vemo::qt {

namespace {

enum MarkerRole { NameRole = Qt::UserRole + 1, LocationRole };

} // namespace

int MarkerListModel::rowCount(const QModelIndex&) const
{
    return static_cast<int>(rows.size());
}

QVariant MarkerListModel::data(const QModelIndex& index, int role) const
{
    const MarkerInfoItem* row = index.isValid() ? RowAt(rows, index.row()) : nullptr;
    if (row == nullptr)
        return {};
    switch (role) {
    case NameRole:
        return QString::fromStdString(row->name);
    case LocationRole:
        return QString::fromStdString(row->location);
    default:
        return {};
    }
}

QHash<int, QByteArray> MarkerListModel::roleNames() const
{
    return {{NameRole, "name"}, {LocationRole, "location"}};
}

void MarkerListModel::SetItems(std::vector<MarkerInfoItem> items)
{
    beginResetModel();
    rows = std::move(items);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const MarkerInfoItem& a, const MarkerInfoItem& b) { return a.position < b.position; });
    positions.clear();
    for (const MarkerInfoItem& row : rows)
        positions.push_back(row.position);
    endResetModel();
}

MarkerInfoItem MarkerListModel::ItemAt(int row) const
{
    return CopyOfRow(rows, row);
}

int MarkerListModel::IndexOf(const MarkerInfoItem& item) const
{
    const auto found = std::find(rows.begin(), rows.end(), item);
    return found != rows.end() ? static_cast<int>(found - rows.begin()) : -1;
}

int MarkerListModel::IndexForPosition(std::uint32_t tick) const
{
    const auto after = std::upper_bound(positions.begin(), positions.end(), tick);
    return static_cast<int>(after - positions.begin()) - 1;
}

MarkerListController::MarkerListController(QObject* view, EditModel* editModel)
    : ListController(view)
    , editModel(editModel)
    , model(std::make_unique<MarkerListModel>())
{
    Refresh();
    AttachModel(model.get(), {{SIGNAL(currentItemChanged(int)), SLOT(CurrentItemChanged_(int))}});
}

MarkerListController::~MarkerListController() = default;

void MarkerListController::Refresh()
{
    ReplaceRows([this] {
        std::vector<MarkerInfoItem> items;
        for (const auto& [event, bar] : editModel->RefreshMarkers())
            items.emplace_back(event->value(), bar, event->abs_time());
        model->SetItems(std::move(items));
    });
}

void MarkerListController::SelectMarkerForEvent(cmn::VemoEvent* event)
{
    const int row = event != nullptr ? model->IndexOf(MarkerInfoItem::FromMarker(CL::Marker(*event))) : -1;
    SelectSilently(row);
}

int MarkerListController::IndexForPosition(std::uint32_t tick) const
{
    return model->IndexForPosition(tick);
}

void MarkerListController::setPassedIndex(int index)
{
    if (index == passed)
        return;
    passed = index;
    view->setProperty("passedIndex", index);
}

void MarkerListController::CurrentItemChanged_(int index)
{
    if (index < 0)
        return;
    PublishRow(notify::names::EVT_MARKER_PANEL_SELECTED, index);
    emit CurrentItemChangedSignal(model->ItemAt(index));
}

} // namespace vemo::qt
