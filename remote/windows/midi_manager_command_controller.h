#pragma once

#include "app/qml_controller.h"
#include "audio_output/string_value_list_model.h"
#include "main_window/show_manager.h"

#include <QString>

#include <memory>

namespace vemo::qt {

// One row of the "MIDI Manager" window: the MIDI message (status, channel, note) assigned to one
// engine command, chosen by hand or learned by the engine.
class MidiManagerCommandController : public QmlController {
    Q_OBJECT

public:
    // `parent` is the window's command column; the row becomes its last child. Status, channel and
    // note are -1 when not chosen.
    MidiManagerCommandController(QQmlEngine* engine, std::shared_ptr<ShowManager> showManager, int commandId,
                                 const QString& commandName, bool learned, bool learning, int status, int channel,
                                 int note, QObject* parent);
    ~MidiManagerCommandController() override;

    int CommandId() const { return commandId; }

    void SetInitializing(bool initializing);
    void SetChannel(int channel);
    void SetNote(int note);
    void SetLearned(bool learned);
    void SetEnabled(bool enabled);
    void SetLearning(bool learning);
    void SetStatus(int status);
    void SetCommandState(int status, int channel, int note, bool learned, bool learning, bool enabled);
    // Back to "not assigned", without telling the engine.
    void ClearCommand();

public slots:
    void onMidiStatusChanged_(int status);
    void onChannelChanged_(int channel);
    void onNoteChanged_(int note);
    void onLearnClicked_();

private:
    // The position of `status` in the engine's allowed statuses; their count when absent.
    int StatusIndex(int status) const;
    // Sends the assignment once status, channel and note are all chosen.
    void SendMidiCommand();
    void SetDocumentProperty(const char* name, const QVariant& value);

    std::unique_ptr<StringValueListModel> statusModel;
    std::shared_ptr<ShowManager> showManager;
    int commandId;
    int channel;
    int note;
    int status;
};

} // namespace vemo::qt
