#pragma once

#include "app/qml_controller.h"
#include "editing/sfx_list_model.h"

#include <vemo_core/events.h>
#include <vemo_player_core/interface.h>

#include <QString>
#include <QVariantList>

#include <memory>
#include <vector>

namespace vemo::qt {

class OutputPathsModel;

// The dialog that creates a sound-effect instance of the show from one of the manifest's effects,
// or changes or deletes instances. Every change is announced with soundEffectsChanged(), which also
// tells the sound-effect library to look at the instances again.
class StandaloneSFXToolController : public QmlController {
    Q_OBJECT
    Q_PROPERTY(QVariantList soundEffects READ soundEffects CONSTANT)

public:
    StandaloneSFXToolController(QQmlEngine* engine, std::shared_ptr<Interface> player, QObject* parent = nullptr);
    ~StandaloneSFXToolController() override;

    // Opens the dialog on the instance being edited, or, with none, for a new instance of the
    // effect (an empty id chooses the first effect).
    void OpenForEdit(const QString& effectId);
    // The effect ids of the manifest's effects, in the dialog's order.
    QVariantList soundEffects() const;

signals:
    void toolClosing();
    void soundEffectsChanged();
    void soundEffectEdited();

public slots:
    void onCreationRequest(QString name, QString outputPath, int outputPathIndex, QString effectId, int effectIdIndex,
                           double volume, double pan, int reverb, int fadeIn, int fadeOut, int repeats);
    void onChangeRequest(QString name, QString outputPath, int outputPathIndex, QString effectId, int effectIdIndex,
                         double volume, double pan, int reverb, int fadeIn, int fadeOut, int repeats);
    void onDeleteInstanceRequest(QString eventId);
    void onEditInstanceRequest(QString eventId);
    void onToolClosing();

private:
    void OpenForCreate(const QString& effectId);
    void LoadSfxManifest();
    void SelectEffect(const QString& effectId);
    void SetWindowProperty(const char* name, const QVariant& value);
    CL::Editor* Editor() const;

    std::shared_ptr<Interface> player_;
    SfxListModel effectModel_;
    CL::Sfx* editing_ = nullptr;
    std::shared_ptr<OutputPathsModel> outputPathsModel_;
    std::vector<SfxEntry> entries_;
};

}  // namespace vemo::qt
