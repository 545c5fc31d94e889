#include "sfx/sfx_manager_tool_controller.h"

#include "sfx/sfx_manager_effects.h"
#include "sfx/standalone_sfx_tool_controller.h"

#include <fonexa/sfx_mediator.h>
#include <fonexa/sfx_player.h>

#include <QMetaObject>
#include <QQuickWindow>

#include <iostream>

namespace vemo::qt {
namespace {

const QString kAllInstances = QStringLiteral("View All Instances");

}  // namespace

SfxManagerToolController::SfxManagerToolController(QQmlEngine* engine, const QUrl& url,
                                                   std::shared_ptr<Interface> player, QObject* parent,
                                                   bool ownsWindow)
    : QmlController(engine), url_(url), windowParent_(parent), ownsWindow_(ownsWindow), player_(std::move(player))
{
    ConnectLibrary();
    try {
        LoadSfxManifest();
    } catch (const std::exception& error) {
        std::cerr << "Error populating SFX Vector in SFX Manager Tool Controller: " << error.what() << ".\n";
    }
}

SfxManagerToolController::~SfxManagerToolController()
{
    // The window is deleted later than the models: it must not hold them past this point.
    SetWindowProperty("availableSoundEffectsModel", QVariant::fromValue<QObject*>(nullptr));
    SetWindowProperty("soundEffectInstancesModel", QVariant::fromValue<QObject*>(nullptr));
    editor_.reset();
}

void SfxManagerToolController::SetWindowProperty(const char* name, const QVariant& value)
{
    if (QObject* window = QmlObject())
        window->setProperty(name, value);
}

// The window is made hidden, with the models as they stand; later changes reach it through them.
void SfxManagerToolController::MakeWindow()
{
    CreateRoot(url_, windowParent_, ownsWindow_, {});
    QObject* window = QmlObject();
    if (!window)
        return;
    connect(window, SIGNAL(playSfx(QString)), this, SLOT(onPlaySfx(QString)));
    connect(window, SIGNAL(stopSfx(QString)), this, SLOT(onStopSfx(QString)));
    connect(window, SIGNAL(soundEffectSelected(QVariant)), this, SLOT(onSoundEffectSelected(QVariant)));
    connect(window, SIGNAL(addSoundEffectInstanceClicked(QString)), this,
            SLOT(onAddSoundEffectInstanceClicked(QString)));
    connect(window, SIGNAL(deleteSoundEffectInstanceClicked(QString)), this,
            SLOT(onDeleteSoundEffectInstanceClicked(QString)));
    connect(window, SIGNAL(editSoundEffectInstanceClicked(QString)), this,
            SLOT(onEditSoundEffectInstanceClicked(QString)));
    window->setProperty("visible", false);
    window->setProperty("availableSoundEffectsModel", QVariant::fromValue<QObject*>(&effectsModel_));
    window->setProperty("soundEffectInstancesModel", QVariant::fromValue<QObject*>(&instanceModel_));
}

void SfxManagerToolController::ConnectLibrary()
{
    auto* library = audio::SfxPlayerControllerImpl::instance(std::make_unique<audio::ChangeLogSfxRepository>());
    connect(library, &audio::SfxPlayerControllerImpl::sfxIsReady, this, &SfxManagerToolController::onSfxIsReady);
}

StandaloneSFXToolController& SfxManagerToolController::RequireEditor()
{
    if (!editor_) {
        editor_ = std::make_unique<StandaloneSFXToolController>(engine, player_);
        connect(editor_.get(), &StandaloneSFXToolController::soundEffectsChanged, this,
                &SfxManagerToolController::onSfxListUpdate);
        connect(this, &SfxManagerToolController::deleteInstanceRequest, editor_.get(),
                &StandaloneSFXToolController::onDeleteInstanceRequest);
        connect(this, &SfxManagerToolController::editInstanceRequest, editor_.get(),
                &StandaloneSFXToolController::onEditInstanceRequest);
    }
    return *editor_;
}

void SfxManagerToolController::SetPlayerInterface(std::shared_ptr<Interface> player)
{
    player_ = std::move(player);
    // The previous show's editor holds its player: the next use makes one for this player.
    editor_.reset();
    // What every change of the instances does (the editor's soundEffectsChanged()): the library
    // looks at them again, then the list is rebuilt.
    audio::SfxPlayerConnectionMediator::instance()->onSoundEffectsChanged();
    onSfxListUpdate();
}

void SfxManagerToolController::ClearPlayerInterface()
{
    editor_.reset();
    player_.reset();
}

void SfxManagerToolController::Show()
{
    if (!QmlObject())
        MakeWindow();
    SetVisible(true);
    BuildInstanceList();
    if (auto* window = qobject_cast<QQuickWindow*>(QmlObject())) {
        window->requestActivate();
        window->raise();
    }
}

void SfxManagerToolController::onShowLoaded()
{
    try {
        LoadSfxManifest();
        BuildInstanceList();
    } catch (const std::exception& error) {
        std::cerr << "Cannot reload the sound effects after the show load: " << error.what() << std::endl;
    }
}

void SfxManagerToolController::LoadSfxManifest()
{
    effectsModel_.clear();
    const auto entries = ReadManagerSfxEntries();
    effectsModel_.append({kAllInstances, QString()});
    for (const SfxEntry& entry : entries)
        effectsModel_.append(entry);
    SetWindowProperty("availableSoundEffectsModel", QVariant::fromValue<QObject*>(&effectsModel_));
}

void SfxManagerToolController::BuildInstanceList()
{
    records_.clear();
    instanceModel_.clear();
    const vemo::sfx::SfxManifest manifest;
    if (player_) {
        for (const auto& event : player_->GetChangeLogSoundEffects()) {
            if (event)
                AppendInstance(*event, manifest);
        }
    }
    SetWindowProperty("soundEffectInstancesModel", QVariant::fromValue<QObject*>(&instanceModel_));
}

void SfxManagerToolController::AppendInstance(const CL::Sfx& event, const vemo::sfx::SfxManifest& manifest)
{
    const CL::SfxProperties properties = event.sfx_properties();
    const std::string& effectId = properties.effectId();
    if (!manifest.HasEffectId(effectId))
        return;
    const auto path = manifest.path(effectId);
    if (!path) {
        std::cerr << "Sound-effect instance " << event.EventId() << " is not listed: effect " << effectId
                  << " has no file" << std::endl;
        return;
    }
    auto record = audio::sfx::SfxDto::builder()
                      .name(properties.name())
                      .effectId(effectId)
                      .effectPath(*path)
                      .type(manifest.type(effectId).value_or(audio::SfxType::Primary))
                      .volume(properties.volume())
                      .repeats(properties.repeats())
                      .pan(properties.pan())
                      .reverb(properties.reverb())
                      .fadeIn(properties.fadeIn())
                      .fadeOut(properties.fadeOut())
                      .eventId(event.EventId())
                      .buildShared();
    records_.push_back(record);
    if (!filter_ || filter_->second.toStdString() == effectId)
        instanceModel_.append(record, manifest.displayName(effectId).value_or(std::string()));
}

void SfxManagerToolController::onSoundEffectSelected(QVariant row)
{
    const QModelIndex index = effectsModel_.index(row.toInt(), 0);
    const QString name = effectsModel_.data(index, SfxListModel::DisplayNameRole).toString();
    const QString effectId = effectsModel_.data(index, SfxListModel::EffectIdRole).toString();
    if (name == kAllInstances)
        filter_.reset();
    else
        filter_ = std::make_unique<std::pair<QString, QString>>(name, effectId);
    BuildInstanceList();
}

void SfxManagerToolController::onAddSoundEffectInstanceClicked(QString effectId)
{
    RequireEditor().OpenForEdit(effectId);
}

void SfxManagerToolController::onEditSoundEffectInstanceClicked(QString eventId)
{
    // Without a player there is no instance to edit or delete, and no editor is needed.
    if (player_)
        RequireEditor();
    emit editInstanceRequest(eventId);
}

void SfxManagerToolController::onDeleteSoundEffectInstanceClicked(QString eventId)
{
    if (player_)
        RequireEditor();
    emit deleteInstanceRequest(eventId);
}

void SfxManagerToolController::ReportUnplayable(const QString& eventId)
{
    std::cerr << "Sound-effect instance " << eventId.toStdString() << " cannot be played" << std::endl;
    // The document marks the instance as playing after this call returns: the end comes later.
    if (QObject* window = QmlObject())
        QMetaObject::invokeMethod(window, "sfxFinished", Qt::QueuedConnection, Q_ARG(QString, eventId));
}

void SfxManagerToolController::onPlaySfx(QString eventId)
{
    try {
        audio::SfxPlayerController library;
        const int started = library.play(eventId);
        audio::SfxPlayerImpl* player = library.GetPlayer(eventId);
        if (started == 0 || !player) {
            ReportUnplayable(eventId);
            return;
        }
        QObject* window = QmlObject();
        if (!window)
            return;
        connect(player, SIGNAL(sfxFinished(QString)), window, SIGNAL(sfxFinished(QString)), Qt::UniqueConnection);
        connect(window, SIGNAL(sfxFinished(QString)), this, SLOT(onSfxFinished(QString)), Qt::UniqueConnection);
    } catch (const std::exception& error) {
        std::cerr << "Cannot play the sound-effect instance " << eventId.toStdString() << ": " << error.what()
                  << std::endl;
    }
}

void SfxManagerToolController::onStopSfx(QString eventId)
{
    try {
        audio::SfxPlayerController().stop(eventId);
    } catch (const std::exception& error) {
        std::cerr << "Cannot stop the sound-effect instance " << eventId.toStdString() << ": " << error.what()
                  << std::endl;
    }
}

void SfxManagerToolController::onSfxFinished(QString eventId)
{
    QObject* window = QmlObject();
    if (audio::SfxPlayerImpl* player = audio::SfxPlayerController().GetPlayer(eventId); player && window)
        disconnect(player, SIGNAL(sfxFinished(QString)), window, SIGNAL(sfxFinished(QString)));
}

void SfxManagerToolController::onSfxListUpdate()
{
    emit soundEffectsUpdated();
    BuildInstanceList();
}

void SfxManagerToolController::onSfxIsReady(QString effectPath)
{
    instanceModel_.markPathReady(effectPath.toStdString());
}

}  // namespace vemo::qt
