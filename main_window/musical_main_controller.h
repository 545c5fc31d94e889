#pragma once

#include "app/player_factory.h"
#include "app/qml_controller.h"
#include "main_window/permissions.h"

#include <osc/osc_settings.h>
#include <send/held_osc_cues.h>
#include <vemo_core/events.h>
#include <vemo_core/notify.h>
#include <vemo_core/show_record.h>
#include <vemo_player_core/interface.h>

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

class QQmlApplicationEngine;

namespace vemo {
class AppSettings;
class ShowManager;
class VemoPlayerOscCallback;
namespace osc {
class OscServer;
} // namespace osc
} // namespace vemo

namespace vemo::qt {

class AboutWindowController;
class AmbientSFXToolController;
class AudioManagerController;
class CaesuraToolController;
class ChangelogManagerController;
class ClickToolController;
class CutToolController;
class DialogController;
class EditController;
class MarkerToolController;
class MidiManagerController;
class MixerController;
class OscManagerController;
class OscToolController;
class OutputPathsManagerController;
class PrimarySFXToolController;
class RepeatToolController;
class ResponsiveMenuController;
class ScoreViewController;
class SfxManagerToolController;
class SkipToolController;
class TempoToolController;
class TimelineController;
class TransposeToolController;
class VampToolController;

// The main window: loads the current show and owns everything that belongs to it (engine, show
// manager, timeline, edit panel, output paths, score, sound-effect manager), turns the window's
// transport buttons into engine calls, shows the engine's notifications, and runs the OSC server and
// the queue of OSC cues held while playback is stopped.
class MusicalMainController : public QmlController {
    Q_OBJECT

public:
    // Loads the main window document and the current show. Errors while the show is opened (for
    // example a change log of a newer format) leave the constructor with nothing of the show left
    // running.
    MusicalMainController(QQmlApplicationEngine* engine, PlayerFactory* factory);
    ~MusicalMainController() override;

    // Tears down what belongs to the previous show, then loads the current show.
    void LoadCurrentShow();
    // One message dialog at a time: 0 error, 1 warning, 2 information.
    void showDialog(std::string message, std::string title, int type);
    // Whether the loaded show's change log has edits that are not saved.
    bool hasUnsavedEdits() const;

    void evaluatePermissions();
    void showAlbumArt();
    void restartOscServer();
    void connectOscCallbackSignals();
    void connectSignals();

    // The product's data directory, created when missing.
    std::string settingsDirectory() const;
    std::string generalSettingsPath() const;
    std::string oscSettingsPath() const;

    // Engine thread: hands a notification over to the GUI thread.
    void postEngineEvent(int id, int value, const char* text);

signals:
    void Closing();
    void PlayStarted();
    void Stopped();
    void Paused();
    void Fading();
    void FadeComplete(bool gotoNextSong);
    void JumpToBarResult(bool success);
    void AdminPermissionSet(bool admin);
    void MidiLearned(int commandId, int midiStatus, int channel, int note);
    void MidiUnlearned(int commandId);
    // A save has written the next version and reloaded it.
    void SaveCompleted();
    // The song list's attacca states need refreshing after a switch of event-log version.
    void SignalAttaccaUpdate();
    // Another event-log version has been loaded.
    void ChangeLogLoaded();

public slots:
    void SetAdminPermission(bool admin);
    void SetSfxPermission(bool sfx);
    void SetPermissions(Permissions permissions);

    void Play_();
    void Stop_();
    void PauseToggleSlot_();
    void PauseToggle_();
    void PauseToggle_(bool fadeCompleted);
    void ContinuePlay_();
    void ContinueFlow_();
    void NextSong_();
    void PrevSong_();
    void Fade_(int fadeTimeMs);
    void FadeTo_(int fadeTimeMs, double targetVolumerPercent);
    void FadeToStop_(int fadeTimeMs);
    void FadeComplete_(bool gotoNextSong);
    void JumpToBar_(QString barNum);
    void JumpToBarStartRequested();
    void SeekNextBarRequested_();
    void SeekPrevBarRequested_();
    void SeekNextMarkerRequested_();
    void SeekPrevMarkerRequested_();
    void ZoomInRequested_();
    void ZoomOutRequested_();
    void onSelectAllRequested_();
    void setHighlightContinueButton(bool highlight);

    void onEngineEvent(int id, int value, QString text);

    void onEnqueueOscCommand(CL::Osc osc, uint32_t delay);
    void FlushPendingOscCommands();
    void onClearOscQueue();

    void onError(std::string message, std::string title);
    void onInformation(std::string message, std::string title);

private slots:
    void onOscOutgoingNotification();

private:
    void ConstructInOrder();
    void RegisterNotifications();
    void ApplyGeneralSettings();
    void TearDownShow();
    void OpenShow(const std::filesystem::path& folder, const ShowRecord& record);
    // Stops notifications and fade completions reaching this controller, then stops and shuts the
    // engine down (errors swallowed), takes the engine from the cue sender and deletes the timeline.
    void StopEngineForRelease() noexcept;
    // Runs one transport step; a std::exception becomes a "Playback Error" dialog.
    void Guarded(const std::function<void()>& step);
    // A fade completion for the engine's thread: emits FadeComplete(gotoNextSong) while this
    // controller lives, then runs `after` on the GUI thread.
    std::function<void()> FadeCompletion(bool gotoNextSong, bool stopAfter);
    void HandleFlowControl(int value, const QString& text);
    void HandleSongLoaded(const QString& songNumber);
    void InvokeOnBanner(const char* function);
    QObject* RootItem(const char* property);
    void SetRootProperty(const char* name, const QVariant& value);

    std::atomic<bool> wiringEnabled{false};
    PlayerFactory* factory;
    std::unique_ptr<DialogController> dialog;
    std::shared_ptr<Interface> player;
    std::shared_ptr<ShowManager> showManager;
    std::unique_ptr<osc::OscServer> oscServer;
    std::shared_ptr<ChangelogManagerController> changelogManager;
    std::shared_ptr<ShowRecordStore> showRecords;
    std::shared_ptr<OutputPathsManagerController> outputPathsController;
    std::unique_ptr<AboutWindowController> aboutController;
    std::unique_ptr<AmbientSFXToolController> ambientSfxTool;
    std::unique_ptr<AudioManagerController> audioManager;
    std::unique_ptr<CaesuraToolController> caesuraTool;
    std::unique_ptr<ClickToolController> clickTool;
    std::unique_ptr<CutToolController> cutTool;
    std::unique_ptr<EditController> editController;
    std::unique_ptr<MarkerToolController> markerTool;
    std::unique_ptr<MidiManagerController> midiManager;
    std::unique_ptr<MixerController> mixerController;
    std::unique_ptr<OscManagerController> oscManager;
    std::unique_ptr<OscToolController> oscTool;
    std::unique_ptr<PrimarySFXToolController> primarySfxTool;
    std::unique_ptr<RepeatToolController> repeatTool;
    std::unique_ptr<ResponsiveMenuController> menuController;
    std::unique_ptr<ScoreViewController> scoreController;
    std::unique_ptr<SfxManagerToolController> sfxManager;
    std::unique_ptr<SkipToolController> skipTool;
    std::unique_ptr<TempoToolController> tempoTool;
    std::unique_ptr<TimelineController> timelineController;
    std::unique_ptr<TransposeToolController> transposeTool;
    std::unique_ptr<VampToolController> vampTool;
    std::string showFolder;
    std::string dataDirectory;
    notify::EventObserver observer;
    Permissions permissions;
    osc::OscSettings oscSettings;
    std::shared_ptr<VemoPlayerOscCallback> oscCallback;
    std::shared_ptr<AppSettings> settings;
    QString showName;
    HeldOscCues pendingOscCommands;

private:
    // The signal wiring: each connection exists once however often it runs.
    void ConnectRootSignals(QObject& root);
    void ConnectReportsToRoot(QObject& root);
    void ConnectEditController();
    void ConnectMenu();
    // The sound-effect manager's list changes reach the edit views through one connection per
    // manager object.
    void ConnectSoundEffectChanges();
    void ReloadAfterSoundEffectChange();

    QPointer<QObject> soundEffectsWiredTo;
};

} // namespace vemo::qt
