#pragma once

#include "app/qml_controller.h"
#include "audio_output/output_paths_model.h"

#include <fonexa/device_control.h>
#include <vemo_core/properties.h>

#include <QPointer>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QQmlEngine;

namespace vemo::qt {

// The "Output Paths" window: lists the show's output paths with this machine's device for each,
// creates paths (unique name, fresh id), renames them or moves them to another device, and deletes
// them. Each change is announced with the model's signals, passed on here; the devices chosen on
// this machine are kept in the show folder's device file. Made on each show load; the window
// itself is made, as a child of `parent`, by the first Show():
//
//     auto paths = std::make_shared<OutputPathsManagerController>(player->GetOutputPathMap(), engine, root);
//     connect(paths.get(), SIGNAL(AddOutputPathSignal(CL::OutputPath)), main, SLOT(onAddOutputhPath(CL::OutputPath)));
//     paths->Model();   // the rows the sound-effect tools offer
//     paths->Show();    // on request
class OutputPathsManagerController : public QmlController {
    Q_OBJECT

public:
    // `paths` is the player's output-path map. The window's "createPathRequest" etc. are wired here.
    OutputPathsManagerController(const std::map<std::string, CL::OutputPath>& paths, QQmlEngine* engine,
                                 QObject* parent);
    ~OutputPathsManagerController() override;

    const std::shared_ptr<OutputPathsModel>& Model() const { return model; }

    // Makes the window the first time, then shows it.
    void Show();
    // The window; null before the first Show() and when its document did not load.
    QObject* Window() { return QmlObject(); }

    // The first listed device with this display name or id; "" when none has it.
    std::string DeviceIdForName(const std::string& name) const;
    std::string DeviceNameForId(const std::string& id) const;
    // The window's current row, -1 when none or without a window.
    int CurrentRow();
    // The name made unique among the rows' names.
    std::string UniquePathName(const std::string& name) const;
    // Writes every row's device id to the device file; std::ios_base::failure when it cannot.
    void SaveDeviceMap();

signals:
    void Closing();
    void AddOutputPathSignal(const CL::OutputPath& path);
    void RemoveOutputPathSignal(const CL::OutputPath& path);

public slots:
    void onPathCreationRequest(QString pathName, QString pathDevice);
    void onPathChangeRequest(QString pathName, QString pathDeviceName);
    void onDeleteOutputPath();
    void onCloseWindow();

private:
    void MakeWindow();
    void ApplyDeviceFile(const std::map<std::string, CL::OutputPath>& paths);
    // Saves the device file, reporting a failure instead of throwing.
    void SaveDeviceMapReporting();

    std::shared_ptr<OutputPathsModel> model;
    std::vector<vemo::audio::AudioDevice> devices;
    QPointer<QObject> windowParent;
};

} // namespace vemo::qt
