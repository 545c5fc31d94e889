#include "windows/midi_manager_command_controller.h"

#include <vemo_core/std_midi.h>

#include <QUrl>

#include <algorithm>

namespace vemo::qt {
namespace {

const QUrl kDocument("qrc:/qt/qml/com/quorvane/musical_ui/qml/MidiManagerCommand.qml");

// The status's name, or its value in hex ("0xF0") for a status without one.
QString StatusName(int status)
{
    const auto byte = static_cast<UInt8>(status);
    const auto found = std_midi::sb::status_names.find(byte);
    if (found != std_midi::sb::status_names.end()) {
        return QString::fromStdString(found->second);
    }
    return "0x" + QString::number(byte, 16).toUpper().rightJustified(2, '0');
}

} // namespace

MidiManagerCommandController::MidiManagerCommandController(QQmlEngine* engine, std::shared_ptr<ShowManager> showManager,
                                                           int commandId, const QString& commandName, bool learned,
                                                           bool learning, int status, int channel, int note,
                                                           QObject* parent)
    : QmlController(engine, kDocument, parent, true, {})
    , showManager(std::move(showManager))
    , commandId(commandId)
    , channel(channel)
    , note(note)
    , status(status)
{
    SetDocumentProperty("commandName", commandName);
    statusModel = std::make_unique<StringValueListModel>();
    for (const int allowed : this->showManager->GetPlayer()->GetAllowedCommandStatuses()) {
        statusModel->Append({StatusName(allowed), allowed});
    }
    SetDocumentProperty("midiStatusModel", QVariant::fromValue<QObject*>(statusModel.get()));
    SetInitializing(true);
    SetCommandState(status, channel, note, learned, learning, true);
    SetInitializing(false);
    if (QObject* root = QmlObject()) {
        connect(root, SIGNAL(learnClicked()), this, SLOT(onLearnClicked_()));
        connect(root, SIGNAL(midiStatusChanged(int)), this, SLOT(onMidiStatusChanged_(int)));
        connect(root, SIGNAL(noteChanged(int)), this, SLOT(onNoteChanged_(int)));
        connect(root, SIGNAL(channelChanged(int)), this, SLOT(onChannelChanged_(int)));
    }
}

MidiManagerCommandController::~MidiManagerCommandController()
{
    // The row outlives this controller until its deferred deletion: it must not show a dead model.
    SetDocumentProperty("midiStatusModel", QVariant::fromValue<QObject*>(nullptr));
    showManager.reset();
    statusModel.reset();
}

void MidiManagerCommandController::SetDocumentProperty(const char* name, const QVariant& value)
{
    if (QObject* root = QmlObject()) {
        root->setProperty(name, value);
    }
}

void MidiManagerCommandController::SetInitializing(bool initializing)
{
    SetDocumentProperty("initializing", initializing);
}

void MidiManagerCommandController::SetChannel(int channel)
{
    SetDocumentProperty("channelIndex", channel);
    this->channel = channel;
}

void MidiManagerCommandController::SetNote(int note)
{
    SetDocumentProperty("midiNoteIndex", note);
    this->note = note;
}

void MidiManagerCommandController::SetLearned(bool learned)
{
    SetDocumentProperty("learnedCommand", learned);
}

void MidiManagerCommandController::SetEnabled(bool enabled)
{
    SetDocumentProperty("enabledCommand", enabled);
}

void MidiManagerCommandController::SetLearning(bool learning)
{
    SetEnabled(!learning);
    SetDocumentProperty("learningCommand", learning);
}

void MidiManagerCommandController::SetStatus(int status)
{
    SetDocumentProperty("midiStatusIndex", StatusIndex(status));
    this->status = status;
}

void MidiManagerCommandController::SetCommandState(int status, int channel, int note, bool learned, bool learning,
                                                   bool enabled)
{
    SetChannel(channel);
    SetNote(note);
    SetLearned(learned);
    SetEnabled(enabled);
    SetLearning(learning);
    SetStatus(status);
}

void MidiManagerCommandController::ClearCommand()
{
    SetInitializing(true);
    SetCommandState(-1, -1, -1, false, false, true);
    SetInitializing(false);
}

int MidiManagerCommandController::StatusIndex(int status) const
{
    const std::vector<int> statuses = showManager->GetPlayer()->GetAllowedCommandStatuses();
    return static_cast<int>(std::find(statuses.begin(), statuses.end(), status) - statuses.begin());
}

void MidiManagerCommandController::SendMidiCommand()
{
    if (channel >= 0 && note >= 0 && status >= 0) {
        showManager->GetPlayer()->SetMidiCommand(static_cast<UInt8>(commandId), static_cast<UInt8>(status),
                                                 static_cast<UInt8>(channel), static_cast<UInt8>(note));
    }
}

void MidiManagerCommandController::onMidiStatusChanged_(int status)
{
    this->status = status;
    SendMidiCommand();
}

void MidiManagerCommandController::onChannelChanged_(int channel)
{
    this->channel = channel;
    SendMidiCommand();
}

void MidiManagerCommandController::onNoteChanged_(int note)
{
    this->note = note;
    SendMidiCommand();
}

void MidiManagerCommandController::onLearnClicked_()
{
    SetLearning(true);
    showManager->GetPlayer()->LearnMidiCommand(static_cast<UInt8>(commandId));
}

} // namespace vemo::qt
