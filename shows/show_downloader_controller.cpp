#include "shows/show_downloader_controller.h"

#include <vemo_networking_http/show_download.h>

#include <QPointer>

#include <iostream>

namespace vemo::qt {
namespace {
const char* const kDocument = "qrc:/qt/qml/com/quorvane/musical_ui/qml/ShowDownloader.qml";
}

ShowDownloaderController::ShowDownloaderController(QQmlEngine* engine, QObject* parent, int32_t productType,
                                                   DownloadProgress::Clock clock)
    : QmlController(engine, QUrl(kDocument), parent, true, {})
    , productType_(productType)
    , progress_(std::move(clock))
{
    SetWindowVisible(true);
    ConnectDocument();
}

ShowDownloaderController::~ShowDownloaderController()
{
    if (worker_.joinable()) {
        cancel_ = true;
        worker_.join();
    }
}

void ShowDownloaderController::ConnectDocument()
{
    QObject* window = QmlObject();
    if (window == nullptr)
        return;
    connect(window, SIGNAL(cancel()), this, SLOT(Cancel_()));
    connect(window, SIGNAL(downloadErrorAcknowledged()), this, SLOT(DownloadFinished_()));
    connect(window, SIGNAL(closing(QQuickCloseEvent*)), this, SIGNAL(Closing()));
    connect(this, SIGNAL(statusChanged(QString)), window, SIGNAL(statusChanged(QString)));
    // Queued: the worker never waits for the window, so the destructor can always join it.
    connect(this, SIGNAL(downloadError(QString)), window, SIGNAL(downloadError(QString)), Qt::QueuedConnection);
    connect(this, SIGNAL(totalProgressChanged(double,double)), window, SIGNAL(totalProgressChanged(double,double)));
    connect(this, SIGNAL(progressChanged(double,double)), window, SIGNAL(progressChanged(double,double)));
}

void ShowDownloaderController::Download(ShowRecord record, std::unique_ptr<vemo::networking::DownloadPlan> plan)
{
    if (worker_.joinable())
        worker_.join();
    plan_ = std::move(plan);
    worker_ = std::thread(&ShowDownloaderController::RunDownload, this, record.credential, plan_.get());
}

std::shared_ptr<vemo::networking::DownloadCallbacks> ShowDownloaderController::Callbacks()
{
    auto callbacks = std::make_shared<vemo::networking::DownloadCallbacks>();
    callbacks->status = [this](std::string text) { SetStatus(std::move(text)); };
    callbacks->fileStatus = [this](std::string text) { ReportStatus(std::move(text)); };
    callbacks->fileProgress = [this](std::string file, uint64_t received, uint64_t total) {
        ReportProgress(std::move(file), received, total);
    };
    callbacks->expectedTotal = [this](int32_t expected) { progress_.SetExpectedTotal(expected); };
    callbacks->error = [this](std::string message) { ReportError(std::move(message)); };
    return callbacks;
}

void ShowDownloaderController::RunDownload(std::string credential, vemo::networking::DownloadPlan* plan)
{
    try {
        try {
            ShowRecord record =
                vemo_download::PerformShowDownload(credential, Callbacks(), &cancel_, std::string(), productType_, plan);
            std::lock_guard lock(recordMutex_);
            record_ = std::move(record);
        } catch (const vemo_download::DownloadException& failure) {
            ReportError(failure.what());
            return;
        }
        const ShowRecord record = StoredRecord();
        if (record.id.empty()) {
            Cancel_();
            return;
        }
        emit DownloadFinishedSignal(record);
    } catch (const std::exception& failure) {
        std::cerr << "An error occured: " << failure.what() << "\n";
        ReportError(failure.what());
        SetStatus("Error!");
    }
}

void ShowDownloaderController::ReportStatus(std::string text)
{
    SetStatus(std::move(text));
}

void ShowDownloaderController::ReportProgress(std::string file, uint64_t received, uint64_t total)
{
    const std::optional<DownloadProgress::Report> report = progress_.Add(file, received, total);
    if (!report)
        return;
    emit progressChanged(report->fileReceived, report->fileSize);
    if (report->total)
        emit totalProgressChanged(report->total->first, report->total->second);
}

void ShowDownloaderController::SetStatus(std::string text)
{
    statusText_ = std::move(text);
    emit statusChanged(QString::fromStdString(statusText_));
}

void ShowDownloaderController::ReportError(std::string message)
{
    if (cancel_ || errorAcknowledged_) {
        std::cerr << message << std::endl;
        return;
    }
    emit downloadError(QString::fromStdString(message));
    SetWindowVisible(false);
}

void ShowDownloaderController::Cancel_()
{
    SetWindowVisible(false);
    cancel_ = true;
    emit Cancelled();
}

void ShowDownloaderController::DownloadFinished_()
{
    errorAcknowledged_ = true;
    emit DownloadFinishedSignal(StoredRecord());
}

ShowRecord ShowDownloaderController::StoredRecord() const
{
    std::lock_guard lock(recordMutex_);
    return record_;
}

void ShowDownloaderController::SetWindowVisible(bool visible)
{
    QObject* window = QmlObject();
    if (window == nullptr)
        return;
    QMetaObject::invokeMethod(
        window, [window, visible] { window->setProperty("visible", visible); }, Qt::QueuedConnection);
}

} // namespace vemo::qt
