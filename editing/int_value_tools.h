#pragma once

#include "editing/cut_skip_tools.h"

#include <memory>

namespace vemo::qt {

// What the range tools with a whole-number value share (vamp, repeat, transpose, click): the
// window's requests carry the in bar, in beat, out bar, out beat and the value.
class IntValueToolController : public PlainRangeToolController {
    Q_OBJECT

public:
    using MakeValueEvent =
        std::function<std::unique_ptr<cmn::VemoEvent>(UInt32 start, UInt32 end, std::string id, int value)>;

    IntValueToolController(QQmlEngine* engine, const QUrl& document, EditController* editController,
                           std::shared_ptr<Interface> player, char code, QObject* parentWindow, bool barsFlag = true);

protected:
    void RequestValueCreation(const QString& startBar, int startBeat, const QString& endBar, int endBeat, int value,
                              const MakeValueEvent& make);
    // The change of an opened event: its new range, then its new value, then valuesUpdated().
    void RequestValueChange(const QString& startBar, int startBeat, const QString& endBar, int endBeat, int value);
    // Opens the window on `event`, its int_value() in the window's `intValue` and `value`.
    void OpenWithIntValue(const cmn::VemoEvent* event);
};

// The vamp tool ('@'): a range played over and over, `count` times or, for 0, until released.
class VampToolController : public IntValueToolController {
    Q_OBJECT

public:
    VampToolController(QQmlEngine* engine, std::shared_ptr<Interface> player, EditController* editController,
                       QObject* parentWindow);

    void ConnectDocument() override;

signals:
    void vampToolClosing();

public slots:
    void onVampButtonClicked(TL::BarsBeats startBarsBeats = {}, TL::BarsBeats endBarsBeats = {});
    void onVampCreationRequest(QString startBar, int startBeat, QString endBar, int endBeat, int count);
    void onVampEdit(cmn::VemoEvent* event);
    void onVampChangeRequest(QString startBar, int startBeat, QString endBar, int endBeat, int count);
    void onVampToolClosing();
};

// The repeat tool ('A'): a range played `count` times.
class RepeatToolController : public IntValueToolController {
    Q_OBJECT

public:
    RepeatToolController(QQmlEngine* engine, std::shared_ptr<Interface> player, EditController* editController,
                         QObject* parentWindow);

    void ConnectDocument() override;

signals:
    void repeatToolClosing();

public slots:
    void onRepeatButtonClicked(TL::BarsBeats startBarsBeats = {}, TL::BarsBeats endBarsBeats = {});
    void onRepeatCreationRequest(QString startBar, int startBeat, QString endBar, int endBeat, int count);
    void onRepeatEdit(cmn::VemoEvent* event);
    void onRepeatChangeRequest(QString startBar, int startBeat, QString endBar, int endBeat, int count);
    void onRepeatToolClosing();
};

// The transposition tool ('C'): a range whose key is shifted by `count` half steps.
class TransposeToolController : public IntValueToolController {
    Q_OBJECT

public:
    TransposeToolController(QQmlEngine* engine, std::shared_ptr<Interface> player, EditController* editController,
                            QObject* parentWindow);

    void ConnectDocument() override;

signals:
    void transposeToolClosing();

public slots:
    void onTransposeButtonClicked(TL::BarsBeats startBarsBeats = {}, TL::BarsBeats endBarsBeats = {});
    void onTransposeCreationRequest(QString startBar, int startBeat, QString endBar, int endBeat, int count);
    void onTransposeEdit(cmn::VemoEvent* event);
    void onTransposeChangeRequest(QString startBar, int startBeat, QString endBar, int endBeat, int count);
    void onTransposeToolClosing();
};

} // namespace vemo::qt
