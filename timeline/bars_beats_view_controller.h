#pragma once

#include "timeline/bar_controller.h"

#include <QObject>

#include <memory>
#include <string>
#include <vector>

class QQmlEngine;
class QQuickItem;

namespace vemo::qt {

class EditModel;

// The ruler behind the timeline's rows: a line with its label for every bar and beat of the current
// song, a double line at the song's end and the in, out and fade regions of the audio. As the view
// zooms out, labels that would touch are thinned and beat lines disappear.
class BarsBeatsViewController : public QObject {
    Q_OBJECT

public:
    BarsBeatsViewController(QObject* parentItem, double ticksPerUnit, QQmlEngine* engine, EditModel* editModel,
                            bool showAudioFadeRegion);

    // Builds every line again from the edit model's bars and beats.
    void Rebuild();
    void SetViewScale(double scale, bool immediate);
    // Thins the labels for the current scale.
    void UpdateLabels(bool immediate);

    const std::vector<std::unique_ptr<BarController>>& Lines() const { return lines; }

private:
    // The new line, or null when its document did not load (the line is then dropped).
    BarController* AddLine(const std::string& label, std::uint32_t tick, bool bar, int z);
    bool PlaceLabel(BarController*& anchor, BarController& line, bool last, bool immediate);
    void Apply(BarController& line, bool show, bool immediate, bool& hidBeatLabel);
    void WriteAudioRegions(std::uint32_t songLength, int endLineZ);

    double viewScale = 1.0;
    QQmlEngine* engine = nullptr;
    QObject* parentItem = nullptr;
    QQuickItem* fadeBox = nullptr;
    EditModel* editModel = nullptr;
    double ticksPerUnit = 25.0;
    int labelSpacing = 20;
    bool showAudioFadeRegion = false;
    std::vector<std::unique_ptr<BarController>> lines;
    // Beat lines since the last bar line during a thinning pass; kept to reuse its storage.
    std::vector<BarController*> pendingBeats;
};

} // namespace vemo::qt
