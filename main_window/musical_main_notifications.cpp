// The engine's notifications: handed over from the engine's thread, then shown in the main window
// and passed to the controllers of the loaded show.
#include "main_window/musical_main_controller.h"

#include "audio_output/mixer_controller.h"
#include "editing/edit_controller.h"
#include "shows/score_view_controller.h"
#include "timeline/timeline_controller.h"

#include <QMetaObject>
#include <QPointer>
#include <QQuickItem>

namespace vemo::qt {
namespace {

QString FlowControlColor(const QString& label)
{
    const QString lower = label.toLower();
    if (lower.contains("skip"))
        return "#6e3493";
    if (lower.contains("repeat"))
        return "#DAA520";
    if (lower.contains("vamp"))
        return "#00BFFF";
    if (lower.contains("caesura"))
        return "#DC143C";
    return "#333";
}

} // namespace

void MusicalMainController::postEngineEvent(int id, int value, const char* text)
{
    if (QmlObject() == nullptr)
        return;
    // Copied now: the engine's text lives only during this call.
    QString copy = QString::fromUtf8(text);
    QPointer<MusicalMainController> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, id, value, copy = std::move(copy)] {
            if (self)
                self->onEngineEvent(id, value, copy.trimmed());
        },
        Qt::QueuedConnection);
}

void MusicalMainController::onEngineEvent(int id, int value, QString text)
{
    Guarded([&] {
        switch (id) {
        case 0:
            emit PlayStarted();
            break;
        case 1:
            emit Stopped();
            break;
        case 2:
            emit Paused();
            break;
        case 3:
            emit Fading();
            break;
        case 4:
            HandleFlowControl(value, text);
            break;
        case 5:
            SetRootProperty("key", text);
            break;
        case 6:
            SetRootProperty("tempo", text);
            break;
        case 7:
            SetRootProperty("meter", text);
            break;
        case 8:
            SetRootProperty("transpose", QString::number(value, 10));
            break;
        case 9:
            SetRootProperty("tempoScale", text);
            break;
        case 10:
            SetRootProperty("beat", text.right(2));
            SetRootProperty("measure", text.left(4));
            break;
        case 11:
            if (editController)
                editController->UpdatePassedMarker(static_cast<UInt32>(value));
            break;
        case 12:
            if (scoreController)
                scoreController->setCurrentPage(static_cast<unsigned>(value));
            break;
        case 13:
            if (timelineController)
                timelineController->SetPlayheadTick(value);
            break;
        case 14:
            SetRootProperty("songTitle", text);
            break;
        case 15:
            HandleSongLoaded(text);
            break;
        case 16:
            emit MidiLearned((value >> 16) & 0xFF, (value >> 8) & 0xF0, (value >> 8) & 0x0F, value & 0xFF);
            break;
        case 17:
            emit MidiUnlearned(value);
            break;
        case 18:
            InvokeOnBanner("highlightMidiNotice");
            break;
        case 19:
            setHighlightContinueButton(true);
            break;
        case 20:
            setHighlightContinueButton(false);
            break;
        case 21:
            SetRootProperty("volumeLevelPercent", value / 1000.0);
            break;
        default:
            break;
        }
    });
}

void MusicalMainController::HandleFlowControl(int value, const QString& text)
{
    const QString label = text == "ClearPickupBeat" ? QString() : text;
    SetRootProperty("flowControlLabel", label);
    SetRootProperty("flowControlValue", !label.isEmpty() && value != 0 ? QVariant(value) : QVariant(QString()));
    SetRootProperty("flowControlBackgroundColor", FlowControlColor(label));
}

void MusicalMainController::HandleSongLoaded(const QString& songNumber)
{
    const std::string song = songNumber.toStdString();
    if (timelineController)
        timelineController->LoadSong(song);
    if (editController)
        editController->OnSongChanged(song);
    auto* mixerItem = qobject_cast<QQuickItem*>(RootItem("mixerControl"));
    if (factory->showMixer && mixerItem != nullptr)
        mixerController = factory->CreateMixerController(mixerItem, engine, player, settings);
}

void MusicalMainController::InvokeOnBanner(const char* function)
{
    if (QObject* banner = RootItem("statusBannerControl"))
        QMetaObject::invokeMethod(banner, function);
}

} // namespace vemo::qt
