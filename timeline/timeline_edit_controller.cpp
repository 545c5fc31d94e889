#include "timeline/timeline_edit_controller.h"

#include "main_window/edit_model.h"
#include "timeline/document_access.h"

#include <vemo_core/notify.h>

#include <QMetaObject>
#include <QQuickItem>

namespace vemo::qt {

namespace {

void Enable(QQuickItem* button, bool enabled)
{
    if (button != nullptr)
        button->setProperty("enabled", enabled);
}

} // namespace

TimelineEditController::TimelineEditController(EditModel* model, QQuickItem* bar, QQmlEngine* qmlEngine,
                                               bool right)
    : QmlController(bar, qmlEngine)
    , editModel(model)
    , editRight(right)
    , editButton(ItemProperty(bar, "editButtonControl"))
    , deleteButton(ItemProperty(bar, "deleteButtonControl"))
    , undoButton(ItemProperty(bar, "undoButtonControl"))
    , redoButton(ItemProperty(bar, "redoButtonControl"))
    , saveButton(ItemProperty(bar, "saveControl"))
    , shareButton(ItemProperty(bar, "shareControl"))
{
    UpdateEditDeleteEnabled();
    ConnectDocument(bar, SIGNAL(editButton()), this, SLOT(OnEditButton_()));
    ConnectDocument(bar, SIGNAL(deleteButton()), this, SIGNAL(DeleteRequested()));
    ConnectDocument(bar, SIGNAL(undoButton()), this, SIGNAL(UndoRequested()));
    ConnectDocument(bar, SIGNAL(redoButton()), this, SIGNAL(RedoRequested()));
    ConnectDocument(bar, SIGNAL(saveButton()), this, SLOT(OnSaveButton_()));
    ConnectDocument(bar, SIGNAL(shareButton()), this, SLOT(OnSaveAndUploadButton_()));
}

void TimelineEditController::SetNeedsSave(bool value)
{
    editModel->needsSave = value;
    notify::callbackDispatcher.Notify(notify::names::editModelChangeLogNeedsSave, &editModel->needsSave);
}

void TimelineEditController::SetNeedsUpload(bool value)
{
    editModel->needsUpload = value;
    notify::callbackDispatcher.Notify(notify::names::editModelChangeLogNeedsUpload, &editModel->needsUpload);
}

void TimelineEditController::MarkChangeLogModified()
{
    SetNeedsSave(true);
    SetNeedsUpload(true);
    UpdateUndoRedoState();
}

void TimelineEditController::MarkChangeLogSaved()
{
    SetNeedsSave(false);
    UpdateUndoRedoState();
}

void TimelineEditController::MarkChangeLogShared()
{
    SetNeedsSave(false);
    SetNeedsUpload(false);
    UpdateUndoRedoState();
}

void TimelineEditController::UpdateUndoRedoState()
{
    if (!editModel->showManager)
        return;
    const CL::Editor* editor = editModel->showManager->GetEditor();
    if (editor == nullptr)
        return;
    const bool canRedo = editor->CanRedo() && editRight;
    const bool canUndo = editor->CanUndo() && editRight;
    const bool canSave = editModel->needsSave && editRight;
    const bool canShare = editModel->needsUpload && editRight;
    Enable(redoButton, canRedo);
    Enable(undoButton, canUndo);
    Enable(saveButton, canSave);
    Enable(shareButton, canShare);
    emit UndoRedoStateUpdated(canUndo, canRedo, canSave, canShare);
}

void TimelineEditController::UpdateEditDeleteEnabled()
{
    const bool enabled = editRight && editModel->selectedEvent != nullptr;
    Enable(editButton, enabled);
    Enable(deleteButton, enabled);
}

void TimelineEditController::SetSaveEnabled(bool enabled)
{
    Enable(saveButton, enabled);
}

void TimelineEditController::OnAdminPermissionSet(bool admin)
{
    editRight = admin;
    UpdateUndoRedoState();
    UpdateEditDeleteEnabled();
}

void TimelineEditController::OnEditButton_()
{
    emit EditButtonSignal(editModel->selectedEvent);
}

void TimelineEditController::SaveStarted()
{
    Enable(saveButton, false);
    QMetaObject::invokeMethod(this, [this] { UpdateUndoRedoState(); }, Qt::QueuedConnection);
}

void TimelineEditController::OnSaveButton_()
{
    SaveStarted();
}

void TimelineEditController::OnSaveAndUploadButton_()
{
    SaveStarted();
}

} // namespace vemo::qt
