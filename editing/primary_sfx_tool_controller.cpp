#include "editing/primary_sfx_tool_controller.h"

#include "audio_output/output_paths_model.h"
#include "editing/sfx_manifest.h"

#include <vemo_core/codes.h>
#include <vemo_core/events.h>

namespace vemo::qt {

// Shared by the sound-effect tools

SfxToolController::SfxToolController(QQmlEngine* engine, const QUrl& document, std::shared_ptr<Interface> player,
                                     EditController* editController, std::shared_ptr<OutputPathsModel> paths,
                                     QObject* parentWindow, char code, const char* modelProperty, ReadEntries read)
    : EditToolController(engine, document, editController, std::move(player), code, parentWindow, true)
    , outputPaths(std::move(paths))
    , effectModelProperty(modelProperty)
{
    effects = read();
    for (const SfxEntry& entry : effects)
        effectModel.append(entry);
    if (QObject* window = QmlObject()) {
        window->setProperty(effectModelProperty, QVariant::fromValue<QObject*>(&effectModel));
        window->setProperty("outputPathsModel", QVariant::fromValue<QObject*>(outputPaths.get()));
    }
}

SfxToolController::~SfxToolController()
{
    // The window outlives the tool until its deferred delete: it must not keep the lists it shows.
    if (QObject* window = QmlObject()) {
        window->setProperty(effectModelProperty, QVariant::fromValue<QObject*>(nullptr));
        window->setProperty("outputPathsModel", QVariant::fromValue<QObject*>(nullptr));
    }
}

CL::SfxProperties SfxToolController::PropertiesOf(const Request& request, const CL::SfxProperties* stored)
{
    CL::SfxProperties properties;
    properties.setName(request.name.toStdString());
    if (stored != nullptr && request.outputPathIndex < 0) {
        properties.setOutputPath(stored->outputPath());
    } else {
        properties.setOutputPath(request.outputPath.toStdString());
    }
    if (stored != nullptr && request.effectIdIndex < 0) {
        properties.setEffectId(stored->effectId());
        properties.setEffectIdIndex(stored->effectIdIndex());
    } else {
        properties.setEffectId(request.effectId.toStdString());
        properties.setEffectIdIndex(request.effectIdIndex);
    }
    properties.setVolume(static_cast<float>(request.volume) / 100.0f);
    properties.setPan(static_cast<float>(request.pan) / 100.0f);
    properties.setReverb(static_cast<float>(request.reverb) / 100.0f);
    return properties;
}

void SfxToolController::RequestSfxCreation(const QString& startBar, int startBeat, const QString& endBar, int endBeat,
                                           const Request& request, const MakeCue& make)
{
    const auto ticks = RequestTicks(startBar, startBeat, endBar, endBeat);
    if (!ticks)
        return;
    const std::unique_ptr<cmn::VemoEvent> cue = make(ticks->first, ticks->second, WindowEventId(),
                                                     PropertiesOf(request, nullptr));
    AddEvent(*cue);
}

void SfxToolController::RequestSfxChange(const QString& startBar, int startBeat, const QString& endBar, int endBeat,
                                         const Request& request)
{
    if (EditedEvent() == nullptr)
        return;
    const auto ticks = RequestTicks(startBar, startBeat, endBar, endBeat);
    if (!ticks)
        return;
    const CL::SfxProperties stored = EditedEvent()->sfx_properties();
    const CL::SfxProperties properties = PropertiesOf(request, &stored);
    ApplyChange(ticks->first, ticks->second, [&] { EditEventSFXPropertyValues(EditedEvent(), properties); });
}

int SfxToolController::EffectRowOf(const std::string& effectId, int effectIdIndex) const
{
    const QString id = QString::fromStdString(effectId);
    if (effectIdIndex >= 0 && static_cast<std::size_t>(effectIdIndex) < effects.size()
        && effects[static_cast<std::size_t>(effectIdIndex)].effectId == id)
        return effectIdIndex;
    for (std::size_t row = 0; row < effects.size(); ++row) {
        if (effects[row].effectId == id)
            return static_cast<int>(row);
    }
    return -1;
}

void SfxToolController::PutProperties(const CL::SfxProperties& properties)
{
    SetSfxProperties(properties);
    // The manifest belongs to this machine and the cue may come from another one: rows move when
    // effects are added or removed, so the stored index alone could show (and send) another effect.
    if (QObject* window = QmlObject())
        window->setProperty("effectIdIndex", EffectRowOf(properties.effectId(), properties.effectIdIndex()));
}

TL::BarsBeats SfxToolController::EditRecordAt(std::uint32_t tick) const
{
    return player->GetBarBeatByTick(player->GetBarBeatByTick(tick, false, true).tick);
}

void SfxToolController::OpenCue(const cmn::VemoEvent* cue)
{
    OpenForEdit(cue, [&](const TL::BarsBeats&) { PutProperties(cue->sfx_properties()); });
}

// Primary

PrimarySFXToolController::PrimarySFXToolController(QQmlEngine* engine, std::shared_ptr<Interface> player,
                                                   EditController* editController,
                                                   std::shared_ptr<OutputPathsModel> outputPaths,
                                                   QObject* parentWindow)
    : SfxToolController(engine, ToolDocument("PrimarySFXTool.qml"),
                        std::move(player), editController, std::move(outputPaths), parentWindow,
                        static_cast<char>(codes::kSfx), "sfxListModel", &vemo::editing::ReadPrimarySfxEntries)
{
}

void PrimarySFXToolController::ConnectDocument()
{
    ConnectToolWindow(SIGNAL(changePrimarySFXRequest(QString,int,QString,QString,int,QString,int,int,int,int)),
                      SLOT(onPrimarySFXChangeRequest(QString,int,QString,QString,int,QString,int,int,int,int)),
                      SIGNAL(createPrimarySFXRequest(QString,int,QString,QString,int,QString,int,int,int,int)),
                      SLOT(onPrimarySFXCreationRequest(QString,int,QString,QString,int,QString,int,int,int,int)),
                      SIGNAL(primarySFXToolClosing()), SLOT(onPrimarySFXToolClosing()), false);
}

QVariantList PrimarySFXToolController::SoundEffects() const
{
    QVariantList names;
    for (const SfxEntry& entry : Effects())
        names.append(entry.displayName);
    return names;
}

void PrimarySFXToolController::onPrimarySFXButtonClicked(TL::BarsBeats barsBeats)
{
    OpenForNew(barsBeats, barsBeats);
}

void PrimarySFXToolController::onPrimarySFXCreationRequest(QString bar, int beat, QString name, QString outputPath,
                                                           int outputPathIndex, QString effectId, int effectIdIndex,
                                                           int volume, int pan, int reverb)
{
    RequestSfxCreation(bar, beat, bar, beat,
                       {name, outputPath, outputPathIndex, effectId, effectIdIndex, volume, pan, reverb},
                       [](std::uint32_t start, std::uint32_t, std::string id, const CL::SfxProperties& properties) {
                           return std::make_unique<CL::Sfx>(start, std::move(id), properties);
                       });
}

void PrimarySFXToolController::onPrimarySFXEdit(cmn::VemoEvent* vemoEvent)
{
    OpenCue(vemoEvent);
}

void PrimarySFXToolController::onPrimarySFXChangeRequest(QString bar, int beat, QString name, QString outputPath,
                                                         int outputPathIndex, QString effectId, int effectIdIndex,
                                                         int volume, int pan, int reverb)
{
    RequestSfxChange(bar, beat, bar, beat,
                     {name, outputPath, outputPathIndex, effectId, effectIdIndex, volume, pan, reverb});
}

void PrimarySFXToolController::onPrimarySFXToolClosing()
{
    emit primarySFXToolClosing();
}

} // namespace vemo::qt
