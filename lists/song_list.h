#pragma once

#include "lists/list_controller.h"

#include <vemo_core/types.h>
#include <vemo_player_core/interface.h>

#include <QAbstractListModel>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vemo::qt {

// One row of the song list: the engine's song number (compared byte for byte), title and attacca state.
struct SongListItem {
    std::string songNumber;
    std::string songName;
    UInt8 attacca = 0;
};

// The show's songs in the engine's order; only the attacca states change after construction.
class SongListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit SongListModel(std::vector<SongListItem> rows);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Steps the song's state (plays, continue, x, plays) and announces its row; none when the song has no row.
    std::optional<UInt8> CycleAttacca(const std::string& songNumber);
    // The first row of the song; the row count when no row holds it.
    int IndexOfSong(const std::string& songNumber) const;
    std::string SongNumberAt(int row) const;
    // Takes the states by position; each row whose state changed is announced on its own.
    void SetAttaccaStates(const std::vector<UInt8>& states);

private:
    std::vector<SongListItem> rows;
};

// The song list of the edit panel: loads the chosen song, steps attacca states and follows the
// song the engine loaded.
class SongListController : public ListController {
    Q_OBJECT

public:
    SongListController(QObject* view, Interface* player);
    ~SongListController() override;

    // Moves the highlight to the loaded song's row without loading anything.
    void SelectSong(const std::string& songNumber);
    // Re-reads every song's attacca state from the engine.
    void RefreshAttacca();
    SongListModel& Model() { return *model; }

signals:
    void AttaccaStateChanged(std::string songNum, UInt8 state);

public slots:
    void CurrentItemChanged_(int index);
    void AttaccaStateChanged_(QString songNumber);

private:
    std::vector<UInt8> EngineAttaccaStates() const;

    Interface* player;
    std::unique_ptr<SongListModel> model;
    // Set while SelectSong writes the view's row: the view's report of it must not load a song,
    // since the engine's song-loaded notices may arrive after later loads.
    bool following = false;
};

} // namespace vemo::qt
