#include "handlers/fade_receivers.h"

#include "handlers/vemo_osc_callbacks.h"
#include "osc/fade_time.h"

#include <vemo_player_core/interface.h>

#include <QObject>
#include <QPointer>

#include <mutex>

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

// The GUI-side object that fade completions report to, reachable from the engine thread. Made on
// the object's own thread; the object's destruction waits for a completion that is posting to it,
// and a completion that comes later finds it gone and posts nothing.
class CompletionTarget {
public:
    explicit CompletionTarget(QObject& context) : context_(&context)
    {
        QObject::connect(&context, &QObject::destroyed, [guard = mutex_] { std::lock_guard lock(*guard); });
    }

    // Queues `work` to the object's thread unless the object is gone. Any thread.
    void Post(std::function<void()> work)
    {
        std::lock_guard lock(*mutex_);
        if (QObject* context = context_.data()) {
            QMetaObject::invokeMethod(context, std::move(work), Qt::QueuedConnection);
        }
    }

private:
    std::shared_ptr<std::mutex> mutex_ = std::make_shared<std::mutex>();
    QPointer<QObject> context_;
};

// Runs on an engine thread when a fade has ended; the rest happens on the GUI thread.
std::function<void()> FadeCompletion(
    std::weak_ptr<Interface> player, std::shared_ptr<CompletionTarget> target, bool gotoNextSong, ErrorSink onError)
{
    return [player = std::move(player), target = std::move(target), gotoNextSong, onError = std::move(onError)] {
        target->Post([player, gotoNextSong, onError] {
            Guarded(onError, [&] {
                if (const auto current = player.lock()) {
                    if (current->GetIsFaded() && gotoNextSong) {
                        current->NextSong();
                    }
                    current->CancelFade();
                }
            });
        });
    };
}

} // namespace

void ConnectFadeReceivers(
    VemoOscCallbacks& handlers, std::weak_ptr<Interface> player, QObject& guiContext, ErrorSink onError)
{
    const auto target = std::make_shared<CompletionTarget>(guiContext);
    QObject::connect(&handlers, &VemoOscCallbacks::FadeRequested, &guiContext,
        [player, target, onError](float fadeTime) {
            Guarded(onError, [&] {
                const auto current = player.lock();
                const int milliseconds = osc::SaturatingMilliseconds(fadeTime);
                if (current && current->GetIsPlaying()) {
                    current->Fade(FadeCompletion(player, target, true, onError), osc::FadeSeconds(milliseconds));
                }
            });
        });
    QObject::connect(&handlers, &VemoOscCallbacks::FadeToRequested, &guiContext,
        [player, target, onError](float fadeTime, float targetVolumePercent, bool) {
            Guarded(onError, [&] {
                const auto current = player.lock();
                const int milliseconds = osc::SaturatingMilliseconds(fadeTime);
                if (current) {
                    current->FadeTo(FadeCompletion(player, target, false, onError), osc::FadeSeconds(milliseconds),
                        targetVolumePercent);
                }
            });
        });
}

} // namespace vemo
