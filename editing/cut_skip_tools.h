#pragma once

#include "editing/edit_tool_controller.h"

#include <functional>
#include <memory>
#include <string>

namespace vemo::qt {

// What the range tools share: the window's connections, and a creation and change of the range.
class PlainRangeToolController : public EditToolController {
    Q_OBJECT

public:
    using MakeEvent = std::function<std::unique_ptr<cmn::VemoEvent>(UInt32 start, UInt32 end, std::string id)>;

    PlainRangeToolController(QQmlEngine* engine, const QUrl& document, EditController* editController,
                             std::shared_ptr<Interface> player, char code, QObject* parentWindow,
                             bool barsFlag = true);

protected:
    void RequestCreation(const QVariant& startBar, const QVariant& startBeat, const QVariant& endBar,
                         const QVariant& endBeat, const MakeEvent& make);
    void RequestChange(const QVariant& startBar, const QVariant& startBeat, const QVariant& endBar,
                       const QVariant& endBeat);
};

// The cut tool ('B'): a range of the song that playback jumps over.
class CutToolController : public PlainRangeToolController {
    Q_OBJECT

public:
    CutToolController(QQmlEngine* engine, std::shared_ptr<Interface> player, EditController* editController,
                      QObject* parentWindow);

    void ConnectDocument() override;

signals:
    void cutToolClosing();

public slots:
    void onCutButtonClicked(TL::BarsBeats startBarsBeats = {}, TL::BarsBeats endBarsBeats = {});
    void onCutCreationRequest(QVariant startBar, QVariant startBeat, QVariant endBar, QVariant endBeat);
    void onCutEdit(cmn::VemoEvent* event);
    void onCutChangeRequest(QVariant startBar, QVariant startBeat, QVariant endBar, QVariant endBeat);
    void onCutToolClosing();
};

// The skip tool ('M', a CL::Fermata): a range the operator can jump out of.
class SkipToolController : public PlainRangeToolController {
    Q_OBJECT

public:
    SkipToolController(QQmlEngine* engine, std::shared_ptr<Interface> player, EditController* editController,
                       QObject* parentWindow);

    void ConnectDocument() override;

signals:
    void skipToolClosing();

public slots:
    void onSkipButtonClicked(TL::BarsBeats startBarsBeats = {}, TL::BarsBeats endBarsBeats = {});
    void onSkipCreationRequest(QVariant startBar, QVariant startBeat, QVariant endBar, QVariant endBeat);
    void onSkipEdit(cmn::VemoEvent* event);
    void onSkipChangeRequest(QVariant startBar, QVariant startBeat, QVariant endBar, QVariant endBeat);
    void onSkipToolClosing();
};

} // namespace vemo::qt
