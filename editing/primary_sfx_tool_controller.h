#pragma once

#include "editing/edit_tool_controller.h"
#include "editing/sfx_list_model.h"

#include <QVariantList>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vemo::qt {

class OutputPathsModel;

// What the two sound-effect tools share: the effects of the machine's manifest in the window's
// effect list, the show's output paths in its output list, and the cue's properties as the window
// sends them.
class SfxToolController : public EditToolController {
    Q_OBJECT

public:
    using ReadEntries = std::vector<SfxEntry> (*)();

    // Reads the manifest last; a failed reading throws std::runtime_error with its text, and the
    // window the base made goes with the base.
    SfxToolController(QQmlEngine* engine, const QUrl& document, std::shared_ptr<Interface> player,
                      EditController* editController, std::shared_ptr<OutputPathsModel> outputPaths,
                      QObject* parentWindow, char code, const char* effectModelProperty, ReadEntries read);
    ~SfxToolController() override;

    const std::vector<SfxEntry>& Effects() const { return effects; }
    // The record an edit window shows for one of a cue's ticks: the beat the tick snaps to on the
    // grid without click edits, found again on the click grid.
    TL::BarsBeats EditRecordAt(std::uint32_t tick) const override;

protected:
    // The values a window sends besides its bars and beats.
    struct Request {
        QString name;
        QString outputPath;
        int outputPathIndex = -1;
        QString effectId;
        int effectIdIndex = -1;
        int volume = 0;
        int pan = 0;
        int reverb = 0;
    };

    // The window's values as a cue's properties. With `stored` (a change), a list without a chosen
    // row keeps the stored output path, or the stored effect id and index.
    static CL::SfxProperties PropertiesOf(const Request& request, const CL::SfxProperties* stored);

    using MakeCue = std::function<std::unique_ptr<cmn::VemoEvent>(std::uint32_t start, std::uint32_t end,
                                                                  std::string id, const CL::SfxProperties&)>;

    // A new cue at the picked bars and beats with the window's values, made by `make`.
    void RequestSfxCreation(const QString& startBar, int startBeat, const QString& endBar, int endBeat,
                            const Request& request, const MakeCue& make);
    // The change of the edited cue to the picked bars and beats and the window's values.
    void RequestSfxChange(const QString& startBar, int startBeat, const QString& endBar, int endBeat,
                          const Request& request);
    // Fills the window from stored properties. The effect list shows the row that carries the
    // stored effect id: the stored row when it still does, else the first that does, else none.
    void PutProperties(const CL::SfxProperties& properties);
    // The row to show for a stored effect id and index; -1 when no row carries the id.
    int EffectRowOf(const std::string& effectId, int effectIdIndex) const;
    // Opens the window on a stored cue and its properties.
    void OpenCue(const cmn::VemoEvent* cue);

private:
    SfxListModel effectModel;
    std::shared_ptr<OutputPathsModel> outputPaths;
    std::vector<SfxEntry> effects;
    const char* effectModelProperty;
};

// The primary sound-effect tool ('Q'): one effect cue at a bar and beat, with its name, output
// path, effect and levels.
class PrimarySFXToolController : public SfxToolController {
    Q_OBJECT
    Q_PROPERTY(QVariantList soundEffects READ SoundEffects CONSTANT)

public:
    PrimarySFXToolController(QQmlEngine* engine, std::shared_ptr<Interface> player, EditController* editController,
                             std::shared_ptr<OutputPathsModel> outputPaths, QObject* parentWindow);

    void ConnectDocument() override;
    // The effects' display names, in list order.
    QVariantList SoundEffects() const;

signals:
    void primarySFXToolClosing();

public slots:
    void onPrimarySFXButtonClicked(TL::BarsBeats barsBeats = {});
    void onPrimarySFXCreationRequest(QString bar, int beat, QString name, QString outputPath, int outputPathIndex,
                                     QString effectId, int effectIdIndex, int volume, int pan, int reverb);
    void onPrimarySFXEdit(cmn::VemoEvent* vemoEvent);
    void onPrimarySFXChangeRequest(QString bar, int beat, QString name, QString outputPath, int outputPathIndex,
                                   QString effectId, int effectIdIndex, int volume, int pan, int reverb);
    void onPrimarySFXToolClosing();
};

} // namespace vemo::qt
