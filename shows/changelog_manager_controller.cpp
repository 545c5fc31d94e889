#include "shows/changelog_manager_controller.h"

#include "shows/local_log_files.h"
#include "shows/log_file_names.h"

#include <vemo_networking_http/downloader.h>
#include <vemo_networking_http/file_names.h>
#include <vemo_security/access_data.h>

#include <QQuickWindow>

#include <iostream>

namespace vemo::qt {
namespace {

const char* const kDocument = "qrc:/qt/qml/com/quorvane/musical_ui/qml/ChangelogManagerWindow.qml";

template <class Step>
void Reported(const Step& step)
{
    try {
        step();
    } catch (const std::exception& failure) {
        std::cerr << "Event log manager: " << failure.what() << std::endl;
    }
}

} // namespace

ChangelogManagerController::ChangelogManagerController(QQmlEngine* engine, std::shared_ptr<ShowRecordStore> store,
                                                       QObject* parent)
    : QmlController(engine, QUrl(kDocument), parent, true, {})
    , localModel_(std::make_unique<ChangelogListModel>())
    , serverModel_(std::make_unique<ChangelogListModel>())
    , store_(std::move(store))
    , showFolder_(store_->CurrentShowFolder())
    , recordFile_(store_->CurrentRecordFile())
    , webClient_(vemo::networking::DefaultApiBaseAddress())
{
    if (QObject* window = QmlObject()) {
        window->setProperty("localModel", QVariant::fromValue(localModel_.get()));
        window->setProperty("serverModel", QVariant::fromValue(serverModel_.get()));
    }
    ConnectDocument();
}

ChangelogManagerController::~ChangelogManagerController()
{
    if (QObject* window = QmlObject()) {
        QObject::disconnect(window, nullptr, this, nullptr);
        if (auto* quickWindow = qobject_cast<QQuickWindow*>(window))
            quickWindow->close();
    }
}

void ChangelogManagerController::ConnectDocument()
{
    QObject* window = QmlObject();
    if (window == nullptr)
        return;
    connect(window, SIGNAL(loadSelectedLocal(int)), this, SLOT(LoadSelectedLocal_(int)));
    connect(window, SIGNAL(loadSelectedServer(int)), this, SLOT(LoadSelectedServer_(int)));
    connect(window, SIGNAL(closing(QQuickCloseEvent*)), this, SIGNAL(Closing()));
}

void ChangelogManagerController::Show()
{
    Reported([this] { RefreshLocal(); });
    Reported([this] { RefreshServer(); });
    if (QObject* window = QmlObject())
        window->setProperty("visible", true);
}

void ChangelogManagerController::RefreshLocal()
{
    ListLocalLogs(*localModel_, showFolder_, recordFile_);
}

void ChangelogManagerController::RefreshServer()
{
    serverModel_->clear();
    for (const vemo::networking::ChangelogFullInfo& info : GetAvailableLogs_()) {
        CL::ChangeLog log;
        log.SetVersion(info.majorVersion, info.minorVersion);
        log.SetModificationTime(static_cast<UInt32>(info.modified));
        serverModel_->addUnique(log);
    }
    serverModel_->sortByVersion();
}

void ChangelogManagerController::RefreshLocalAndNotify()
{
    Reported([this] {
        RefreshLocal();
        localModel_->notifyAllRowsChanged();
    });
}

void ChangelogManagerController::SendCredential()
{
    webClient_.SetCredentials(store_->Record(store_->CurrentShowId()).credential, 0);
}

vemo::networking::ChangelogFullInfoList ChangelogManagerController::GetAvailableLogs_()
{
    using namespace vemo::networking;
    SendCredential();
    const RequestResult<ChangelogInfoList> result = webClient_.GetAvailableLogs();
    ChangelogFullInfoList list;
    if (result.status == API_SUCCESS) {
        for (const ChangelogInfo& info : result.data.value_or(ChangelogInfoList())) {
            list.push_back({info.majorVersion, info.minorVersion, info.modified, {}, {}, {}, {}});
        }
        return list;
    }
    std::cout << "Networking Issue: ";
    if (result.status == API_BAD_REQUEST)
        std::cout << "API_BAD_REQUEST" << std::endl;
    else if (result.status == API_UNAUTHORIZED)
        std::cout << "API_UNAUTHORIZED" << std::endl;
    return list;
}

std::string ChangelogManagerController::DownloadLogByVersion(std::string versionText)
{
    std::string fileName;
    Reported([&] { fileName = StoreServiceVersion(versionText); });
    return fileName;
}

std::string ChangelogManagerController::StoreServiceVersion(const std::string& versionText)
{
    using namespace vemo::networking;
    SendCredential();
    cmn::VEMOVersion version;
    version.SetWithString(versionText);
    const RequestResult<ChangelogFullInfo> result = webClient_.GetChangelogLinkByVersion(
        static_cast<UInt8>(version.majorVersion), static_cast<UInt8>(version.minorVersion));
    if (result.status != API_SUCCESS || !result.data) {
        std::cout << "Link was not successfully received." << std::endl;
        return std::string();
    }
    const ChangelogFullInfo& link = *result.data;
    const std::optional<std::filesystem::path> target =
        CheckServiceLogName(link.fileName, version.GetAsString(), store_->CurrentShowFolder());
    if (!target) {
        std::cerr << "Rejected unsafe file name from the web service: " << EscapeFileName(link.fileName) << std::endl;
        return std::string();
    }
    const vemo::core::DataVector key = convertHexToVec(link.key);
    const vemo_sec::AccessData access = vemo_sec::ReadAccessData(recordFile_);
    std::cout << link.link << std::endl;
    VEMODownloader downloader;
    const bool stored = downloader.Download(link.link, *target, link.text, key.data(), key.size(), "KQTZ5",
                                            access.block1.data(), access.block1.size(), access.block2.data(),
                                            access.block2.size());
    return stored ? link.fileName : std::string();
}

void ChangelogManagerController::CleanupDuplicateLogFiles()
{
    Reported([this] { RemoveDuplicateLogFiles(store_->CurrentShowFolder()); });
}

void ChangelogManagerController::LoadSelectedLocal_(int index)
{
    std::cout << "LoadSelectedLocal_(), index = " << index << std::endl;
    emit ChangelogLocalSelected(index);
}

void ChangelogManagerController::LoadSelectedServer_(int index)
{
    std::cout << "LoadSelectedServer_(), index = " << index << std::endl;
    emit ChangelogServerSelected(index);
}

} // namespace vemo::qt
