#include "lists/list_controller.h"

#include "timeline/document_access.h"

#include <vemo_core/notify.h>

#include <QVariant>

namespace vemo::qt {

ListController::ListController(QObject* view)
    : QmlController(view, nullptr)
    , view(view)
{
}

void ListController::SetCurrentIndex(int row)
{
    view->setProperty("currentIndex", row);
}

int ListController::CurrentIndex() const
{
    return view->property("currentIndex").toInt();
}

void ListController::SelectSilently(int row)
{
    const bool wasBlocked = blockSignals(true);
    view->setProperty("currentIndex", row);
    blockSignals(wasBlocked);
}

void ListController::ReplaceRows(const std::function<void()>& resetModel)
{
    const bool wasBlocked = blockSignals(true);
    view->setProperty("currentIndex", -1);
    resetModel();
    blockSignals(wasBlocked);
}

void ListController::AttachModel(QObject* model,
                                 const std::vector<std::pair<const char*, const char*>>& connections)
{
    view->setProperty("model", QVariant::fromValue(model));
    for (const auto& [signal, slot] : connections)
        ConnectDocument(view, signal, this, slot);
}

void ListController::PublishRow(std::string_view name, int row)
{
    int payload = row;
    notify::callbackDispatcher.Notify(name, &payload);
}

} // namespace vemo::qt
