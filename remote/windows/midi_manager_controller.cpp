#include "windows/midi_manager_controller.h"

#include <QStringList>
#include <QUrl>

namespace vemo::qt {
namespace {

const QUrl kDocument("qrc:/qt/qml/com/quorvane/musical_ui/qml/MidiManager.qml");

} // namespace

MidiManagerController::MidiManagerController(QQmlEngine* engine, std::shared_ptr<ShowManager> showManager,
                                             std::shared_ptr<AppSettings> settings, QObject* parent)
    : QmlController(engine, kDocument, parent, true, {})
    , showManager(std::move(showManager))
    , settings(std::move(settings))
{
    QObject* root = QmlObject();
    if (root == nullptr) {
        return;
    }
    const std::shared_ptr<Interface> player = this->showManager->GetPlayer();
    const auto names = player->GetCommandNames();
    const auto learnedCommands = player->GetLearnedCommands();
    auto* column = root->property("commandColumnObject").value<QObject*>();
    for (const auto& [id, name] : names) {
        bool learned = false;
        int status = -1;
        int channel = -1;
        int note = -1;
        if (const auto found = learnedCommands.find(id); found != learnedCommands.end()) {
            learned = true;
            status = found->second.status;
            channel = found->second.channel;
            note = found->second.note;
        }
        const bool learning = player->IsMidiCommandLearning(id);
        rows.push_back(std::make_unique<MidiManagerCommandController>(engine, this->showManager, id,
            QString::fromStdString(name), learned, learning, status, channel, note, column));
    }
    connect(root, SIGNAL(sourceSelected(int)), this, SLOT(onSourceSelected_(int)), Qt::UniqueConnection);

    QStringList sourceNames;
    for (const midi::MidiEndPoint& source : player->GetMidiSources()) {
        sourceNames << QString::fromStdString(source.GetSourceName());
    }
    root->setProperty("sourceModel", sourceNames);
    ApplySavedSource(sourceNames);
    if (player->HasMidiSource()) {
        root->setProperty("sourceIndex", static_cast<int>(player->GetConnectedSourceIndex()));
        SetSourceStatus(true);
    }
}

MidiManagerController::~MidiManagerController()
{
    rows.clear();
    settings.reset();
    showManager.reset();
}

void MidiManagerController::ApplySavedSource(const QStringList& sourceNames)
{
    if (sourceNames.isEmpty()) {
        return;
    }
    const int index = std::max(0, static_cast<int>(sourceNames.indexOf(settings->currentMidiSourceName)));
    QmlObject()->setProperty("sourceIndex", index);
    showManager->GetPlayer()->SetMidiSource(index);
}

int MidiManagerController::RowIndex(int commandId) const
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i]->CommandId() == commandId) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void MidiManagerController::SetSourceStatus(bool connected)
{
    QmlObject()->setProperty("sourceStatus", connected);
}

void MidiManagerController::MidiLearned(int commandId, int midiStatus, int channel, int note)
{
    const int row = RowIndex(commandId);
    if (row < 0) {
        return;
    }
    MidiManagerCommandController& command = *rows[static_cast<std::size_t>(row)];
    command.SetInitializing(true);
    command.SetCommandState(midiStatus, channel, note, true, false, true);
    command.SetInitializing(false);
}

void MidiManagerController::MidiUnlearned(int commandId)
{
    const int row = RowIndex(commandId);
    if (row >= 0) {
        rows[static_cast<std::size_t>(row)]->ClearCommand();
    }
}

void MidiManagerController::onSourceSelected_(int index)
{
    showManager->GetPlayer()->SetMidiSource(index);
    QObject* root = QmlObject();
    if (root == nullptr) {
        return;
    }
    const QStringList names = root->property("sourceModel").toStringList();
    if (index >= 0 && index < names.size()) {
        settings->currentMidiSourceName = names[index];
        settings->Save();
    }
}

} // namespace vemo::qt
