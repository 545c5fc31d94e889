#pragma once

#include <QObject>
#include <QString>

namespace vemo::qt {

class MixerTracksModel;

// One section of the mixer: a titled group of tracks that can be muted or soloed as a whole.
class MixerSectionItem : public QObject {
    Q_OBJECT

public:
    // The item becomes the Qt parent of `tracksModel`, which may be null.
    MixerSectionItem(QString name, QString tooltip, bool isMuted, bool isSolo, MixerTracksModel* tracksModel);

    const QString& name() const;
    const QString& tooltip() const;
    bool isMuted() const;
    bool isSolo() const;
    const MixerTracksModel* tracksModel() const;

    void setName(const QString& name);
    void setMuted(bool value);
    void setSolo(bool value);

private:
    QString sectionName;
    QString sectionTooltip;
    bool muted;
    bool solo;
    MixerTracksModel* tracks;
};

} // namespace vemo::qt
