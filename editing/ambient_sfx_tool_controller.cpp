#include "editing/ambient_sfx_tool_controller.h"

#include "editing/sfx_manifest.h"

#include <vemo_core/codes.h>
#include <vemo_core/events.h>

namespace vemo::qt {

AmbientSFXToolController::AmbientSFXToolController(QQmlEngine* engine, std::shared_ptr<Interface> player,
                                                   EditController* editController,
                                                   std::shared_ptr<OutputPathsModel> outputPaths,
                                                   QObject* parentWindow)
    : SfxToolController(engine, ToolDocument("AmbientSFXTool.qml"),
                        std::move(player), editController, std::move(outputPaths), parentWindow,
                        static_cast<char>(codes::kSfxAmbient), "ambientListModel",
                        &vemo::editing::ReadAmbientSfxEntries)
{
}

void AmbientSFXToolController::ConnectDocument()
{
    ConnectToolWindow(
        SIGNAL(changeAmbientSFXRequest(QString,int,QString,int,QString,QString,int,QString,int,int,int,int)),
        SLOT(onAmbientSFXChangeRequest(QString,int,QString,int,QString,QString,int,QString,int,int,int,int)),
        SIGNAL(createAmbientSFXRequest(QString,int,QString,int,QString,QString,int,QString,int,int,int,int)),
        SLOT(onAmbientSFXCreationRequest(QString,int,QString,int,QString,QString,int,QString,int,int,int,int)),
        SIGNAL(ambientSFXToolClosing()), SLOT(onAmbientSFXToolClosing()), true);
}

void AmbientSFXToolController::onAmbientSFXButtonClicked(TL::BarsBeats inBarsBeats, TL::BarsBeats outBarsBeats)
{
    OpenForNew(inBarsBeats, outBarsBeats);
}

void AmbientSFXToolController::onAmbientSFXCreationRequest(QString inBar, int inBeat, QString outBar, int outBeat,
                                                           QString name, QString outputPath, int outputPathIndex,
                                                           QString effectId, int effectIdIndex, int volume, int pan,
                                                           int reverb)
{
    RequestSfxCreation(inBar, inBeat, outBar, outBeat,
                       {name, outputPath, outputPathIndex, effectId, effectIdIndex, volume, pan, reverb},
                       [](std::uint32_t start, std::uint32_t end, std::string id, const CL::SfxProperties& properties) {
                           return std::make_unique<CL::SfxAmbient>(start, end, std::move(id), properties);
                       });
}

void AmbientSFXToolController::onAmbientSFXEdit(cmn::VemoEvent* vemoEvent)
{
    OpenCue(vemoEvent);
}

void AmbientSFXToolController::onAmbientSFXChangeRequest(QString startBar, int startBeat, QString endBar, int endBeat,
                                                         QString name, QString outputPath, int outputPathIndex,
                                                         QString effectId, int effectIdIndex, int volume, int pan,
                                                         int reverb)
{
    RequestSfxChange(startBar, startBeat, endBar, endBeat,
                     {name, outputPath, outputPathIndex, effectId, effectIdIndex, volume, pan, reverb});
}

void AmbientSFXToolController::onAmbientSFXToolClosing()
{
    emit ambientSFXToolClosing();
}

} // namespace vemo::qt
