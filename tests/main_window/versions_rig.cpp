#include "versions_rig.h"

#include <vemo_core/change_log_document.h>
#include <vemo_test/qml_engine.h>

#include <QGuiApplication>
#include <QWindow>


namespace vemo::testing {
namespace {

constexpr const char* kShowId = "the-lantern-keeper";

QObject* TopLevel(const char* classPrefix)
{
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (QString(window->metaObject()->className()).startsWith(classPrefix))
            return window;
    }
    return nullptr;
}

} // namespace

VersionsRig::VersionsRig(const std::vector<std::string>& versions)
{
    for (const auto& [name, bytes] : LogFiles())
        std::filesystem::remove(ShowFolder() / name);
    for (const std::string& version : versions) {
        const std::size_t point = version.find('.');
        WriteLog(LogName(version), LogBytes(std::stoi(version.substr(0, point)), std::stoi(version.substr(point + 1))));
    }
    window.Create();
}

std::filesystem::path VersionsRig::ShowFolder()
{
    return DataDirectory() / "shows" / kShowId;
}

std::string VersionsRig::LogName(const std::string& version)
{
    return "TheLanternKeeper-" + version + ".logdata";
}

std::string VersionsRig::LogBytes(int majorVersion, int minorVersion)
{
    CL::ChangeLogDocument log;
    log.SetShowId(kShowId);
    log.SetVersion(cmn::VEMOVersion{static_cast<UInt16>(majorVersion), static_cast<UInt16>(minorVersion)});
    return log.Serialize();
}

std::map<std::string, std::string> VersionsRig::LogFiles()
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(ShowFolder())) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.ends_with(".logdata"))
            files[name] = ServiceFixture::ReadBytes(entry.path());
    }
    return files;
}

void VersionsRig::WriteLog(const std::string& fileName, const std::string& bytes)
{
    ServiceFixture::WriteBytes(ShowFolder() / fileName, bytes);
}

ServiceFixture& VersionsRig::Service()
{
    if (!service) {
        service = std::make_unique<ServiceFixture>(kShowId, "demo-lantern-keeper");
        service->UseAsDefault();
    }
    return *service;
}

void VersionsRig::ShareOnService(int majorVersion, int minorVersion)
{
    const std::string version = std::to_string(majorVersion) + "." + std::to_string(minorVersion);
    Service().AddLog({.majorVersion = majorVersion,
                      .minorVersion = minorVersion,
                      .fileName = LogName(version),
                      .bytes = LogBytes(majorVersion, minorVersion)});
}

void VersionsRig::Edit()
{
    controller().onAttaccaStageChanged("1", 1);
}

std::vector<ShownDialog> VersionsRig::Dialogs() const
{
    MainWindowRig::Unshow();
    DeliverDeferredDeletes();
    std::vector<ShownDialog> shown;
    for (QObject* child : window.Root()->children()) {
        if (QString(child->metaObject()->className()).startsWith("FlatDialogWindow"))
            shown.push_back({child->property("title").toString(), child->property("text").toString()});
    }
    return shown;
}

QObject* VersionsRig::Prompt()
{
    DeliverDeferredDeletes();
    return TopLevel("FlatInputWindow");
}

void VersionsRig::Answer(const char* signal)
{
    QObject* prompt = Prompt();
    if (prompt != nullptr)
        QMetaObject::invokeMethod(prompt, signal);
    DeliverDeferredDeletes();
}

bool VersionsRig::ManagerOpen()
{
    // The manager's controller goes first, and its window in turn.
    DeliverDeferredDeletes();
    DeliverDeferredDeletes();
    return TopLevel("ChangelogManagerWindow") != nullptr;
}

} // namespace vemo::testing
