// The signal wiring between the main window document, its menu, the edit controller, the
// sound-effect manager and this controller. It runs after construction and after every show load;
// each connection exists once however often it runs, and the rows of the edit controller are made
// afresh for each new one.
#include "main_window/musical_main_controller.h"

#include "editing/edit_controller.h"
#include "main_window/responsive_menu_controller.h"
#include "sfx/sfx_manager_tool_controller.h"

#include <utility>
#include <vector>

namespace vemo::qt {
namespace {

constexpr auto kUnique = Qt::UniqueConnection;

struct SignatureRow {
    const char* signal;
    const char* slot;
};

using Menu = ResponsiveMenuController;
using Main = MusicalMainController;
using MenuRow = std::pair<void (Menu::*)(), void (Main::*)()>;

} // namespace

void MusicalMainController::connectSignals()
{
    QObject* root = QmlObject();
    if (!wiringEnabled.load() || root == nullptr)
        return;
    ConnectRootSignals(*root);
    ConnectReportsToRoot(*root);
    // Raised on an engine thread; always delivered on this controller's thread, never into a
    // controller that is gone.
    connect(this, SIGNAL(FadeComplete(bool)), this, SLOT(FadeComplete_(bool)),
            static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::UniqueConnection));
    ConnectEditController();
    ConnectMenu();
    ConnectSoundEffectChanges();
}

void MusicalMainController::ConnectRootSignals(QObject& root)
{
    static const SignatureRow rows[] = {
        {SIGNAL(play()), SLOT(Play_())},
        {SIGNAL(stop()), SLOT(Stop_())},
        {SIGNAL(pause()), SLOT(PauseToggle_())},
        {SIGNAL(fade(int)), SLOT(Fade_(int))},
        {SIGNAL(continueFlow()), SLOT(ContinueFlow_())},
        {SIGNAL(nextSong()), SLOT(NextSong_())},
        {SIGNAL(prevSong()), SLOT(PrevSong_())},
        {SIGNAL(jumpToBar(QString)), SLOT(JumpToBar_(QString))},
        {SIGNAL(changelogManagerOpened()), SLOT(ShowChangelogManager_())},
        {SIGNAL(outputPathsOpened()), SLOT(ShowOutputPaths_())},
        {SIGNAL(caesuraButtonPressed(int)), SLOT(onCaesuraButton(int))},
        {SIGNAL(markerButtonPressed(int)), SLOT(onMarkerButton(int))},
        {SIGNAL(skipButtonPressed(int,int)), SLOT(onSkipButton(int,int))},
        {SIGNAL(vampButtonPressed(int,int)), SLOT(onVampButton(int,int))},
        {SIGNAL(cutButtonPressed(int,int)), SLOT(onCutButton(int,int))},
        {SIGNAL(transposeButtonPressed(int,int)), SLOT(onTransposeButton(int,int))},
        {SIGNAL(tempoButtonPressed(int,int)), SLOT(onTempoButton(int,int))},
        {SIGNAL(repeatButtonPressed(int,int)), SLOT(onRepeatButton(int,int))},
        {SIGNAL(clickButtonPressed(int,int)), SLOT(onClickButton(int,int))},
        {SIGNAL(primarySFXButtonPressed(int)), SLOT(onPrimarySFXButton(int))},
        {SIGNAL(ambientSFXButtonPressed(int,int)), SLOT(onAmbientSFXButton(int,int))},
    };
    for (const SignatureRow& row : rows)
        connect(&root, row.signal, this, row.slot, kUnique);
    if (factory->oscEnabled)
        connect(&root, SIGNAL(oscButtonPressed(int)), this, SLOT(onOscButton(int)), kUnique);
    if (QObject* editBar = root.findChild<QObject*>("editBar")) {
        connect(editBar, SIGNAL(saveButton()), this, SLOT(onSaveButton()), kUnique);
        connect(editBar, SIGNAL(shareButton()), this, SLOT(onSaveAndUploadButton()), kUnique);
    }
    connect(&root, SIGNAL(closing(QQuickCloseEvent*)), this, SIGNAL(Closing()), kUnique);
}

void MusicalMainController::ConnectReportsToRoot(QObject& root)
{
    static const SignatureRow rows[] = {
        {SIGNAL(PlayStarted()), SIGNAL(playStarted())},
        {SIGNAL(Stopped()), SIGNAL(stopped())},
        {SIGNAL(Paused()), SIGNAL(paused())},
        {SIGNAL(Fading()), SIGNAL(fading())},
        {SIGNAL(JumpToBarResult(bool)), SIGNAL(jumpToBarResult(bool))},
        {SIGNAL(AdminPermissionSet(bool)), SIGNAL(setAdminPermission(bool))},
    };
    for (const SignatureRow& row : rows)
        connect(this, row.signal, &root, row.slot, kUnique);
}

void MusicalMainController::ConnectEditController()
{
    EditController* edit = editController.get();
    if (edit == nullptr)
        return;
    connect(this, &Main::SignalAttaccaUpdate, edit, &EditController::TriggerAttaccaUpdate, kUnique);
    connect(this, &Main::AdminPermissionSet, edit, &EditController::AdminPermissionSet, kUnique);
    connect(edit, SIGNAL(AttaccaStateChanged(std::string,UInt8)), this,
            SLOT(onAttaccaStageChanged(std::string,UInt8)), kUnique);
    // The one way an edit button reaches its tool: a second connection would open two per press.
    connect(edit, SIGNAL(EditButtonSignal(cmn::VemoEvent*)), this, SLOT(onEditButton(cmn::VemoEvent*)), kUnique);
    if (menuController)
        connect(edit, &EditController::UpdateUndoRedoState, menuController.get(), &Menu::UpdateUndoRedoState,
                kUnique);
}

void MusicalMainController::ConnectMenu()
{
    Menu* menu = menuController.get();
    if (menu == nullptr)
        return;
    connect(this, &Main::AdminPermissionSet, menu, &Menu::SetAdminPermission, kUnique);
    std::vector<MenuRow> rows = {
        {&Menu::midiCommandsClicked, &Main::ShowMidiManager_},
        {&Menu::audioManagerClicked, &Main::ShowAudioManager_},
        {&Menu::getLatestChangelogClicked, &Main::GetLatestLogClicked_},
        {&Menu::sfxManagerClicked, &Main::ShowSfxManager_},
        {&Menu::StopRequested, &Main::Stop_},
        {&Menu::PlayPauseRequested, &Main::PauseToggleSlot_},
        {&Menu::ContinuePlayRequested, &Main::ContinuePlay_},
        {&Menu::ZoomInRequested, &Main::ZoomInRequested_},
        {&Menu::ZoomOutRequested, &Main::ZoomOutRequested_},
        {&Menu::ViewPastLogsRequested, &Main::ShowChangelogManager_},
        {&Menu::saveRequested, &Main::onSaveButton},
        {&Menu::shareRequested, &Main::onSaveAndUploadButton},
        {&Menu::selectAllRequested, &Main::onSelectAllRequested_},
    };
    if (factory->oscEnabled)
        rows.emplace_back(&Menu::oscManagerClicked, &Main::ShowOscManager_);
    for (const auto& [signal, slot] : rows)
        connect(menu, signal, this, slot, kUnique);

    // The seek first, then the OSC cues held for the old position go.
    static const MenuRow seeks[] = {
        {&Menu::JumpToBarStartRequested, &Main::JumpToBarStartRequested},
        {&Menu::SeekNextMarkerRequested, &Main::SeekNextMarkerRequested_},
        {&Menu::SeekPrevMarkerRequested, &Main::SeekPrevMarkerRequested_},
        {&Menu::SeekNextBarRequested, &Main::SeekNextBarRequested_},
        {&Menu::SeekPrevBarRequested, &Main::SeekPrevBarRequested_},
    };
    for (const auto& [signal, slot] : seeks) {
        connect(menu, signal, this, slot, kUnique);
        connect(menu, signal, this, &Main::onClearOscQueue, kUnique);
    }

    if (EditController* edit = editController.get()) {
        connect(menu, &Menu::UndoRequested, edit, &EditController::UndoRequested, kUnique);
        connect(menu, &Menu::RedoRequested, edit, &EditController::RedoRequested, kUnique);
        connect(menu, &Menu::DeleteRequested, edit, &EditController::DeleteRequested, kUnique);
    }
}

void MusicalMainController::ConnectSoundEffectChanges()
{
    if (!sfxManager || soundEffectsWiredTo == sfxManager.get())
        return;
    soundEffectsWiredTo = sfxManager.get();
    connect(sfxManager.get(), &SfxManagerToolController::soundEffectsUpdated, this,
            [this] { ReloadAfterSoundEffectChange(); });
}

void MusicalMainController::ReloadAfterSoundEffectChange()
{
    if (!editController)
        return;
    WindowStep([this] {
        editController->ReloadChangeLog();
        editController->RefreshAfterEdit({});
    });
}

} // namespace vemo::qt
