#pragma once

#include "audio_output/mixer_section_item.h"

#include <QAbstractListModel>
#include <QList>

namespace vemo::qt {

// The sections of the mixer. Section mute and solo writes are stored and passed on as requests
// carrying the section's row. The model does not own its sections.
class MixerModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        NameRole = Qt::UserRole + 1,
        IsMutedRole,
        IsSoloRole,
        TracksModelRole,
        TooltipRole,
    };

    explicit MixerModel(QObject* parent = nullptr);
    ~MixerModel() override;

    // Adds a section as the last row; the caller keeps it alive as long as the model.
    void Append(MixerSectionItem* section);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void muteSectionRequested(int index, bool value);
    void soloSectionRequested(int index, bool value);

private:
    // False for a role that cannot be written.
    bool Store(MixerSectionItem& section, int row, const QVariant& value, int role);

    QList<MixerSectionItem*> sections;
};

} // namespace vemo::qt
