#include "main_window/musical_main_controller.h"

#include "app/app_settings.h"
#include "app/data_directory.h"
#include "audio_output/audio_manager_controller.h"
#include "audio_output/mixer_controller.h"
#include "audio_output/output_paths_manager_controller.h"
#include "editing/ambient_sfx_tool_controller.h"
#include "editing/caesura_tool_controller.h"
#include "editing/click_tool_controller.h"
#include "editing/cut_skip_tools.h"
#include "editing/edit_controller.h"
#include "editing/int_value_tools.h"
#include "editing/marker_tool_controller.h"
#include "editing/osc_tool_controller.h"
#include "editing/primary_sfx_tool_controller.h"
#include "editing/tempo_tool_controller.h"
#include "main_window/edit_model.h"
#include "main_window/responsive_menu_controller.h"
#include "main_window/show_manager.h"
#include "sfx/sfx_manager_tool_controller.h"
#include "shows/changelog_manager_controller.h"
#include "shows/score_view_controller.h"
#include "timeline/timeline_controller.h"
#include "vemo_ui/controllers/about_window_controller.h"
#include "vemo_ui/controllers/dialog_controller.h"
#include "windows/midi_manager_controller.h"
#include "windows/osc_manager_controller.h"

#include <osc/osc_server.h>
#include <send/vemo_player_osc_callback.h>
#include <vemo_core/types.h>

#include <QDebug>
#include <QFileInfo>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QSettings>
#include <QUrl>

#include <filesystem>
#include <utility>

namespace vemo::qt {
namespace {

const QUrl kDocument("qrc:/qt/qml/com/quorvane/musical_ui/qml/MusicalMain.qml");
const QUrl kSfxManagerDocument("qrc:/qt/qml/com/quorvane/vemo_ui/qml/SfxManagerTool.qml");

QVariantMap InitialProperties(const PlayerFactory& factory)
{
    return {{"showAlbumArtImage", factory.showAlbumArtImage}, {"showFade", factory.showFade}};
}

// The cue sender's default port: a listen port it cannot use becomes 0, to which nothing is sent.
std::uint16_t SenderPort(std::int32_t listenPort)
{
    return listenPort >= 1 && listenPort <= 65535 ? static_cast<std::uint16_t>(listenPort) : 0;
}

} // namespace

MusicalMainController::MusicalMainController(QQmlApplicationEngine* engine, PlayerFactory* factory)
    : QmlController(engine, kDocument, nullptr, true, InitialProperties(*factory)), factory(factory)
{
    sfxManager = std::make_unique<SfxManagerToolController>(engine, kSfxManagerDocument, nullptr, QmlObject(), true);
    try {
        ConstructInOrder();
    } catch (...) {
        StopEngineForRelease();
        throw;
    }
}

MusicalMainController::~MusicalMainController()
{
    StopEngineForRelease();
    // The tools and windows hold the edit controller and the engine, which go before some of them.
    ReleaseToolsAndWindows();
}

void MusicalMainController::StopEngineForRelease() noexcept
{
    observer.SetCallbackFunc({}, nullptr);
    if (player) {
        try {
            player->Stop();
            player->Shutdown();
        } catch (const std::exception&) {
            // The engine is going away either way; a failing stop changes nothing for the user.
        }
    }
    // The engine holds the cue sender and the sender the engine: break the cycle.
    if (oscCallback)
        oscCallback->ClearPlayer();
    timelineController.reset();
}

void MusicalMainController::ConstructInOrder()
{
    RegisterNotifications();
    SetRootProperty("showMixer", factory->showMixer);
    SetRootProperty("showScore", factory->showScore);
    LoadCurrentShow();
    SetRootProperty("cornerLogoSource", factory->iconUrl);
    aboutController = std::make_unique<AboutWindowController>(
        RootItem("aboutWindow"), engine, factory->Version(), factory->logoUrl,
        ":/qt/qml/com/quorvane/" + factory->productKey + "2_ui/resources/text/acknowledgements.txt",
        factory->BuildTag());
    menuController = std::make_unique<ResponsiveMenuController>(factory->showAudioManager, factory->displayName,
                                                                RootItem("menu"), engine, factory->oscEnabled);
    wiringEnabled.store(true);
    connectSignals();
    if (std::filesystem::exists(oscSettingsPath()))
        oscSettings.Load(oscSettingsPath());
    restartOscServer();
    SetPermissions(permissions);
    SetRootProperty("oscEnable", factory->oscEnabled);
    connectOscCallbackSignals();
    ApplyGeneralSettings();
}

void MusicalMainController::RegisterNotifications()
{
    observer.SetCallbackFunc(
        [](int id, int value, const char* text, void* user) {
            static_cast<MusicalMainController*>(user)->postEngineEvent(id, value, text);
        },
        this);
    observer.RegisterPageNum(12);
    observer.RegisterPlayhead(13);
    observer.RegisterPlaybackStarted(0);
    observer.RegisterPlaybackStopped(1);
    observer.RegisterPlaybackPaused(2);
    observer.RegisterPlaybackFading(3);
    observer.RegisterKey(5);
    observer.RegisterTempo(6);
    observer.RegisterMeter(7);
    observer.RegisterTransposition(8);
    observer.RegisterTempoScale(9);
    observer.RegisterVampOn(19);
    observer.RegisterVampOff(20);
    observer.RegisterBarBeat(10);
    observer.RegisterSongTitle(14);
    observer.RegisterSongLoaded(15);
    observer.RegisterStatusFlowControl(4);
    observer.RegisterMidiNotification(18);
    observer.RegisterLearnedMIDICommand(16);
    observer.RegisterMIDICommandCanceled(17);
    observer.RegisterStatusVolume(21);
    observer.RegisterMarker(11);
}

void MusicalMainController::ApplyGeneralSettings()
{
    try {
        settings = std::make_shared<AppSettings>(
            std::make_unique<QSettings>(QString::fromStdString(generalSettingsPath()), QSettings::IniFormat));
        if (std::filesystem::exists(generalSettingsPath())) {
            settings->Load();
            player->SetOutputDeviceUid(settings->DefaultOutputDevice().toUtf8().constData());
            player->SetVolume(settings->DefaultVolume(), VolumeType::Default);
        }
    } catch (const std::exception& e) {
        onError(e.what(), "Error Setting Audio");
    }
}

void MusicalMainController::LoadCurrentShow()
{
    oscManager.reset();
    oscServer.reset();
    if (showManager)
        showManager->ShutdownPlayer();
    SetRootProperty("visible", true);

    const std::filesystem::path directory = settingsDirectory();
    showRecords = std::make_shared<ShowRecordStore>(directory);
    const ShowRecord record = showRecords->CurrentRecord();
    showName = QString::fromStdString(record.showName);
    showFolder = (directory / record.directory).string();
    dataDirectory = directory.string();

    TearDownShow();
    OpenShow(showFolder, record);
}

void MusicalMainController::TearDownShow()
{
    ReleaseToolsAndWindows();
    mixerController.reset();
    outputPathsController.reset();
    if (editController)
        disconnect(this, nullptr, editController.get(), nullptr);
    editController.reset();
    timelineController.reset();
    showManager.reset();
    if (oscCallback)
        oscCallback->ClearPlayer();
    sfxManager->ClearPlayerInterface();
    scoreController.reset();
    oscCallback.reset();
    if (player)
        player->Shutdown();
    player.reset();
}

void MusicalMainController::OpenShow(const std::filesystem::path& folder, const ShowRecord& record)
{
    oscSettings.oscEnabled = factory->oscEnabled;
    if (factory->oscEnabled) {
        oscCallback = std::make_shared<VemoPlayerOscCallback>(SenderPort(oscSettings.oscListenPort));
        connectOscCallbackSignals();
    }
    player = factory->CreateAudioInterface(QString::fromStdString(folder.string()), oscCallback, true);
    showManager = std::make_shared<ShowManager>(player);
    if (factory->oscEnabled)
        oscCallback->SetPlayer(player);
    sfxManager->SetPlayerInterface(player);
    sfxManager->onShowLoaded();
    auto editModel = std::make_shared<EditModel>(showManager, factory->oscEnabled);

    timelineController = std::make_unique<TimelineController>(
        engine, qobject_cast<QQuickItem*>(RootItem("timelineControl")), player, showManager, editModel,
        factory->showAudioFadeRegion, permissions, true, factory->oscEnabled);
    connect(timelineController.get(), &TimelineController::EditSelectedSignal, this,
            &MusicalMainController::onVemoEditSelectedExternally);
    connect(timelineController.get(), &TimelineController::EditDoubleClickedSignal, this,
            &MusicalMainController::onEditDoubleClicked);
    connect(timelineController.get(), &TimelineController::EditDraggedSignal, this,
            &MusicalMainController::onVemoEditDragged);
    connect(timelineController.get(), &TimelineController::timelineClicked, this,
            &MusicalMainController::onClearOscQueue);

    editController = std::make_unique<EditController>(
        engine, showManager, editModel, player, qobject_cast<QQuickItem*>(RootItem("editPanelControl")),
        timelineController.get(), &permissions, true, factory->oscEnabled);
    connect(editController.get(), &EditController::EventItemChangedSignal, this,
            &MusicalMainController::onEventItemChanged);
    connect(editController.get(), &EditController::MarkerItemChangedSignal, this,
            &MusicalMainController::onMarkerItemChanged);
    connect(editController.get(), &QmlController::information, this, &MusicalMainController::onInformation);
    connect(editController.get(), &QmlController::error, this, &MusicalMainController::onError);

    outputPathsController = std::make_shared<OutputPathsManagerController>(player->GetOutputPathMap(), engine,
                                                                           QmlObject());
    connect(outputPathsController.get(), &OutputPathsManagerController::AddOutputPathSignal, this,
            &MusicalMainController::onAddOutputhPath);
    connect(outputPathsController.get(), &OutputPathsManagerController::RemoveOutputPathSignal, this,
            &MusicalMainController::onRemoveOutputhPath);
    connect(outputPathsController.get(), &QmlController::error, this, &MusicalMainController::onError);

    SetRootProperty("title", factory->displayName + " - " + showName + " - " +
                                 QString::fromStdString(record.customerName));
    evaluatePermissions();
    if (wiringEnabled.load())
        restartOscServer();
    showAlbumArt();
    scoreController = std::make_unique<ScoreViewController>(RootItem("scoreControl"), engine, player, showRecords);
    scoreController->loadScore();
    connectSignals();
}

void MusicalMainController::showDialog(std::string message, std::string title, int type)
{
    dialog.reset();
    dialog = std::make_unique<DialogController>(message, title, type, QmlObject(), engine);
}

void MusicalMainController::onError(std::string message, std::string title)
{
    showDialog(std::move(message), std::move(title), 0);
}

void MusicalMainController::onInformation(std::string message, std::string title)
{
    showDialog(std::move(message), std::move(title), 2);
}

bool MusicalMainController::hasUnsavedEdits() const
{
    return editController && editController->GetEditModel()->needsSave;
}

void MusicalMainController::SetAdminPermission(bool admin)
{
    permissions.edit = admin;
    if (timelineController)
        timelineController->permissions = permissions;
    if (editController)
        emit editController->AdminPermissionSet(admin);
    emit AdminPermissionSet(admin);
}

void MusicalMainController::SetSfxPermission(bool sfx)
{
    permissions.sfx = sfx;
    SetRootProperty("sfxPermissions", sfx);
    if (menuController)
        menuController->SetSfxPermission(sfx);
}

void MusicalMainController::SetPermissions(Permissions value)
{
    SetAdminPermission(value.edit);
    SetSfxPermission(value.sfx);
    if (timelineController)
        timelineController->permissions = permissions;
}

void MusicalMainController::evaluatePermissions()
{
    try {
        if (player->GetChangeLogEditor()->ChangelogIsReadOnly()) {
            SetAdminPermission(false);
            onError("You have edit permissions on this license but the show data requires a newer version of the "
                    "app. You can continue to play music, but you cannot edit until you upgrade to the latest "
                    "version of the application.",
                    "Upgrade to Edit");
        } else {
            SetAdminPermission(true);
        }
    } catch (...) {
        SetAdminPermission(false);
    }
    SetSfxPermission(true);
}

void MusicalMainController::showAlbumArt()
{
    if (!factory->showAlbumArtImage)
        return;
    const QString path = QString::fromStdString((std::filesystem::path(showFolder) / "AlbumArtwork.jpg").string());
    if (QFileInfo::exists(path)) {
        SetRootProperty("albumArtImageUrl", QUrl::fromLocalFile(path));
    } else {
        qDebug() << "Artwork file not found at:" << path;
        SetRootProperty("albumArtImageUrl", QUrl());
        SetRootProperty("showAlbumArtImage", false);
    }
}

std::string MusicalMainController::settingsDirectory() const
{
    const std::filesystem::path directory = ProductDataDirectory(factory->productKey);
    MakeDirectoryIfNeeded(directory);
    return std::filesystem::absolute(directory).string();
}

std::string MusicalMainController::generalSettingsPath() const
{
    return (std::filesystem::path(settingsDirectory()) / "general_settings.vemo").string();
}

std::string MusicalMainController::oscSettingsPath() const
{
    return (std::filesystem::path(settingsDirectory()) / "osc_settings.vemo").string();
}

QObject* MusicalMainController::RootItem(const char* property)
{
    QObject* root = QmlObject();
    return root ? root->property(property).value<QObject*>() : nullptr;
}

void MusicalMainController::SetRootProperty(const char* name, const QVariant& value)
{
    if (QObject* root = QmlObject())
        root->setProperty(name, value);
}

} // namespace vemo::qt
