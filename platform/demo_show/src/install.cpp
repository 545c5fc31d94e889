#include "vemo_demo_show/install.h"

#include <fonexa/sfx_manifest.h>
#include <vemo_core/show_record.h>
#include <vemo_networking_http/network_api.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cstdlib>
#include <iostream>
#include <string>

namespace vemo::demo {
namespace {

constexpr const char* kShowId = "the-lantern-keeper";

// Copies every file below a resource folder into `target`, keeping existing files.
void copyTree(const QString& resourceFolder, const QString& target)
{
    QDirIterator it(resourceFolder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString destination = target + source.mid(resourceFolder.size());
        if (QFileInfo::exists(destination))
            continue;
        QDir().mkpath(QFileInfo(destination).absolutePath());
        if (!QFile::copy(source, destination))
            throw std::runtime_error("Cannot write " + destination.toStdString());
        QFile::setPermissions(destination, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
}

void installManifest()
{
    const auto manifest = QString::fromStdString(vemo::sfx::SfxManifest::Location());
    if (manifest.isEmpty() || QFileInfo::exists(manifest))
        return;
    const auto folder = QFileInfo(manifest).absolutePath();
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
        std::cerr << "Sound-effect manifest not installed: " << manifest.toStdString() << " is not writable"
                  << std::endl;
        return;
    }
    try {
        copyTree(":/vemo_demo/machine/vemo_data/sfx", folder);
    } catch (const std::exception&) {
        std::cerr << "Sound-effect manifest not installed: " << manifest.toStdString() << " is not writable"
                  << std::endl;
    }
}

// Puts the demo's web service into the service folder of the default address, unless that address is
// not a folder or a service is there already.
void installService()
{
    const QUrl base(QString::fromStdString(vemo::networking::DefaultApiBaseAddress()));
    if (!base.isLocalFile())
        return;
    const QString folder = base.toLocalFile();
    if (QFileInfo::exists(folder + "/credentials.json"))
        return;
    try {
        copyTree(":/vemo_demo/service", folder);
    } catch (const std::exception& failure) {
        std::cerr << "Demo web service not installed: " << failure.what() << std::endl;
    }
}

}  // namespace

bool InstallIfNoCurrentShow(const std::filesystem::path& dataDirectory)
{
    if (const char* skip = std::getenv("VEMO_NO_DEMO"); skip && std::string(skip) == "1")
        return false;
    vemo::core::ShowRecordStore store(dataDirectory);
    if (store.HasCurrentShow())
        return false;

    const auto directory = std::string("shows/") + kShowId;
    const auto folder = dataDirectory / directory;
    copyTree(":/vemo_demo/show", QString::fromStdString(folder.string()));
    const auto midiSettings = dataDirectory / "midi_commands.json";
    if (!std::filesystem::exists(midiSettings))
        QFile::copy(":/vemo_demo/midi_commands.json", QString::fromStdString(midiSettings.string()));
    QFile::setPermissions(QString::fromStdString(midiSettings.string()), QFile::ReadOwner | QFile::WriteOwner);

    vemo::core::ShowRecord record;
    record.id = kShowId;
    record.showName = "The Lantern Keeper";
    record.customerName = "Riverside Community Players";
    record.directory = directory;
    record.credential = "demo-lantern-keeper";
    store.Put(record);
    store.SetCurrent(kShowId);
    store.Save();

    installService();
    installManifest();
    std::cout << "Installed the demo show \"The Lantern Keeper\" into " << folder.string() << std::endl;
    return true;
}

}  // namespace vemo::demo
