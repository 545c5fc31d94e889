#pragma once

#include "app/qml_controller.h"

#include <functional>
#include <string_view>
#include <vector>

namespace vemo::qt {

// What the song, marker and event lists share: a controller around a list view that the edit panel
// document holds (never owned), writing the view's current row plainly or silently.
class ListController : public QmlController {
    Q_OBJECT

public:
    explicit ListController(QObject* view);

    // Writes the view's current row as a click would: the view reports it, and this controller's
    // signals announce it. The current row written again changes nothing.
    void SetCurrentIndex(int row);
    int CurrentIndex() const;

protected:
    // Writes the view's current row with this controller's signals blocked: the view still reports
    // it to the slots, but the controller's own signals stay quiet.
    void SelectSilently(int row);
    // Replaces the rows silently: the view loses its current row first, then `resetModel` runs.
    void ReplaceRows(const std::function<void()>& resetModel);
    // Hands the model to the view, then connects the view's signals (signature pairs) to this
    // controller's slots; a refused connection is reported on standard error.
    void AttachModel(QObject* model, const std::vector<std::pair<const char*, const char*>>& connections);
    // Publishes a row to the in-process notification dispatcher, valid during the call.
    static void PublishRow(std::string_view name, int row);

    QObject* view;
};

// The row at `row` of `rows`, or null when there is none.
template <typename Row>
const Row* RowAt(const std::vector<Row>& rows, int row)
{
    return row >= 0 && row < static_cast<int>(rows.size()) ? &rows[static_cast<std::size_t>(row)] : nullptr;
}

// A copy of the row at `row`, or the empty record.
template <typename Row>
Row CopyOfRow(const std::vector<Row>& rows, int row)
{
    const Row* found = RowAt(rows, row);
    return found != nullptr ? *found : Row{};
}

} // namespace vemo::qt
