#pragma once

#include "app/qml_controller.h"
#include "shows/changelog_list_model.h"

#include <vemo_core/show_record.h>
#include <vemo_networking_http/network_api.h>

#include <filesystem>
#include <memory>
#include <string>

class QQmlEngine;

namespace vemo::qt {

// Drives the "Event Log Manager" window: lists the event-log versions of the current show's folder
// and of the web service, downloads a chosen service version on request, and reports the row the
// user picked. Everything runs on the GUI thread; the web calls are synchronous.
class ChangelogManagerController : public QmlController {
    Q_OBJECT

public:
    // The window stays hidden until Show(). Throws std::runtime_error when the store has no current
    // show.
    ChangelogManagerController(QQmlEngine* engine, std::shared_ptr<ShowRecordStore> store, QObject* parent);
    // Closes the window without reporting Closing().
    ~ChangelogManagerController() override;

    ChangelogListModel& localModel() { return *localModel_; }
    ChangelogListModel& serverModel() { return *serverModel_; }

    // Refreshes both lists (each on its own: a failure is reported on standard error) and shows the
    // window.
    void Show();
    void RefreshLocal();
    void RefreshServer();
    // RefreshLocal() and a change notice to the views; failures go to standard error.
    void RefreshLocalAndNotify();
    // Stores the service's version `versionText` in the show folder and returns its file name, or
    // "" when nothing was stored. Never throws.
    std::string DownloadLogByVersion(std::string versionText);
    // Keeps the newest file of each version; failures go to standard error.
    void CleanupDuplicateLogFiles();

signals:
    void ChangelogLocalSelected(int index);
    void ChangelogServerSelected(int index);
    void Closing();

public slots:
    void LoadSelectedLocal_(int index);
    void LoadSelectedServer_(int index);
    vemo::networking::ChangelogFullInfoList GetAvailableLogs_();

private:
    void ConnectDocument();
    void SendCredential();
    std::string StoreServiceVersion(const std::string& versionText);

    std::unique_ptr<ChangelogListModel> localModel_;
    std::unique_ptr<ChangelogListModel> serverModel_;
    std::shared_ptr<ShowRecordStore> store_;
    std::filesystem::path showFolder_;
    std::filesystem::path recordFile_;
    vemo::networking::NetworkApiInterface webClient_;
};

} // namespace vemo::qt
