#pragma once

#include "app/qml_controller.h"
#include "editing/sfx_list_model.h"
#include "sfx/sfx_instance_list_model.h"

#include <fonexa/sfx_dto.h>
#include <fonexa/sfx_manifest.h>
#include <vemo_core/events.h>
#include <vemo_player_core/interface.h>

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QVariant>

#include <memory>
#include <utility>
#include <vector>

namespace vemo::qt {

class StandaloneSFXToolController;

// The "SFX Manager" window: the manifest's effects, the show's sound-effect instances of the chosen
// effect (or all of them), auditions, and the instance editor for creating, changing and deleting
// instances. The main window makes it once and hands it each show's player; the window itself is made
// by the first Show() and then kept, hidden when closed. The instance editor's window too is made when
// first needed, for the current player.
class SfxManagerToolController : public QmlController {
    Q_OBJECT

public:
    SfxManagerToolController(QQmlEngine* engine, const QUrl& url, std::shared_ptr<Interface> player, QObject* parent,
                             bool ownsWindow);
    ~SfxManagerToolController() override;

    // A new show's player: the previous show's instance editor goes, the instances are rebuilt
    // once (soundEffectsUpdated()) and the sound-effect library is told, as after any change of them.
    void SetPlayerInterface(std::shared_ptr<Interface> player);
    // The previous show's player goes away: no editor and no player until the next one.
    void ClearPlayerInterface();
    void Show();
    // Null until the first Show().
    QObject* Window() { return QmlObject(); }

    // The instance editor of the current player; none until an instance is added, edited or
    // deleted, and none again after the player changes.
    StandaloneSFXToolController* InstanceEditor() const { return editor_.get(); }

signals:
    void deleteInstanceRequest(QString eventId);
    void editInstanceRequest(QString eventId);
    void soundEffectsUpdated();

public slots:
    void onPlaySfx(QString eventId);
    void onStopSfx(QString eventId);
    void onSfxFinished(QString eventId);
    void onSoundEffectSelected(QVariant row);
    void onAddSoundEffectInstanceClicked(QString effectId);
    void onEditSoundEffectInstanceClicked(QString eventId);
    void onDeleteSoundEffectInstanceClicked(QString eventId);
    void onSfxListUpdate();
    void onSfxIsReady(QString effectPath);
    void onShowLoaded();

private:
    void ConnectLibrary();
    void MakeWindow();
    StandaloneSFXToolController& RequireEditor();
    void LoadSfxManifest();
    void BuildInstanceList();
    void AppendInstance(const CL::Sfx& event, const vemo::sfx::SfxManifest& manifest);
    void SetWindowProperty(const char* name, const QVariant& value);
    void ReportUnplayable(const QString& eventId);

    const QUrl url_;
    const QPointer<QObject> windowParent_;
    const bool ownsWindow_;
    std::vector<std::shared_ptr<audio::sfx::SfxDto>> records_;
    audio::SfxInstanceListModel instanceModel_;
    SfxListModel effectsModel_;
    std::unique_ptr<std::pair<QString, QString>> filter_;  // (display name, effect id); none lists all
    std::shared_ptr<Interface> player_;
    std::unique_ptr<StandaloneSFXToolController> editor_;
};

}  // namespace vemo::qt
