#include "editing/cut_skip_tools.h"

#include <vemo_core/codes.h>

namespace vemo::qt {

PlainRangeToolController::PlainRangeToolController(QQmlEngine* engine, const QUrl& document,
                                                   EditController* editController, std::shared_ptr<Interface> player,
                                                   char code, QObject* parentWindow, bool barsFlag)
    : EditToolController(engine, document, editController, std::move(player), code, parentWindow, barsFlag)
{
}

void PlainRangeToolController::RequestCreation(const QVariant& startBar, const QVariant& startBeat,
                                               const QVariant& endBar, const QVariant& endBeat, const MakeEvent& make)
{
    const auto ticks = RequestTicks(startBar, startBeat, endBar, endBeat);
    if (!ticks)
        return;
    const std::unique_ptr<cmn::VemoEvent> event = make(ticks->first, ticks->second, WindowEventId());
    AddEvent(*event);
}

void PlainRangeToolController::RequestChange(const QVariant& startBar, const QVariant& startBeat,
                                             const QVariant& endBar, const QVariant& endBeat)
{
    const auto ticks = RequestTicks(startBar, startBeat, endBar, endBeat);
    if (ticks)
        ApplyChange(ticks->first, ticks->second, {});
}

// Cut

CutToolController::CutToolController(QQmlEngine* engine, std::shared_ptr<Interface> player,
                                     EditController* editController, QObject* parentWindow)
    : PlainRangeToolController(engine, ToolDocument("CutTool.qml"), editController, std::move(player),
                               static_cast<char>(codes::kCut), parentWindow)
{
}

void CutToolController::ConnectDocument()
{
    ConnectToolWindow(SIGNAL(changeCutRequest(QVariant,QVariant,QVariant,QVariant)),
                      SLOT(onCutChangeRequest(QVariant,QVariant,QVariant,QVariant)),
                      SIGNAL(createCutRequest(QVariant,QVariant,QVariant,QVariant)),
                      SLOT(onCutCreationRequest(QVariant,QVariant,QVariant,QVariant)), SIGNAL(cutToolClosing()),
                      SLOT(onCutToolClosing()), true);
}

void CutToolController::onCutButtonClicked(TL::BarsBeats startBarsBeats, TL::BarsBeats endBarsBeats)
{
    OpenForNew(startBarsBeats, endBarsBeats);
}

void CutToolController::onCutCreationRequest(QVariant startBar, QVariant startBeat, QVariant endBar, QVariant endBeat)
{
    RequestCreation(startBar, startBeat, endBar, endBeat, [](UInt32 start, UInt32 end, std::string id) {
        return std::make_unique<CL::Cut>(start, end, std::move(id), 0);
    });
}

void CutToolController::onCutEdit(cmn::VemoEvent* event)
{
    OpenForEdit(event);
}

void CutToolController::onCutChangeRequest(QVariant startBar, QVariant startBeat, QVariant endBar, QVariant endBeat)
{
    RequestChange(startBar, startBeat, endBar, endBeat);
}

void CutToolController::onCutToolClosing()
{
    emit cutToolClosing();
}

// Skip

SkipToolController::SkipToolController(QQmlEngine* engine, std::shared_ptr<Interface> player,
                                       EditController* editController, QObject* parentWindow)
    : PlainRangeToolController(engine, ToolDocument("SkipTool.qml"), editController, std::move(player),
                               static_cast<char>(codes::kSkip), parentWindow)
{
}

void SkipToolController::ConnectDocument()
{
    ConnectToolWindow(SIGNAL(changeSkipRequest(QVariant,QVariant,QVariant,QVariant)),
                      SLOT(onSkipChangeRequest(QVariant,QVariant,QVariant,QVariant)),
                      SIGNAL(createSkipRequest(QVariant,QVariant,QVariant,QVariant)),
                      SLOT(onSkipCreationRequest(QVariant,QVariant,QVariant,QVariant)), SIGNAL(skipToolClosing()),
                      SLOT(onSkipToolClosing()), true);
}

void SkipToolController::onSkipButtonClicked(TL::BarsBeats startBarsBeats, TL::BarsBeats endBarsBeats)
{
    OpenForNew(startBarsBeats, endBarsBeats);
}

void SkipToolController::onSkipCreationRequest(QVariant startBar, QVariant startBeat, QVariant endBar,
                                               QVariant endBeat)
{
    RequestCreation(startBar, startBeat, endBar, endBeat, [](UInt32 start, UInt32 end, std::string id) {
        return std::make_unique<CL::Fermata>(start, end, std::move(id), 0);
    });
}

void SkipToolController::onSkipEdit(cmn::VemoEvent* event)
{
    OpenForEdit(event);
}

void SkipToolController::onSkipChangeRequest(QVariant startBar, QVariant startBeat, QVariant endBar, QVariant endBeat)
{
    RequestChange(startBar, startBeat, endBar, endBeat);
}

void SkipToolController::onSkipToolClosing()
{
    emit skipToolClosing();
}

} // namespace vemo::qt
