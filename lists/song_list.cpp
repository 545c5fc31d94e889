#include "lists/song_list.h"

#include <iostream>

namespace vemo::qt {

namespace {

enum SongRole { SongNumberRole = Qt::UserRole + 1, StatusRole, SongNameRole };

QVariant StatusText(UInt8 attacca)
{
    switch (attacca) {
    case 0:
        return QStringLiteral("plays");
    case 1:
        return QStringLiteral("continue");
    case 2:
        return QStringLiteral("x");
    default:
        return {};
    }
}

} // namespace

SongListModel::SongListModel(std::vector<SongListItem> rows)
    : rows(std::move(rows))
{
}

int SongListModel::rowCount(const QModelIndex&) const
{
    return static_cast<int>(rows.size());
}

QVariant SongListModel::data(const QModelIndex& index, int role) const
{
    const SongListItem* row = index.isValid() ? RowAt(rows, index.row()) : nullptr;
    if (row == nullptr)
        return {};
    switch (role) {
    case SongNumberRole:
        return QString::fromStdString(row->songNumber);
    case StatusRole:
        return StatusText(row->attacca);
    case SongNameRole:
        return QString::fromStdString(row->songName);
    default:
        return {};
    }
}

QHash<int, QByteArray> SongListModel::roleNames() const
{
    return {{SongNumberRole, "song_number"}, {StatusRole, "status"}, {SongNameRole, "song_name"}};
}

std::optional<UInt8> SongListModel::CycleAttacca(const std::string& songNumber)
{
    const int row = IndexOfSong(songNumber);
    if (row >= rowCount()) {
        std::cerr << "Invalid index for attacca state change.";
        return std::nullopt;
    }
    SongListItem& item = rows[static_cast<std::size_t>(row)];
    item.attacca = static_cast<UInt8>((item.attacca + 1) % 3);
    emit dataChanged(index(row), index(row), {});
    std::cout << "New state = " << StatusText(item.attacca).toString().toStdString() << std::endl;
    return item.attacca;
}

int SongListModel::IndexOfSong(const std::string& songNumber) const
{
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].songNumber == songNumber)
            return static_cast<int>(row);
    }
    return rowCount();
}

std::string SongListModel::SongNumberAt(int row) const
{
    return CopyOfRow(rows, row).songNumber;
}

void SongListModel::SetAttaccaStates(const std::vector<UInt8>& states)
{
    const std::size_t count = std::min(states.size(), rows.size());
    for (std::size_t row = 0; row < count; ++row) {
        if (rows[row].attacca == states[row])
            continue;
        rows[row].attacca = states[row];
        const QModelIndex changed = index(static_cast<int>(row));
        emit dataChanged(changed, changed, {});
    }
}

SongListController::SongListController(QObject* view, Interface* player)
    : ListController(view)
    , player(player)
{
    std::vector<SongListItem> rows;
    for (const auto& [number, title] : player->GetSongNamesBySongNumber())
        rows.push_back({number, title, player->GetAttacca(number)});
    model = std::make_unique<SongListModel>(std::move(rows));
    AttachModel(model.get(), {{SIGNAL(currentItemChanged(int)), SLOT(CurrentItemChanged_(int))},
                              {SIGNAL(attaccaStateChanged(QString)), SLOT(AttaccaStateChanged_(QString))}});
}

SongListController::~SongListController() = default;

void SongListController::SelectSong(const std::string& songNumber)
{
    const int row = model->IndexOfSong(songNumber);
    if (row == CurrentIndex()) {
        std::cout << "Already at loaded song index" << std::endl;
        return;
    }
    following = true;
    view->setProperty("currentIndex", row);
    following = false;
    std::cout << "Setting to New Index!" << std::endl;
}

void SongListController::RefreshAttacca()
{
    model->SetAttaccaStates(EngineAttaccaStates());
}

void SongListController::CurrentItemChanged_(int index)
{
    std::cout << "Index Changed: " << index << std::endl;
    if (following || index < 0 || index >= model->rowCount())
        return;
    const std::string number = model->SongNumberAt(index);
    if (number != player->GetCurrentSongNumber())
        player->LoadSong(number);
}

void SongListController::AttaccaStateChanged_(QString songNumber)
{
    const std::string number = songNumber.toStdString();
    if (const std::optional<UInt8> state = model->CycleAttacca(number))
        emit AttaccaStateChanged(number, *state);
}

std::vector<UInt8> SongListController::EngineAttaccaStates() const
{
    std::vector<UInt8> states;
    for (const auto& entry : player->GetSongNamesBySongNumber())
        states.push_back(player->GetAttacca(entry.first));
    return states;
}

} // namespace vemo::qt
