#pragma once

#include "lists/event_info_item.h"
#include "lists/list_controller.h"
#include "main_window/edit_model.h"

#include <vemo_core/vemo_event.h>

#include <QAbstractListModel>

#include <memory>
#include <vector>

namespace vemo::qt {

// The current song's change-log events other than markers, in the edit model's order; bar texts
// come from the edit model when a row is read.
class EventListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit EventListModel(EditModel* editModel);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    void Reset(std::vector<EventInfoItem> items);
    EventInfoItem ItemAt(int row) const;
    // The first equal row; -1 when none is.
    int IndexOf(const EventInfoItem& item) const;

private:
    EditModel* editModel;
    std::vector<EventInfoItem> rows;
};

// The event list of the edit panel: announces the chosen event and asks for it to be edited.
class EventListController : public ListController {
    Q_OBJECT

public:
    EventListController(QObject* view, EditModel* editModel, bool includeSfxEvents);
    ~EventListController() override;

    // Rebuilds the rows from the edit model's panel events; afterwards no row is current.
    void Refresh();
    // Selects the event's row without announcing it (-1 when the list lacks it).
    void SelectEvent(const cmn::VemoEvent* event);
    EventListModel& Model() { return *model; }

signals:
    void CurrentItemChangedSignal(EventInfoItem item);
    void EditSelectedItem();

public slots:
    void CurrentItemChanged(int index);
    void EditSelectedItem_();

private:
    EditModel* editModel;
    bool includeSfxEvents;
    std::unique_ptr<EventListModel> model;
};

} // namespace vemo::qt
