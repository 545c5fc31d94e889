// Times the start-up show download of 8 files of 32 MiB (256 MiB), unthrottled: the download
// controller with its "Downloading Show" window (offscreen, software renderer), from Download() to
// DownloadFinishedSignal, against the web library's PerformShowDownload with empty callbacks on the
// same plan. Medians of 5 alternating runs and their ratio (goal at most 1.1); also the number of
// totalProgressChanged signals (goal at most elapsed / 100 ms + 1) and the GUI thread's longest
// stall under a 10 ms timer (goal under 50 ms).

#include "shows/show_downloader_controller.h"

#include "bench_support.h"

#include <vemo_networking_http/network_api.h>
#include <vemo_networking_http/show_download.h>

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlEngine>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

Q_IMPORT_QML_PLUGIN(com_quorvane_vemo_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_musical_uiPlugin)

namespace {

constexpr int kFiles = 8;
constexpr std::size_t kFileBytes = 32u * 1024 * 1024;
constexpr int kRounds = 5;
const char* const kCredential = "bench-credential";

void WriteFile(const std::filesystem::path& file, const QByteArray& bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.constData(), bytes.size());
}

// A service folder holding show "bench" with kFiles files of kFileBytes each.
void WriteService(const std::filesystem::path& service)
{
    const auto show = service / "shows" / "bench";
    std::filesystem::create_directories(show / "files");
    WriteFile(service / "credentials.json",
              QJsonDocument(QJsonObject{{"tokens", QJsonObject{{kCredential, "bench"}}}}).toJson());
    QJsonArray files;
    for (int i = 0; i < kFiles; ++i) {
        QByteArray bytes(static_cast<qsizetype>(kFileBytes), char('a' + i));
        const QString name = QString("file%1.bin").arg(i);
        WriteFile(show / "files" / name.toStdString(), bytes);
        files.append(QJsonObject{{"type", "ART"},
                                 {"name", name},
                                 {"size", double(bytes.size())},
                                 {"sha256", QString(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex())}});
    }
    WriteFile(show / "files.json", QJsonDocument(QJsonObject{{"files", files}}).toJson());
}

std::unique_ptr<vemo::networking::DownloadPlan> FreshPlan(const std::filesystem::path& target)
{
    std::filesystem::remove_all(target);
    std::filesystem::create_directories(target);
    vemo::networking::NetworkApiInterface client(vemo::networking::DefaultApiBaseAddress());
    client.SetCredentials(kCredential, 1);
    return client.ValidateDownloadPlan(client.GetDownloadPlan(client.GetAllShowFiles().data.value()), target);
}

struct WindowRun {
    double milliseconds = 0;
    int totalReports = 0;
    double longestStallMs = 0;
};

WindowRun RunWithWindow(QQmlEngine& engine, const std::filesystem::path& target)
{
    auto plan = FreshPlan(target);
    WindowRun run;
    QEventLoop loop;
    QTimer ticker;
    QElapsedTimer sinceTick;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        run.longestStallMs = std::max(run.longestStallMs, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    auto controller = std::make_unique<vemo::qt::ShowDownloaderController>(&engine, nullptr, 1);
    QObject::connect(controller.get(), &vemo::qt::ShowDownloaderController::totalProgressChanged, &loop,
                     [&] { ++run.totalReports; }, Qt::QueuedConnection);
    QObject::connect(controller.get(), &vemo::qt::ShowDownloaderController::DownloadFinishedSignal, &loop,
                     &QEventLoop::quit, Qt::QueuedConnection);
    ShowRecord record;
    record.id = "bench";
    record.credential = kCredential;
    QElapsedTimer elapsed;
    elapsed.start();
    sinceTick.start();
    ticker.start();
    controller->Download(record, std::move(plan));
    loop.exec();
    run.milliseconds = elapsed.nsecsElapsed() / 1e6;
    ticker.stop();
    controller.reset();
    bench::DeliverDeferredDeletes();
    return run;
}

double RunLibraryAlone(const std::filesystem::path& target)
{
    auto plan = FreshPlan(target);
    QElapsedTimer elapsed;
    elapsed.start();
    vemo_download::PerformShowDownload(kCredential, std::make_shared<vemo::networking::DownloadCallbacks>(), nullptr,
                                       std::string(), 1, plan.get());
    return elapsed.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir root;
    bench::UseOffscreenSoftware(root);
    QGuiApplication app(argc, argv);
    vemo::core::RegisterQtMetaTypes();
    const std::filesystem::path base = root.path().toStdString();
    WriteService(base / "service");
    qputenv("VEMO_WEB_BASE", QByteArray::fromStdString("file://" + (base / "service").string()));
    qunsetenv("VEMO_WEB_THROTTLE_BPS");
    QQmlEngine engine;
    engine.addImportPath("qrc:/qt/qml");

    std::vector<double> withWindow;
    std::vector<double> alone;
    int maxReports = 0;
    int allowedReports = 0;
    double longestStall = 0;
    for (int round = 0; round < kRounds; ++round) {
        const WindowRun run = RunWithWindow(engine, base / "show");
        withWindow.push_back(run.milliseconds);
        maxReports = std::max(maxReports, run.totalReports);
        allowedReports = std::max(allowedReports, int(run.milliseconds / 100) + 1);
        longestStall = std::max(longestStall, run.longestStallMs);
        alone.push_back(RunLibraryAlone(base / "show"));
    }
    const double ratio = Median(withWindow) / Median(alone);
    std::printf("show download, 8 x 32 MiB: with window median %.1f ms, library alone median %.1f ms, "
                "ratio %.3f (goal <= 1.1)\n",
                Median(withWindow), Median(alone), ratio);
    std::printf("totalProgressChanged: at most %d per run (goal <= %d)\n", maxReports, allowedReports);
    std::printf("longest GUI stall under a 10 ms timer: %.1f ms (goal < 50 ms)\n", longestStall);
    return 0;
}
