#include "handlers/fade_receivers.h"

#include "handlers/vemo_osc_callbacks.h"
#include "osc/fade_time.h"

#include <vemo_player_core/interface.h>

#include <QObject>

namespace vemo {

namespace {

using ErrorSink = std::function<void(const std::exception&)>;

void Guarded(const ErrorSink& onError, const std::function<void()>& work)
{
    try {
        work();
    } catch (const std::exception& error) {
        onError(error);
    }
}

// Runs on an engine thread when a fade has ended; the rest happens on the GUI thread.
std::function<void()> FadeCompletion(
    std::weak_ptr<Interface> player, QObject& guiContext, bool gotoNextSong, ErrorSink onError)
{
    QObject* context = &guiContext;
    return [player = std::move(player), context, gotoNextSong, onError = std::move(onError)] {
        QMetaObject::invokeMethod(
            context,
            [player, gotoNextSong, onError] {
                Guarded(onError, [&] {
                    if (const auto current = player.lock()) {
                        if (current->GetIsFaded() && gotoNextSong) {
                            current->NextSong();
                        }
                        current->CancelFade();
                    }
                });
            },
            Qt::QueuedConnection);
    };
}

} // namespace

void ConnectFadeReceivers(
    VemoOscCallbacks& handlers, std::weak_ptr<Interface> player, QObject& guiContext, ErrorSink onError)
{
    QObject::connect(&handlers, &VemoOscCallbacks::FadeRequested, &guiContext,
        [player, &guiContext, onError](float fadeTime) {
            Guarded(onError, [&] {
                const auto current = player.lock();
                const int milliseconds = osc::SaturatingMilliseconds(fadeTime);
                if (current && current->GetIsPlaying()) {
                    current->Fade(FadeCompletion(player, guiContext, true, onError), osc::FadeSeconds(milliseconds));
                }
            });
        });
    QObject::connect(&handlers, &VemoOscCallbacks::FadeToRequested, &guiContext,
        [player, &guiContext, onError](float fadeTime, float targetVolumePercent, bool) {
            Guarded(onError, [&] {
                const auto current = player.lock();
                const int milliseconds = osc::SaturatingMilliseconds(fadeTime);
                if (current) {
                    current->FadeTo(FadeCompletion(player, guiContext, false, onError), osc::FadeSeconds(milliseconds),
                        targetVolumePercent);
                }
            });
        });
}

} // namespace vemo
