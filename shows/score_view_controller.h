#pragma once

#include "app/qml_controller.h"
#include "shows/score_page_reader.h"

#include <vemo_core/show_record.h>
#include <vemo_player_core/interface.h>
#include <vemo_security/twofish_cipher_stream.h>

#include <QStringList>

#include <memory>

namespace vemo::qt {

// Gives the main window's score pane ("scoreControl", a ScoreView) the pages of the current show's
// score and keeps the pane and playback in step: the engine's page reports turn the pane, and a
// page the user turns to moves playback to that page's song and time. Wraps the item without
// owning it; with no item, loading and page reports do nothing.
class ScoreViewController : public QmlController {
    Q_OBJECT

public:
    ScoreViewController(QObject* scoreItem, QQmlEngine* engine, std::shared_ptr<Interface> player,
                        std::shared_ptr<ShowRecordStore> store);
    ~ScoreViewController() override;

    // Reads the first "*.score" file of the current show's folder and hands the pane its pages.
    // A missing or unreadable score gives the pane an empty page list; nothing is thrown.
    void loadScore();
    // The engine's 1-based page: the pane shows page - 1 (so 0 gives -1), without announcing it.
    void setCurrentPage(unsigned page);

public slots:
    // The 1-based page the user turned to: seeks within the current song, or loads the page's song
    // at the page's time. A page the engine cannot place is dropped.
    void currentPageChanged_(int page);

private:
    void Publish(const QStringList& pageUrls);

    std::shared_ptr<Interface> player_;
    std::shared_ptr<ShowRecordStore> store_;
    std::unique_ptr<vemo_sec::TwoFishCipherStream> cipherStream_;
    QStringList pageUrls_;
    // Holds the archive open for the controller's life; released first.
    std::unique_ptr<shows::ScorePageReader> pageReader_;
};

} // namespace vemo::qt
