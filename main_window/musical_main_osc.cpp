// OSC in both directions: the command server and the cue sender with its held cues.
#include "main_window/musical_main_controller.h"

#include "editing/edit_controller.h"

#include <handlers/vemo_osc_callbacks.h>
#include <osc/fade_time.h>
#include <osc/osc_server.h>
#include <send/vemo_player_osc_callback.h>

#include <QMetaObject>

namespace vemo::qt {

void MusicalMainController::restartOscServer()
{
    if (!factory->oscEnabled)
        return;
    oscServer.reset();
    try {
        if (!oscSettings.oscEnabled) {
            if (player)
                player->DoOscProcessing(false);
            return;
        }
        auto handlers = std::make_unique<VemoOscCallbacks>(player, showName.toStdString());
        connect(handlers.get(), &VemoOscCallbacks::FadeRequested, this,
                [this](float fadeTime) { Fade_(osc::SaturatingMilliseconds(fadeTime)); });
        connect(handlers.get(), &VemoOscCallbacks::FadeToRequested, this,
                [this](float fadeTime, float targetVolumePercent, bool) {
                    FadeTo_(osc::SaturatingMilliseconds(fadeTime), targetVolumePercent);
                });
        connect(handlers.get(), &VemoOscCallbacks::Notification, this,
                [this] { InvokeOnBanner("highlightOscNotice"); });
        connect(handlers.get(), &VemoOscCallbacks::RequestPlayQueudOscEvents, this,
                &MusicalMainController::FlushPendingOscCommands);
        oscServer = osc::OscServer::Start(oscSettings.oscListenPort, std::move(handlers));
        if (player) {
            player->SetOscControlDefaultPort(static_cast<std::uint16_t>(oscSettings.oscListenPort));
            player->DoOscProcessing(true);
        }
    } catch (const std::exception& e) {
        oscServer.reset();
        showDialog(e.what(), "OSC Server Error", 0);
    }
}

void MusicalMainController::connectOscCallbackSignals()
{
    if (!oscCallback)
        return;
    connect(oscCallback.get(), &VemoPlayerOscCallback::enqueueOscCommand, this,
            &MusicalMainController::onEnqueueOscCommand, Qt::UniqueConnection);
    connect(oscCallback.get(), &VemoPlayerOscCallback::OutgoingNotification, this,
            &MusicalMainController::onOscOutgoingNotification, Qt::UniqueConnection);
}

void MusicalMainController::onOscOutgoingNotification()
{
    InvokeOnBanner("highlightOscOutgoingNotice");
}

void MusicalMainController::onEnqueueOscCommand(CL::Osc osc, uint32_t delay)
{
    if (oscCallback)
        Guarded([&] { pendingOscCommands.Enqueue(osc, delay, player.get(), *oscCallback); });
}

void MusicalMainController::FlushPendingOscCommands()
{
    if (oscCallback)
        pendingOscCommands.Flush(player.get(), *oscCallback);
    else
        pendingOscCommands.Clear();
}

void MusicalMainController::onClearOscQueue()
{
    pendingOscCommands.Clear();
}

} // namespace vemo::qt
