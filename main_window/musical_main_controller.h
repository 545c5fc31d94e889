#pragma once

#include "app/player_factory.h"
#include "app/qml_controller.h"
#include "lists/event_info_item.h"
#include "lists/marker_info_item.h"
#include "main_window/permissions.h"

#include <osc/osc_settings.h>
#include <send/held_osc_cues.h>
#include <vemo_core/events.h>
#include <vemo_core/notify.h>
#include <vemo_core/properties.h>
#include <vemo_core/show_record.h>
#include <vemo_core/timeline_records.h>
#include <vemo_core/types.h>
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
class UnsavedChangesPrompt;
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

    // Tools and windows
public slots:
    // Tool buttons of the editor bar, with the ticks chosen on the timeline: each opens its tool for
    // a new event, replacing a tool of the same kind still open.
    void onVampButton(int startTick, int endTick);
    void onRepeatButton(int startTick, int endTick);
    void onCutButton(int startTick, int endTick);
    void onTransposeButton(int startTick, int endTick);
    void onTempoButton(int startTick, int endTick);
    void onMarkerButton(int startTick);
    void onClickButton(int startTick, int endTick);
    void onSkipButton(int startTick, int endTick);
    void onCaesuraButton(int startTick);
    void onPrimarySFXButton(int startTick);
    void onAmbientSFXButton(int startTick, int endTick);
    void onOscButton(int startTick);

    // Each opens its tool on an existing event; a null event opens nothing.
    void onVampEdit(cmn::VemoEvent* event);
    void onRepeatEdit(cmn::VemoEvent* event);
    void onCutEdit(cmn::VemoEvent* event);
    void onTransposeEdit(cmn::VemoEvent* event);
    void onTempoEdit(cmn::VemoEvent* event);
    void onMarkerEdit(cmn::VemoEvent* event);
    void onClickEdit(cmn::VemoEvent* event);
    void onSkipEdit(cmn::VemoEvent* event);
    void onCaesuraEdit(cmn::VemoEvent* event);
    void onPrimarySfxEdit(cmn::VemoEvent* event);
    void onAmbientSfxEdit(cmn::VemoEvent* event);
    void onOscEdit(cmn::VemoEvent* event);

    // A tool's window closed: the tool is released once its own signal has returned.
    void onVampToolClosing();
    void onRepeatToolClosing();
    void onCutToolClosing();
    void onTransposeToolClosing();
    void onTempoToolClosing();
    void onMarkerToolClosing();
    void onClickToolClosing();
    void onSkipToolClosing();
    void onCaesuraToolClosing();
    void onPrimarySFXToolClosing();
    void onAmbientSFXToolClosing();
    void onOscToolClosing();

    void onEditValueUpdated();
    // Opens the tool of the event's kind on it; nothing for a null event or a kind without a tool.
    void onEditButton(cmn::VemoEvent* event);
    void onEditDoubleClicked();

    void ShowAudioManager_();
    void ShowMidiManager_();
    void ShowOscManager_();
    void ShowOutputPaths_();
    void ShowSfxManager_();
    void onAudioSettingsUpdated();
    void onOscSettingsUpdated_(osc::OscSettings newSettings, CL::NetworkPathVectorT& newNetworks);
    void onAddOutputhPath(const CL::OutputPath& path);
    void onRemoveOutputhPath(const CL::OutputPath& path);

    void onEventItemChanged(EventInfoItem item);
    void onMarkerItemChanged(MarkerInfoItem item);
    void onVemoEditSelectedExternally(const cmn::VemoEvent* event);
    void onAttaccaStageChanged(std::string songNum, UInt8 state);
    void onVemoEditDragged(const cmn::VemoEvent* event, int start, int end, bool adjustLeft, bool adjustRight);


    void onEngineEvent(int id, int value, QString text);

    void onEnqueueOscCommand(CL::Osc osc, uint32_t delay);
    void FlushPendingOscCommands();
    void onClearOscQueue();

    void onError(std::string message, std::string title);
    void onInformation(std::string message, std::string title);

    // Event-log versions
public slots:
    // Saves the edited log as the next minor version.
    void onSaveButton();
    // Saves the edited log as the next major version and shares it through the web service.
    void onSaveAndUploadButton();
    // Fetches the web service's latest version, then loads the newest local version.
    void GetLatestLogClicked_();
    // Opens the event-log manager window (a new one replaces an open one).
    void ShowChangelogManager_();
    // Switch to the local or the service's version of a row of the event-log manager's lists.
    void ChangelogLocalSelected_(int index);
    void ChangelogServerSelected_(int index);
    void ChangelogManagerClosing_();
    // Sets the modification time of `path` (relative paths are in the show folder) to now; false
    // for a missing file or when the time cannot be set.
    bool touchFile(QString path);
    // Reloads the current song under the newly loaded log and announces the new log.
    void ReloadSongAfterLogChange();

private:
    // Saves as onSaveButton() does; false, with "Save Failed" shown, when nothing was saved.
    bool SaveEdits();
    // A save or a share whose failures throw.
    void SaveNextMinorVersion();
    void ShareNextMajorVersion();
    void LoadLatestLog();
    void LoadLocalVersion(const std::string& versionText);
    void LoadServerVersion(const std::string& versionText);
    // Runs `switchVersion` at once while the log holds no unsaved edits; otherwise asks first and
    // runs it after the answer: once saved, without saving, or not at all.
    void SwitchVersion(std::function<void()> switchVersion);
    // Switches to the version of a row of the event-log manager's local or server list; failures
    // show "Loading Edits Failed" and leave the window open.
    void ChooseVersion(int index, bool fromServer);
    void ReleaseChangelogManager();

    std::shared_ptr<UnsavedChangesPrompt> switchPrompt;

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

    // One kind of edit tool: the member that holds it, its closing signal and the slot releasing it.
    template <class Tool>
    struct ToolKind;
    // Makes a tool of the kind anew (replacing the held one), lets `open` fill and show it, wires
    // its window and connects its closing (with `followChanges`, also its changes). A failure is
    // shown, and the new tool released. True when the tool is open.
    template <class Tool>
    bool OpenTool(const std::function<void(Tool&)>& open, bool followChanges);
    // Opens the tool of the kind on an existing event; nothing for a null event.
    template <class Tool>
    void OpenToolForEdit(cmn::VemoEvent* event, const std::function<void(Tool&, cmn::VemoEvent*)>& edit);
    template <class Tool>
    void ReleaseTool();
    // Every tool and manager window goes, before what they hold on to.
    void ReleaseToolsAndWindows() noexcept;
    TL::BarsBeats BarBeatAt(int tick) const;
    void ShowClickNotice();
    // Replaces the held window with a new one made by `make`, connects it with `wire` and shows it.
    // A failure is shown and releases the new window.
    template <class Window>
    void ShowManagerWindow(std::unique_ptr<Window>& held, const std::function<std::unique_ptr<Window>()>& make,
                           const std::function<void(Window&)>& wire);
    // Runs one step of a window or relay; a std::exception becomes an "Error" dialog.
    void WindowStep(const std::function<void()>& step);
    // Adds or removes an output path in the engine and marks the event log changed.
    void ChangeOutputPath(void (Interface::*change)(const CL::OutputPath&), const CL::OutputPath& path);

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
