#pragma once

#include <fonexa/sfx_dto.h>

#include <QAbstractListModel>

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vemo::audio {

// The sound-effect instances a manager window lists. Rows refer to records their owner keeps; a
// released record answers nothing. Readiness belongs to an effect file path and outlives rebuilds.
class SfxInstanceListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        SummaryRole = 0,
        NameRole = 257,
        OutputPathRole,
        EffectIdRole,
        EffectPathRole,
        ActiveIntervalsRole,
        TypeRole,
        EffectIdIndexRole,
        RepeatsRole,
        FadeInRole,
        FadeOutRole,
        VolumeRole,
        ReverbRole,
        PanRole,
        EventIdRole,
        IsReadyRole,
        IsPlayingRole,
    };

    explicit SfxInstanceListModel(QObject* parent = nullptr);

    // Adds a row for the record; the first display name given for an effect id stays.
    void append(const std::shared_ptr<sfx::SfxDto>& record, const std::string& displayName);
    // Removes every row; display names, readiness and the playing rows stay.
    void clear();
    // Marks the effect file ready, whether or not a row uses it, and announces the readiness of
    // every row that does.
    void markPathReady(const std::string& effectPath);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QHash<int, QByteArray> roleNames() const override;

private:
    std::shared_ptr<sfx::SfxDto> RecordAt(int row) const;

    std::unordered_map<std::string, std::string> displayNames_;
    std::vector<std::weak_ptr<sfx::SfxDto>> rows_;
    std::unordered_map<std::string, bool> readiness_;
    std::unordered_set<int> playingRows_;
};

}  // namespace vemo::audio
