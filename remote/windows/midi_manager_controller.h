#pragma once

#include "app/app_settings.h"
#include "app/qml_controller.h"
#include "main_window/show_manager.h"
#include "windows/midi_manager_command_controller.h"

#include <memory>
#include <vector>

namespace vemo::qt {

// The "MIDI Manager" window: the engine's MIDI source and one row per engine command. The source
// the user picks is applied and its name kept in the general settings.
class MidiManagerController : public QmlController {
    Q_OBJECT

public:
    MidiManagerController(QQmlEngine* engine, std::shared_ptr<ShowManager> showManager,
                          std::shared_ptr<AppSettings> settings, QObject* parent);
    ~MidiManagerController() override;

    // The command rows, in ascending command id.
    const std::vector<std::unique_ptr<MidiManagerCommandController>>& Rows() const { return rows; }

public slots:
    // The engine learned a command; a command without a row is ignored.
    void MidiLearned(int commandId, int midiStatus, int channel, int note);
    // The engine cancelled a learn; a command without a row is ignored.
    void MidiUnlearned(int commandId);
    void onSourceSelected_(int index);

private:
    int RowIndex(int commandId) const;
    void SetSourceStatus(bool connected);
    void ApplySavedSource(const QStringList& sourceNames);

    std::shared_ptr<ShowManager> showManager;
    std::shared_ptr<AppSettings> settings;
    std::vector<std::unique_ptr<MidiManagerCommandController>> rows;
};

} // namespace vemo::qt
