#pragma once

#include "audio_output/mixer_track_item.h"

#include <QAbstractListModel>

#include <memory>
#include <vector>

namespace vemo::qt {

// The tracks of one mixer section. Writes from the view are stored and passed on as requests
// carrying the track's id; the model owns its track records.
class MixerTracksModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        IsMutedRole = Qt::UserRole + 1,
        IsSoloRole,
        VolumeScaledDbRole,
        PanRole,
        EnableMuteRole,
        EnableSoloRole,
        InstrumentRole,
        NameRole,
        InstrumentModelRole,
    };

    explicit MixerTracksModel(QObject* parent = nullptr);
    ~MixerTracksModel() override;

    // Adds a track as the last row.
    void Append(std::unique_ptr<MixerTrackItem> track);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QHash<int, QByteArray> roleNames() const override;

    // The linear gain of a fader position.
    static double GainOfFaderPosition(float position);

signals:
    void instrumentTrackRequested(int trackId, int instrumentValue);
    void muteTrackRequested(int trackId, bool value);
    void panTrackRequested(int trackId, double value);
    void soloTrackRequested(int trackId, bool value);
    void volumeTrackRequested(int trackId, double linearValue);

private:
    // False for a role that cannot be written.
    bool Store(MixerTrackItem& track, const QModelIndex& index, const QVariant& value, int role);

    std::vector<std::unique_ptr<MixerTrackItem>> tracks;
};

} // namespace vemo::qt
