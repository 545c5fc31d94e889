#pragma once

#include "lists/list_controller.h"
#include "lists/marker_info_item.h"
#include "main_window/edit_model.h"

#include <vemo_core/vemo_event.h>

#include <QAbstractListModel>

#include <cstdint>
#include <memory>
#include <vector>

namespace vemo::qt {

// The current song's markers sorted by tick (stable: markers at one tick keep their order).
class MarkerListModel : public QAbstractListModel {
    Q_OBJECT

public:
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    void SetItems(std::vector<MarkerInfoItem> items);
    MarkerInfoItem ItemAt(int row) const;
    // The first row denoting the same marker (text and tick); -1 when none does.
    int IndexOf(const MarkerInfoItem& item) const;
    // The row of the last marker at or before `tick`; -1 before the first marker or without markers.
    int IndexForPosition(std::uint32_t tick) const;

private:
    std::vector<MarkerInfoItem> rows;
    std::vector<std::uint32_t> positions;
};

// The marker list of the edit panel: announces the chosen marker and shades the marker last passed.
class MarkerListController : public ListController {
    Q_OBJECT
    Q_PROPERTY(int passedIndex READ passedIndex WRITE setPassedIndex)

public:
    MarkerListController(QObject* view, EditModel* editModel);
    ~MarkerListController() override;

    // Rebuilds the rows from the edit model's markers; afterwards no row is current.
    void Refresh();
    // Selects the row of a marker event without announcing it (-1 when the list lacks it).
    void SelectMarkerForEvent(cmn::VemoEvent* event);
    int IndexForPosition(std::uint32_t tick) const;
    int passedIndex() const { return passed; }
    void setPassedIndex(int index);
    MarkerListModel& Model() { return *model; }

signals:
    void CurrentItemChangedSignal(MarkerInfoItem item);
    void PassedIndexChanged(int index);

public slots:
    void CurrentItemChanged_(int index);

private:
    EditModel* editModel;
    std::unique_ptr<MarkerListModel> model;
    int passed = -1;
};

} // namespace vemo::qt
