#pragma once

#include "app/qml_controller.h"

#include <vemo_core/vemo_event.h>

class QQmlEngine;
class QQuickItem;

namespace vemo::qt {

class EditModel;

// The editor bar's change-log buttons (Edit, Delete, Undo, Redo, Save, Share): keeps them enabled
// from the editor's undo state, the edit model's needs-save and needs-share flags and the edit
// right, publishes the two flags and turns the buttons into requests.
class TimelineEditController : public QmlController {
    Q_OBJECT

public:
    TimelineEditController(EditModel* editModel, QQuickItem* bar, QQmlEngine* engine, bool editRight);

    void MarkChangeLogModified();
    void MarkChangeLogSaved();
    void MarkChangeLogShared();
    // Nothing happens without a change-log editor.
    void UpdateUndoRedoState();
    void UpdateEditDeleteEnabled();
    // Enables or disables Save alone; the flags stay as they are.
    void SetSaveEnabled(bool enabled);

signals:
    void EditButtonSignal(cmn::VemoEvent* event);
    void UndoRedoStateUpdated(bool canUndo, bool canRedo, bool canSave, bool canShare);
    void DeleteRequested();
    void UndoRequested();
    void RedoRequested();

public slots:
    void OnAdminPermissionSet(bool admin);
    void OnEditButton_();
    void OnSaveButton_();
    void OnSaveAndUploadButton_();

private:
    // Disables Save at once; once the save or share has run, the buttons follow the flags again.
    void SaveStarted();
    void SetNeedsSave(bool value);
    void SetNeedsUpload(bool value);

    EditModel* editModel = nullptr;
    bool editRight = false;
    QQuickItem* editButton = nullptr;
    QQuickItem* deleteButton = nullptr;
    QQuickItem* undoButton = nullptr;
    QQuickItem* redoButton = nullptr;
    QQuickItem* saveButton = nullptr;
    QQuickItem* shareButton = nullptr;
};

} // namespace vemo::qt
