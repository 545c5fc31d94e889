#pragma once

#include <QObject>
#include <QString>

class StringValueListModel;

namespace vemo::qt {

// One track of a mixer section: one output stream with its mute, solo, fader, pan and instrument.
// `MixerTracksModel` reads and writes the fields directly.
class MixerTrackItem : public QObject {
    Q_OBJECT

public:
    // The item becomes the Qt parent of `instrumentModel`, which may be null.
    MixerTrackItem(QString name, int trackId, bool isMuted, bool isSolo, float volumeScaledDb, float pan,
                   bool enableMute, bool enableSolo, int instrument, StringValueListModel* instrumentModel);

    QString name;
    int trackId;
    bool isMuted;
    bool isSolo;
    // A fader position in (0, 1], 1 being 0 dB; not a dB value.
    float volumeScaledDb;
    // -1 full left, 0 centre, 1 full right.
    float pan;
    bool enableMute;
    bool enableSolo;
    // The value of the chosen row of `instrumentModel`.
    int instrument;
    StringValueListModel* instrumentModel;
};

} // namespace vemo::qt
