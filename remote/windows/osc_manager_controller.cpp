#include "windows/osc_manager_controller.h"

#include "windows/qlab_patch_writer.h"

#include <QSaveFile>
#include <QUrl>

#include <iostream>
#include <sstream>
#include <stdexcept>

namespace vemo::qt {
namespace {

const QUrl kDocument("qrc:/qt/qml/com/quorvane/musical_ui/qml/OscManager.qml");

// Replaces the file at `path` with `bytes`, or leaves it untouched and throws.
void SaveWhole(const QString& path, const std::string& bytes)
{
    QSaveFile file(path);
    const auto fail = [&file, &path] {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw std::runtime_error(("Cannot write " + path + ": " + reason).toStdString());
    };
    if (!file.open(QIODevice::WriteOnly)) {
        fail();
    }
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.flush()) {
        fail();
    }
    if (!file.commit()) {
        throw std::runtime_error(("Cannot write " + path + ": " + file.errorString()).toStdString());
    }
}

} // namespace

OscManagerController::OscManagerController(QQmlEngine* engine, osc::OscSettings settings,
                                           std::shared_ptr<Interface> player, QObject* parent)
    : QmlController(engine, kDocument, parent, true, {}), player(std::move(player))
{
    model = std::make_unique<NetworkListModel>(this->player ? this->player->GetNetworks() : CL::NetworkPathVectorT());
    QObject* root = QmlObject();
    if (root == nullptr) {
        return;
    }
    root->setProperty("oscListenPortString", QString::number(settings.oscListenPort));
    root->setProperty("oscEnabled", settings.oscEnabled ? "1" : "0");
    root->setProperty("networkModel", QVariant::fromValue<QObject*>(model.get()));
    connect(root, SIGNAL(okay()), this, SLOT(onOkayClicked_()));
    connect(root, SIGNAL(exportQLab(QString)), this, SLOT(exportQLab_(QString)));
    connect(root, SIGNAL(createNetwork(QString,int,QString,QString)), this,
            SLOT(onCreateNetwork_(QString,int,QString,QString)));
    connect(root, SIGNAL(editNetwork(int,QString,int,QString,QString,QString)), this,
            SLOT(onEditNetwork_(int,QString,int,QString,QString,QString)));
}

OscManagerController::~OscManagerController()
{
    // The window outlives this controller until its deferred deletion: it must not show a dead model.
    if (QObject* root = QmlObject()) {
        root->setProperty("networkModel", QVariant::fromValue<QObject*>(nullptr));
    }
    model.reset();
    player.reset();
}

void OscManagerController::onOkayClicked_()
{
    QObject* root = QmlObject();
    if (root == nullptr) {
        return;
    }
    const bool enabled = root->property("oscEnabled").toBool();
    const int port = root->property("oscListenPortString").toString().toInt(nullptr, 10);
    const osc::OscSettings settings(enabled, port);

    CL::NetworkPathVectorT networks;
    for (int row = 0; row < model->rowCount(); ++row) {
        CL::NetworkPath path;
        path.SetName(model->dataStr(row, "name").toString().toStdString());
        path.SetNetworkId(model->dataStr(row, "networkId").toString().toStdString());
        path.SetPort(model->dataStr(row, "port").toInt());
        path.SetIpAddress(model->dataStr(row, "ipAddress").toString().toStdString());
        path.SetTransport(model->dataStr(row, "mode").toString() == "tcp" ? 1 : 0);
        networks.push_back(std::move(path));
    }
    emit oscSettingsUpdated(settings, networks);
    SetVisible(false);
}

void OscManagerController::exportQLab_(QString folder)
{
    const std::string fileName = osc::QLabPatchWriter::QLabPatchFileName();
    const QString path = QUrl(folder + "/" + QString::fromStdString(fileName), QUrl::TolerantMode).toLocalFile();
    try {
        std::ostringstream patch;
        osc::QLabPatchWriter(player).WriteQLabPatch(patch);
        SaveWhole(path, patch.str());
    } catch (const std::exception& error) {
        std::cerr << "Error exporting qlab: " << error.what() << std::endl;
    }
}

void OscManagerController::onCreateNetwork_(QString ip, int port, QString mode, QString name)
{
    auto item = std::make_shared<NetworkItem>();
    item->ipAddress = ip;
    item->port = port;
    item->mode = mode;
    item->name = name;
    item->networkId = model->NextNetworkId();
    model->AddNetwork(std::move(item));
}

void OscManagerController::onEditNetwork_(int index, QString ip, int port, QString mode, QString name,
                                          QString networkId)
{
    NetworkItem* item = model->Network(index);
    if (item == nullptr) {
        return;
    }
    item->ipAddress = ip;
    item->port = port;
    item->mode = mode;
    item->name = name;
    item->networkId = networkId;
    model->RowChanged(index);
}

} // namespace vemo::qt
