#include "shows/score_view_controller.h"

#include <vemo_security/access_data.h>

#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <optional>
#include <stdexcept>

namespace vemo::qt {
namespace {

// The first regular file named "*.score" (in any case) of the folder, in listing order.
std::optional<std::filesystem::path> FirstScoreFile(const std::filesystem::path& folder)
{
    const QDir dir(QString::fromStdString(folder.string()));
    const QFileInfoList found = dir.entryInfoList({QStringLiteral("*.score")}, QDir::Files, QDir::Unsorted);
    for (const QFileInfo& file : found) {
        if (file.isFile())
            return std::filesystem::path(file.absoluteFilePath().toStdString());
    }
    return std::nullopt;
}

} // namespace

ScoreViewController::ScoreViewController(QObject* scoreItem, QQmlEngine* engine, std::shared_ptr<Interface> player,
                                         std::shared_ptr<ShowRecordStore> store)
    : QmlController(scoreItem, engine)
    , player_(std::move(player))
    , store_(std::move(store))
    , pageReader_(std::make_unique<shows::ScorePageReader>())
{
    if (scoreItem)
        connect(scoreItem, SIGNAL(pageChanged(int)), this, SLOT(currentPageChanged_(int)));
}

ScoreViewController::~ScoreViewController() = default;

void ScoreViewController::loadScore()
{
    if (!QmlObject())
        return;
    try {
        const std::optional<std::filesystem::path> file = FirstScoreFile(store_->CurrentShowFolder());
        if (!file) {
            qDebug().noquote() << "No .score file found.";
            pageUrls_.clear();
            Publish(pageUrls_);
            return;
        }
        const vemo_sec::AccessData keys = vemo_sec::ReadAccessData(store_->CurrentRecordFile());
        cipherStream_ = std::make_unique<vemo_sec::TwoFishCipherStream>(*file, keys.block1, keys.block2);
        pageUrls_ = pageReader_->Read(cipherStream_->GetStream());
    } catch (const std::exception& error) {
        qWarning().noquote() << "Failed to read score package: " + QString::fromStdString(error.what());
        pageUrls_.clear();
    }
    Publish(pageUrls_);
}

void ScoreViewController::setCurrentPage(unsigned page)
{
    if (QObject* item = QmlObject())
        item->setProperty("currentIndex", static_cast<int>(page) - 1);
}

void ScoreViewController::currentPageChanged_(int page)
{
    try {
        const auto [song, tick] = player_->LookupPage(static_cast<unsigned>(page));
        if (song == player_->GetCurrentSongNumber())
            player_->Seek(tick);
        else
            player_->LoadSongAtTime(song, tick);
    } catch (const std::exception&) {
        // A page the engine cannot place turns nothing.
    }
}

void ScoreViewController::Publish(const QStringList& pageUrls)
{
    QmlObject()->setProperty("imageListModel", QVariant::fromValue(pageUrls));
}

} // namespace vemo::qt
