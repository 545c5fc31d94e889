#include "timeline/bars_beats_view_controller.h"

#include "main_window/edit_model.h"
#include "timeline/document_access.h"

#include <QQuickItem>
#include <QVariant>

#include <cstdint>

namespace vemo::qt {

BarsBeatsViewController::BarsBeatsViewController(QObject* parent, double unit, QQmlEngine* qmlEngine,
                                                 EditModel* model, bool fadeRegion)
    : engine(qmlEngine)
    , parentItem(parent)
    , editModel(model)
    , ticksPerUnit(unit)
    , showAudioFadeRegion(fadeRegion)
{
    if (parentItem != nullptr)
        fadeBox = ItemProperty(parentItem, "audioFadeBoxControl");
}

BarController* BarsBeatsViewController::AddLine(const std::string& label, std::uint32_t tick, bool bar, int z)
{
    auto line = std::make_unique<BarController>(label, static_cast<int>(tick / ticksPerUnit), bar, viewScale, engine,
                                                parentItem);
    if (line->QmlObject() == nullptr)
        return nullptr;
    line->SetZ(z);
    lines.push_back(std::move(line));
    return lines.back().get();
}

void BarsBeatsViewController::Rebuild()
{
    lines.clear();
    const std::uint32_t songLength = editModel->showManager->GetSongLength(editModel->currentSong);
    const std::shared_ptr<BarsBeatsEventSequence> barsBeats = editModel->barsBeats;
    int z = 0;
    for (std::size_t position = 0; position < barsBeats->BarCount(); ++position) {
        const BarRecord bar = barsBeats->BarAt(position);
        if (static_cast<std::uint32_t>(bar.tick) < songLength)
            AddLine(bar.BarText(), static_cast<std::uint32_t>(bar.tick), true, z--);
        for (std::size_t i = 1; i < bar.BeatCount(); ++i) {
            const std::string label = bar.BeatLabel(i);
            const auto tick = static_cast<std::uint32_t>(bar.BeatTick(label));
            if (tick < songLength)
                AddLine(label, tick, false, z--);
        }
    }
    if (BarController* endLine = AddLine({}, songLength, true, z))
        endLine->SetEndBar(true);
    WriteAudioRegions(songLength, z);
    UpdateLabels(true);
}

void BarsBeatsViewController::WriteAudioRegions(std::uint32_t songLength, int endLineZ)
{
    if (parentItem == nullptr)
        return;
    const std::uint32_t audioEnd = editModel->GetSongAudioEndTick();
    const std::uint32_t startTick = editModel->showManager->GetPlayer()->GetCurrentStartTickIndex();
    double fadeWidth = 0.0;
    double fadePos = 0.0;
    double outWidth = 0.0;
    double outPos = 0.0;
    if (audioEnd >= songLength && showAudioFadeRegion) {
        fadeWidth = (audioEnd - songLength) / ticksPerUnit;
        fadePos = songLength / ticksPerUnit;
    } else {
        outWidth = static_cast<std::int32_t>(songLength - audioEnd) / ticksPerUnit;
        outPos = audioEnd / ticksPerUnit;
    }
    parentItem->setProperty("audioFadeRegionWidth", fadeWidth);
    parentItem->setProperty("audioFadeRegionPos", fadePos);
    if (fadeBox != nullptr)
        fadeBox->setZ(endLineZ - 1);
    parentItem->setProperty("audioOutRegionWidth", outWidth);
    parentItem->setProperty("audioOutRegionPos", outPos);
    parentItem->setProperty("audioInRegionWidth", startTick / ticksPerUnit);
    parentItem->setProperty("audioInRegionPos", 0.0);
}

void BarsBeatsViewController::SetViewScale(double scale, bool immediate)
{
    if (scale == viewScale)
        return;
    viewScale = scale;
    for (const auto& line : lines)
        line->SetViewScale(scale, immediate);
    UpdateLabels(immediate);
}

void BarsBeatsViewController::UpdateLabels(bool immediate)
{
    BarController* anchor = nullptr;
    pendingBeats.clear();
    bool groupHidden = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        BarController& line = *lines[i];
        if (line.IsBar()) {
            for (BarController* beat : pendingBeats)
                beat->SetShowLabel(!groupHidden);
            pendingBeats.clear();
            groupHidden = false;
        } else {
            pendingBeats.push_back(&line);
        }
        const bool hid = PlaceLabel(anchor, line, i + 1 == lines.size(), immediate);
        groupHidden = groupHidden || hid;
    }
}

bool BarsBeatsViewController::PlaceLabel(BarController*& anchor, BarController& line, bool last, bool immediate)
{
    bool hidBeatLabel = false;
    if (anchor == nullptr) {
        Apply(line, true, immediate, hidBeatLabel);
        anchor = &line;
        return hidBeatLabel;
    }
    const int gap = labelSpacing / (anchor->IsBar() && line.IsBar() ? 1 : 5);
    if (anchor->Right() + gap < line.X()) {
        Apply(line, true, immediate, hidBeatLabel);
        anchor = &line;
    } else if (last || (!anchor->IsBar() && line.IsBar())) {
        Apply(line, true, immediate, hidBeatLabel);
        Apply(*anchor, false, immediate, hidBeatLabel);
        anchor = &line;
    } else {
        Apply(line, false, immediate, hidBeatLabel);
    }
    return hidBeatLabel;
}

void BarsBeatsViewController::Apply(BarController& line, bool show, bool immediate, bool& hidBeatLabel)
{
    if (!line.IsBar() && !show) {
        line.SetShowLabel(false);
        hidBeatLabel = true;
        // At full scale a beat keeps its line without its label.
        show = viewScale >= 1.0;
    } else if (show) {
        line.SetShowLabel(true);
    }
    if (immediate)
        line.SetVisible(show && (line.IsBar() || viewScale >= 1.0));
    else if (show)
        line.FadeIn();
    else
        line.FadeOut();
}

} // namespace vemo::qt
