#include "audio_output/output_paths_manager_controller.h"

#include "audio_output/output_path_devices.h"
#include "audio_output/unique_path_name.h"

#include <vemo_core/show_record.h>

#include <QQmlProperty>
#include <QStringList>
#include <QUrl>
#include <QUuid>
#include <QWindow>

#include <ios>
#include <iostream>
#include <stdexcept>

namespace vemo::qt {
namespace {

const char* const kDeviceFileName = "/outputpathdevices.json";

// The current show's device file. Without a known show folder there is none: reading and writing
// fail rather than touch a file at the root of the file system.
std::string DeviceFileForReading()
{
    const std::string folder = Directories::GetShowDirectory();
    if (folder.empty()) {
        throw std::runtime_error("No show folder is known for the output path config file.");
    }
    return folder + kDeviceFileName;
}

std::string DeviceFileForWriting()
{
    const std::string folder = Directories::GetShowDirectory();
    if (folder.empty()) {
        throw std::ios_base::failure("Cannot write the output path config file: no show folder is known");
    }
    return folder + kDeviceFileName;
}

QStringList DeviceChoices(const std::vector<vemo::audio::AudioDevice>& devices)
{
    QStringList choices{QStringLiteral("(default)")};
    for (const auto& device : devices) {
        choices << QString::fromStdString(device.name);
    }
    return choices;
}

} // namespace

OutputPathsManagerController::OutputPathsManagerController(const std::map<std::string, CL::OutputPath>& paths,
                                                           QQmlEngine* engine, QObject* parent)
    : QmlController(engine)
    , model(std::make_shared<OutputPathsModel>())
    , windowParent(parent)
{
    connect(model.get(), &OutputPathsModel::AddOutputPathSignal, this,
            &OutputPathsManagerController::AddOutputPathSignal);
    connect(model.get(), &OutputPathsModel::RemoveOutputPathSignal, this,
            &OutputPathsManagerController::RemoveOutputPathSignal);

    for (const auto& [id, path] : paths) {
        model->AddOrReplace(path);
    }
    devices = vemo::audio::DeviceControlWin32().GetOutputDevices();
    ApplyDeviceFile(paths);
}

OutputPathsManagerController::~OutputPathsManagerController()
{
    if (auto* shown = qobject_cast<QWindow*>(Window())) {
        shown->close();
    }
}

void OutputPathsManagerController::Show()
{
    if (!Window()) {
        MakeWindow();
    }
    SetVisible(true);
}

void OutputPathsManagerController::MakeWindow()
{
    CreateRoot(QUrl(QStringLiteral("qrc:/qt/qml/com/quorvane/musical_ui/qml/OutputPathsWindow.qml")), windowParent,
               true, QVariantMap{});
    QObject* made = QmlObject();
    if (made == nullptr) {
        return;
    }
    made->setProperty("model", QVariant::fromValue(model.get()));
    made->setProperty("deviceList", DeviceChoices(devices));
    if (model->rowCount() > 0) {
        made->setProperty("currentIndex", 0);
    }
    connect(made, SIGNAL(createPathRequest(QString,QString)), this, SLOT(onPathCreationRequest(QString,QString)));
    connect(made, SIGNAL(changePathRequest(QString,QString)), this, SLOT(onPathChangeRequest(QString,QString)));
    connect(made, SIGNAL(deleteOutputPath()), this, SLOT(onDeleteOutputPath()));
    connect(made, SIGNAL(closeWindow()), this, SLOT(onCloseWindow()));
}

// A device file that is missing or cannot be read leaves the rows as the player gave them; this
// machine simply has no assignments yet.
void OutputPathsManagerController::ApplyDeviceFile(const std::map<std::string, CL::OutputPath>& paths)
{
    try {
        const OutputPathDeviceMap assigned = ReadOutputPathDevices(DeviceFileForReading());
        int row = 0;
        for (const auto& [id, path] : paths) {
            const auto found = assigned.find(id);
            const std::string deviceId = found == assigned.end() ? std::string() : found->second.GetDeviceId();
            const CL::OutputPath applied(path.GetId(), path.GetName(), deviceId, DeviceNameForId(deviceId));
            model->setData(model->index(row, 0), QVariant::fromValue(applied), Qt::EditRole);
            ++row;
        }
    } catch (const std::exception&) {
    }
}

std::string OutputPathsManagerController::DeviceIdForName(const std::string& name) const
{
    for (const auto& device : devices) {
        if (device.name == name) {
            return device.id;
        }
    }
    return {};
}

std::string OutputPathsManagerController::DeviceNameForId(const std::string& id) const
{
    for (const auto& device : devices) {
        if (device.id == id) {
            return device.name;
        }
    }
    return {};
}

int OutputPathsManagerController::CurrentRow()
{
    QObject* shown = Window();
    return shown == nullptr ? -1 : QQmlProperty(shown, QStringLiteral("currentIndex")).read().toInt();
}

std::string OutputPathsManagerController::UniquePathName(const std::string& name) const
{
    std::vector<std::string> taken;
    for (int row = 0; row < model->rowCount(); ++row) {
        taken.push_back(model->PathAt(row).GetName());
    }
    return vemo::qt::UniquePathName(name, taken);
}

void OutputPathsManagerController::SaveDeviceMap()
{
    OutputPathDeviceMap assigned;
    for (int row = 0; row < model->rowCount(); ++row) {
        const CL::OutputPath path = model->PathAt(row);
        assigned[path.GetId()] = path;
    }
    WriteOutputPathDevices(DeviceFileForWriting(), std::move(assigned));
}

// The row and the player already have the change; only this machine's record of it is lost.
void OutputPathsManagerController::SaveDeviceMapReporting()
{
    try {
        SaveDeviceMap();
    } catch (const std::exception& failure) {
        const std::string text = failure.what();
        std::cerr << "Output path devices not saved: " << text << std::endl;
        emit error("The output device assignments could not be saved: " + text, "Output Paths Failed to Save");
    }
}

void OutputPathsManagerController::onPathCreationRequest(QString pathName, QString pathDevice)
{
    try {
        const std::string device = pathDevice.toStdString();
        const std::string id = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
        model->AddOrReplace(CL::OutputPath(id, UniquePathName(pathName.toStdString()), DeviceIdForName(device), device));
        SaveDeviceMapReporting();
    } catch (const std::exception& failure) {
        emit error(failure.what(), "Output Paths Error");
    }
}

void OutputPathsManagerController::onPathChangeRequest(QString pathName, QString pathDeviceName)
{
    try {
        const int row = CurrentRow();
        if (row < 0 || row >= model->rowCount()) {
            return;
        }
        const std::string device = pathDeviceName.toStdString();
        const CL::OutputPath changed(model->IdAt(row), pathName.toStdString(), DeviceIdForName(device), device);
        const QModelIndex index = model->index(row, 0);
        model->setData(index, QVariant::fromValue(changed), Qt::EditRole);
        emit model->dataChanged(index, index);
        SaveDeviceMapReporting();
    } catch (const std::exception& failure) {
        emit error(failure.what(), "Output Paths Error");
    }
}

void OutputPathsManagerController::onDeleteOutputPath()
{
    try {
        const int row = CurrentRow();
        if (row < 0 || row >= model->rowCount()) {
            return;
        }
        model->RemoveRow(row);
    } catch (const std::exception& failure) {
        emit error(failure.what(), "Output Paths Error");
    }
}

void OutputPathsManagerController::onCloseWindow()
{
    std::cout << "CloseWindow_" << std::endl;
    if (auto* shown = qobject_cast<QWindow*>(Window())) {
        shown->close();
    }
}

} // namespace vemo::qt
