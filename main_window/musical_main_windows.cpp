#include "main_window/musical_main_controller.h"

#include "app/app_settings.h"
#include "audio_output/audio_manager_controller.h"
#include "audio_output/output_paths_manager_controller.h"
#include "editing/edit_controller.h"
#include "main_window/drag_clamp.h"
#include "main_window/show_manager.h"
#include "sfx/sfx_manager_tool_controller.h"
#include "timeline/timeline_controller.h"
#include "windows/midi_manager_controller.h"
#include "windows/osc_manager_controller.h"

#include <vemo_core/codes.h>
#include <vemo_core/editor.h>

#include <QQmlApplicationEngine>

namespace vemo::qt {

void MusicalMainController::WindowStep(const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception& e) {
        showDialog(e.what(), "Error", 0);
    }
}

template <class Window>
void MusicalMainController::ShowManagerWindow(std::unique_ptr<Window>& held,
                                              const std::function<std::unique_ptr<Window>()>& make,
                                              const std::function<void(Window&)>& wire)
{
    if (!player)
        return;
    try {
        held = make();
        wire(*held);
        held->SetVisible(true);
    } catch (const std::exception& e) {
        held.reset();
        showDialog(e.what(), "Error", 0);
    }
}

void MusicalMainController::ShowAudioManager_()
{
    ShowManagerWindow<AudioManagerController>(
        audioManager, [this] { return std::make_unique<AudioManagerController>(engine, player, QmlObject()); },
        [this](AudioManagerController& window) {
            connect(&window, &QmlController::error, this, &MusicalMainController::onError);
            connect(&window, &AudioManagerController::audioSettingsUpdated, this,
                    &MusicalMainController::onAudioSettingsUpdated);
        });
}

void MusicalMainController::ShowMidiManager_()
{
    ShowManagerWindow<MidiManagerController>(
        midiManager,
        [this] {
            settings->Load();
            return std::make_unique<MidiManagerController>(engine, showManager, settings, QmlObject());
        },
        [this](MidiManagerController& window) {
            connect(this, &MusicalMainController::MidiLearned, &window, &MidiManagerController::MidiLearned);
            connect(this, &MusicalMainController::MidiUnlearned, &window, &MidiManagerController::MidiUnlearned);
        });
}

void MusicalMainController::ShowOscManager_()
{
    ShowManagerWindow<OscManagerController>(
        oscManager,
        [this] { return std::make_unique<OscManagerController>(engine, oscSettings, player, QmlObject()); },
        [this](OscManagerController& window) {
            connect(&window, &OscManagerController::oscSettingsUpdated, this,
                    &MusicalMainController::onOscSettingsUpdated_);
        });
}

void MusicalMainController::ShowOutputPaths_()
{
    if (outputPathsController)
        WindowStep([this] { outputPathsController->Show(); });
}

void MusicalMainController::ShowSfxManager_()
{
    WindowStep([this] { sfxManager->Show(); });
}

void MusicalMainController::onAudioSettingsUpdated()
{
    if (!player || !audioManager)
        return;
    try {
        const QString deviceId = audioManager->DeviceId();
        const double volume = audioManager->Volume();
        player->Stop();
        player->SetOutputDeviceUid(deviceId.toUtf8().constData());
        player->SetVolume(volume, VolumeType::Default);
        settings->SetDefaultVolume(volume);
        settings->SetDefaultOutputDevice(deviceId);
        settings->Save();
    } catch (const std::exception& e) {
        showDialog(e.what(), "Error Updating Audio Settings", 0);
    }
}

void MusicalMainController::onOscSettingsUpdated_(osc::OscSettings newSettings, CL::NetworkPathVectorT& newNetworks)
{
    std::string failure;
    // The destinations live in the change log: they are applied even when the settings file fails.
    try {
        newSettings.Save(oscSettingsPath());
    } catch (const std::exception& e) {
        failure = e.what();
    }
    if (player && editController) {
        try {
            player->GetChangeLogEditor()->UpdateNetworks(newNetworks);
            editController->ReloadChangeLog();
            editController->RefreshAfterEdit({});
        } catch (const std::exception& e) {
            if (failure.empty())
                failure = e.what();
        }
    }
    if (!failure.empty())
        showDialog(failure, "OSC Settings Failed to Save", 0);
    oscSettings = newSettings;
    restartOscServer();
}

void MusicalMainController::onAddOutputhPath(const CL::OutputPath& path)
{
    ChangeOutputPath(&Interface::onAddOutputhPath, path);
}

void MusicalMainController::onRemoveOutputhPath(const CL::OutputPath& path)
{
    ChangeOutputPath(&Interface::onRemoveOutputhPath, path);
}

void MusicalMainController::ChangeOutputPath(void (Interface::*change)(const CL::OutputPath&),
                                             const CL::OutputPath& path)
{
    if (!player || !editController)
        return;
    // The paths are kept with the event log, which now has a change to save.
    WindowStep([&] {
        ((*player).*change)(path);
        editController->MarkChangeLogModified();
        editController->SetSaveEnabled(true);
    });
}

void MusicalMainController::onEventItemChanged(EventInfoItem item)
{
    if (timelineController && editController) {
        WindowStep([&] {
            timelineController->SelectEventItem(item);
            editController->ClearMarkerListSelection();
        });
    }
}

void MusicalMainController::onMarkerItemChanged(MarkerInfoItem item)
{
    if (timelineController && editController) {
        WindowStep([&] {
            timelineController->SelectMarkerItem(item);
            editController->ClearEventListSelection();
        });
    }
}

void MusicalMainController::onVemoEditSelectedExternally(const cmn::VemoEvent* event)
{
    if (event == nullptr || !editController)
        return;
    WindowStep([&] {
        if (event->code() == codes::kMarker) {
            editController->ClearEventListSelection();
            editController->onVemoMarkerSelectedExternally(const_cast<cmn::VemoEvent*>(event));
        } else {
            editController->ClearMarkerListSelection();
            editController->onVemoEditSelectedExternally(event);
        }
    });
}

void MusicalMainController::onAttaccaStageChanged(std::string songNum, UInt8 state)
{
    if (!player)
        return;
    WindowStep([&] {
        player->SetAttacca(songNum, state);
        if (editController)
            editController->MarkChangeLogModified();
    });
}

void MusicalMainController::onVemoEditDragged(const cmn::VemoEvent* event, int start, int end, bool adjustLeft,
                                              bool adjustRight)
{
    if (event == nullptr || !player || !editController)
        return;
    WindowStep([&] {
        const std::string song = player->GetCurrentSongNumber();
        const DragTicks ticks = ClampDrag(start, end, adjustLeft, adjustRight,
                                            showManager->GetSongStartTickIndex(song), showManager->GetSongLength(song));
        editController->onVemoMoveEvent(*event, ticks.start, ticks.end, adjustLeft, adjustRight);
        onEditValueUpdated();
    });
}

} // namespace vemo::qt
