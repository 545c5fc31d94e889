#pragma once

#include "app/qml_controller.h"
#include "shows/download_progress.h"

#include <vemo_core/show_record.h>
#include <vemo_networking_http/types.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class QQmlEngine;

namespace vemo::qt {

// Drives the "Downloading Show" window while the show's missing files download at start-up: runs
// the show download on a worker thread, passes its status, progress and errors to the window, lets
// the user cancel, and hands the show's record on with DownloadFinishedSignal.
class ShowDownloaderController : public QmlController, public vemo::networking::IReportProgressCallback {
    Q_OBJECT

public:
    // Loads the window (shown once the event loop runs). `clock` paces the progress reports.
    ShowDownloaderController(QQmlEngine* engine, QObject* parent, int32_t productType,
                             DownloadProgress::Clock clock = DownloadProgress::SteadyTicks);
    // Cancels a running download and waits for it. Call on the GUI thread.
    ~ShowDownloaderController() override;

    // Starts the download of `plan` with the record's credential on a worker thread (after a
    // previous one has ended). Ends with DownloadFinishedSignal, with Cancelled() (nothing obtained),
    // or with an error the user acknowledges in the window. Throws std::system_error when no thread
    // can be made.
    void Download(ShowRecord record, std::unique_ptr<vemo::networking::DownloadPlan> plan);

    // The five callbacks of a show download, bound to this controller.
    std::shared_ptr<vemo::networking::DownloadCallbacks> Callbacks();

    void ReportStatus(std::string text) override;
    void ReportProgress(std::string file, uint64_t received, uint64_t total) override;

signals:
    void progressChanged(double bytesReceived, double total);
    void totalProgressChanged(double bytesReceived, double total);
    void downloadError(const QString& msg);
    void statusChanged(const QString& status);
    void DownloadFinishedSignal(ShowRecord record);
    void Closing();
    void Cancelled();

public slots:
    void Cancel_();
    void DownloadFinished_();

private:
    void RunDownload(std::string credential, vemo::networking::DownloadPlan* plan);
    void SetStatus(std::string text);
    // Shows the error dialog and hides the window; after a cancel or once the user acknowledged an
    // error, only writes the message on standard error.
    void ReportError(std::string message);
    void SetWindowVisible(bool visible);
    void ConnectDocument();
    ShowRecord StoredRecord() const;

    std::string statusText_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> errorAcknowledged_{false};
    mutable std::mutex recordMutex_;
    ShowRecord record_;
    int32_t productType_;
    DownloadProgress progress_;
    std::unique_ptr<vemo::networking::DownloadPlan> plan_;
};

} // namespace vemo::qt
