// The transport slots of the main window: each turns a user or remote command into engine calls.
#include "main_window/musical_main_controller.h"

#include "main_window/show_manager.h"

#include <osc/fade_time.h>

#include <QMetaObject>
#include <QPointer>
#include <QVariant>

namespace vemo::qt {

void MusicalMainController::Guarded(const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception& e) {
        onError(e.what(), "Playback Error");
    }
}

std::function<void()> MusicalMainController::FadeCompletion(bool gotoNextSong, bool stopAfter)
{
    // Made on the GUI thread; the engine calls the completion on its own thread, and the engine is
    // shut down before this controller goes, so the guard is never read while it is being cleared.
    QPointer<MusicalMainController> self(this);
    return [self, gotoNextSong, stopAfter] {
        if (!self)
            return;
        emit self->FadeComplete(gotoNextSong);
        if (stopAfter) {
            QMetaObject::invokeMethod(
                self.data(),
                [self] {
                    if (self && self->player)
                        self->Guarded([&] { self->player->Stop(); });
                },
                Qt::QueuedConnection);
        }
    };
}

void MusicalMainController::Play_()
{
    if (!player)
        return;
    Guarded([this] {
        player->Play();
        FlushPendingOscCommands();
    });
}

void MusicalMainController::Stop_()
{
    if (!player)
        return;
    Guarded([this] { player->Stop(); });
}

void MusicalMainController::PauseToggleSlot_()
{
    PauseToggle_(false);
}

void MusicalMainController::PauseToggle_()
{
    PauseToggle_(false);
}

void MusicalMainController::PauseToggle_(bool fadeCompleted)
{
    if (!player)
        return;
    Guarded([this, fadeCompleted] {
        const bool stopped = !player->GetIsPlaying() && !player->GetIsFaded();
        if (player->GetIsPaused() || stopped) {
            player->Play();
            FlushPendingOscCommands();
        } else {
            player->Pause(fadeCompleted);
        }
    });
}

void MusicalMainController::ContinuePlay_()
{
    if (!player)
        return;
    Guarded([this] {
        player->Continue();
        FlushPendingOscCommands();
    });
}

void MusicalMainController::ContinueFlow_()
{
    if (!player)
        return;
    Guarded([this] {
        player->FlowControlExit();
        FlushPendingOscCommands();
    });
}

void MusicalMainController::NextSong_()
{
    if (!player)
        return;
    onClearOscQueue();
    Guarded([this] { player->NextSong(); });
}

void MusicalMainController::PrevSong_()
{
    if (!player)
        return;
    onClearOscQueue();
    Guarded([this] { player->PrevSong(); });
}

void MusicalMainController::Fade_(int fadeTimeMs)
{
    if (!player)
        return;
    Guarded([this, fadeTimeMs] {
        if (player->GetIsPlaying())
            player->Fade(FadeCompletion(true, false), osc::FadeSeconds(fadeTimeMs));
    });
}

void MusicalMainController::FadeTo_(int fadeTimeMs, double targetVolumerPercent)
{
    if (!player)
        return;
    Guarded([this, fadeTimeMs, targetVolumerPercent] {
        player->FadeTo(FadeCompletion(false, false), osc::FadeSeconds(fadeTimeMs),
                       static_cast<float>(targetVolumerPercent));
    });
}

void MusicalMainController::FadeToStop_(int fadeTimeMs)
{
    if (!player)
        return;
    Guarded([this, fadeTimeMs] {
        if (player->GetIsPlaying())
            player->Fade(FadeCompletion(true, true), osc::FadeSeconds(fadeTimeMs));
    });
}

void MusicalMainController::FadeComplete_(bool gotoNextSong)
{
    if (!player)
        return;
    Guarded([this, gotoNextSong] {
        if (player->GetIsFaded() && gotoNextSong)
            player->NextSong();
        player->CancelFade();
    });
}

void MusicalMainController::JumpToBar_(QString barNum)
{
    if (!player)
        return;
    onClearOscQueue();
    Guarded([this, &barNum] { emit JumpToBarResult(player->SeekToBar(barNum.toStdString())); });
}

void MusicalMainController::JumpToBarStartRequested()
{
    if (QObject* root = QmlObject())
        QMetaObject::invokeMethod(root, "startJumpToBar");
}

void MusicalMainController::SeekNextBarRequested_()
{
    if (showManager)
        Guarded([this] { showManager->GetPlayer()->SeekToNextMeasure(); });
}

void MusicalMainController::SeekPrevBarRequested_()
{
    if (showManager)
        Guarded([this] { showManager->GetPlayer()->SeekToPreviousMeasure(); });
}

void MusicalMainController::SeekNextMarkerRequested_()
{
    if (showManager)
        Guarded([this] { showManager->GetPlayer()->SeekRight(); });
}

void MusicalMainController::SeekPrevMarkerRequested_()
{
    if (showManager)
        Guarded([this] { showManager->GetPlayer()->SeekLeft(); });
}

void MusicalMainController::ZoomInRequested_()
{
    if (QObject* timeline = RootItem("timelineControl"))
        QMetaObject::invokeMethod(timeline, "zoomin", Q_ARG(QVariant, 0.6), Q_ARG(QVariant, true));
}

void MusicalMainController::ZoomOutRequested_()
{
    if (QObject* timeline = RootItem("timelineControl"))
        QMetaObject::invokeMethod(timeline, "zoomout", Q_ARG(QVariant, 0.6), Q_ARG(QVariant, true));
}

void MusicalMainController::onSelectAllRequested_()
{
    QObject* root = QmlObject();
    if (!player || root == nullptr)
        return;
    Guarded([this, root] {
        const std::string song = player->GetCurrentSongNumber();
        const UInt32 start = player->GetSongAudioStartTick(song);
        const UInt32 end = player->GetSongAudioEndTick(song);
        QMetaObject::invokeMethod(root, "setSelectionStart", Q_ARG(QVariant, QVariant::fromValue(start)));
        QMetaObject::invokeMethod(root, "setSelectionEnd", Q_ARG(QVariant, QVariant::fromValue(end)));
    });
}

void MusicalMainController::setHighlightContinueButton(bool highlight)
{
    SetRootProperty("highlightContinueButton", highlight);
}

} // namespace vemo::qt
