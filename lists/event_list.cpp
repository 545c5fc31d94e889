#include "lists/event_list.h"

#include <vemo_core/codes.h>
#include <vemo_core/notify.h>

#include <algorithm>

namespace vemo::qt {

namespace {

enum EventRole { InRole = Qt::UserRole + 1, OutRole, TypeRole, CountRole };

} // namespace

EventListModel::EventListModel(EditModel* editModel)
    : editModel(editModel)
{
}

int EventListModel::rowCount(const QModelIndex&) const
{
    return static_cast<int>(rows.size());
}

QVariant EventListModel::data(const QModelIndex& index, int role) const
{
    const EventInfoItem* row = index.isValid() ? RowAt(rows, index.row()) : nullptr;
    if (row == nullptr)
        return {};
    switch (role) {
    case InRole:
        return QString::fromStdString(editModel->GetBarString(row->start));
    case OutRole:
        return row->paired ? QString::fromStdString(editModel->GetBarString(row->end)) : QStringLiteral("-");
    case TypeRole:
        return EventTypeName(row->code);
    case CountRole:
        return row->count;
    default:
        return {};
    }
}

QHash<int, QByteArray> EventListModel::roleNames() const
{
    return {{InRole, "in"}, {OutRole, "out"}, {TypeRole, "type"}, {CountRole, "count"}};
}

void EventListModel::Reset(std::vector<EventInfoItem> items)
{
    beginResetModel();
    rows = std::move(items);
    endResetModel();
}

EventInfoItem EventListModel::ItemAt(int row) const
{
    return CopyOfRow(rows, row);
}

int EventListModel::IndexOf(const EventInfoItem& item) const
{
    const auto found = std::find(rows.begin(), rows.end(), item);
    return found != rows.end() ? static_cast<int>(found - rows.begin()) : -1;
}

EventListController::EventListController(QObject* view, EditModel* editModel, bool includeSfxEvents)
    : ListController(view)
    , editModel(editModel)
    , includeSfxEvents(includeSfxEvents)
    , model(std::make_unique<EventListModel>(editModel))
{
    Refresh();
    AttachModel(model.get(), {{SIGNAL(currentItemChanged(int)), SLOT(CurrentItemChanged(int))},
                              {SIGNAL(editSelectedItem()), SLOT(EditSelectedItem_())}});
}

EventListController::~EventListController() = default;

void EventListController::Refresh()
{
    ReplaceRows([this] {
        std::vector<EventInfoItem> items;
        for (const auto& event : editModel->ChangeLogPanelEvents()) {
            const bool sfx = event->code() == codes::kSfx || event->code() == codes::kSfxAmbient;
            if (includeSfxEvents || !sfx)
                items.push_back(MakeEventInfoItem(*event));
        }
        model->Reset(std::move(items));
    });
}

void EventListController::SelectEvent(const cmn::VemoEvent* event)
{
    SelectSilently(event != nullptr ? model->IndexOf(MakeEventInfoItem(*event)) : -1);
}

void EventListController::CurrentItemChanged(int index)
{
    if (index < 0)
        return;
    PublishRow(notify::names::EVT_CHANGE_LOG_PANEL_SELECTED, index);
    emit CurrentItemChangedSignal(model->ItemAt(index));
}

void EventListController::EditSelectedItem_()
{
    emit EditSelectedItem();
}

} // namespace vemo::qt
