// Times the timeline over a generated 400-bar 4/4 song (1,600 beats) with 300 events of every kind
// and a few key, tempo and meter changes, offscreen with the software renderer, on the manual clock:
// full rebuild (song load, then the deferred deletion of the old items and one rendered frame), edit
// refresh, ruler build, zoom steps and playhead moves. References measured in the same run:
// R1 = creating and deleting as many plain Rectangles as the rebuild makes items, R2 = one property
// write on each. Prints median and 90th percentile of 25 runs after warm-up, and the goal ratios.

#include "main_window/edit_model.h"
#include "main_window/permissions.h"
#include "main_window/show_manager.h"
#include "timeline/timeline_controller.h"

#include "bench_support.h"

#include <vemo_core/events.h>

#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>

#include <cstdio>
#include <memory>
#include <vector>

Q_IMPORT_QML_PLUGIN(com_quorvane_vemo_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_musical_uiPlugin)

namespace {

using bench::kBar;
using bench::Stats;
constexpr int kBars = 400;
constexpr int kEventsPerKind = 300;

// The 400-bar song with 300 events of every kind, evenly spaced.
void FillSong(CL::SongDocument& events)
{
    CL::SfxProperties effect;
    effect.setName("Thunder");
    const auto add = [&events](std::shared_ptr<cmn::VemoEvent> event) { events.Insert(std::move(event)); };
    const UInt32 spacing = (kBars - 2) * kBar / kEventsPerKind;
    for (int i = 0; i < kEventsPerKind; ++i) {
        const UInt32 at = kBar + static_cast<UInt32>(i) * spacing;
        const std::string n = std::to_string(i);
        add(std::make_shared<CL::Vamp>(at, at + 480, "VMP" + n, 2));
        add(std::make_shared<CL::Repeat>(at + 480, at + 960, "RPT" + n, 2));
        add(std::make_shared<CL::Cut>(at + 960, at + 1200, "CUT" + n, 0));
        add(std::make_shared<CL::Transpose>(at, at + 960, "TRN" + n, 1));
        add(std::make_shared<CL::TempoScale>(at, at + 960, "TSC" + n, 1.05));
        add(std::make_shared<CL::Marker>(at + 240, "Marker " + n, "MRK" + n));
        add(std::make_shared<CL::Click>(at, at + 960, "CLK" + n, 8));
        add(std::make_shared<CL::Fermata>(at + 1200, at + 1440, "SKP" + n, 0));
        add(std::make_shared<CL::Caesura>(at + 1500, "CSR" + n, 0));
        add(std::make_shared<CL::Sfx>(at + 120, "SFX" + n, effect));
        add(std::make_shared<CL::SfxAmbient>(at, at + 720, "AMB" + n, effect));
        add(std::make_shared<CL::Osc>(at + 360, "OSC" + n, CL::OscProperties("/vemo/volume 1", "NET1")));
    }
}

std::size_t ItemCount(vemo::qt::TimelineController& timeline)
{
    return timeline.RegionItems().size() + timeline.CaesuraItems().size() + timeline.MarkerItems().size()
           + timeline.KeyItems().size() + timeline.TempoItems().size() + timeline.MeterItems().size()
           + timeline.GlyphItems().size() + timeline.Ruler().Lines().size();
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir root;
    bench::UseOffscreenSoftware(root);
    QGuiApplication app(argc, argv);
    Q_INIT_RESOURCE(vemo_images);

    auto engine = bench::MakeEngine(bench::WriteShow(root, kBars, FillSong));
    auto showManager = std::make_shared<vemo::ShowManager>(engine);
    auto editModel = std::make_shared<vemo::qt::EditModel>(showManager, true);

    QQmlEngine qml;
    qml.addImportPath("qrc:/qt/qml");
    QQuickWindow window;
    window.resize(1366, 270);
    QQmlComponent component(&qml, QUrl("qrc:/qt/qml/com/quorvane/musical_ui/qml/TimeLine.qml"));
    std::unique_ptr<QQuickItem> document(qobject_cast<QQuickItem*>(component.create()));
    if (!document) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    document->setParentItem(window.contentItem());
    document->setSize({1366, 270});
    window.show();

    Permissions permissions{true, false};
    vemo::qt::TimelineController timeline(&qml, document.get(), engine, showManager, editModel, true, permissions, true,
                                          true);
    timeline.LoadSong("1");
    bench::DeliverDeferredDeletes();
    const std::size_t items = ItemCount(timeline);
    std::printf("Song: %d bars, %zu items (%zu ruler lines)\n\n", kBars, items, timeline.Ruler().Lines().size());

    const auto none = [] {};
    const Stats load = bench::Measure(none, [&] { timeline.LoadSong("1"); }, bench::DeliverDeferredDeletes);
    const Stats deletion = bench::Measure([&] { timeline.LoadSong("1"); }, bench::DeliverDeferredDeletes);
    const Stats frame = bench::Measure([&] { document->setProperty("viewScale", 1.0); }, [&] { window.grabWindow(); });
    const Stats refresh = bench::Measure(
        none,
        [&] {
            timeline.ClearItems();
            timeline.Refresh();
        },
        bench::DeliverDeferredDeletes);
    const Stats ruler = bench::Measure(none, [&] { timeline.Ruler().Rebuild(); }, bench::DeliverDeferredDeletes);
    const Stats zoomBelow = bench::Measure([&] { document->setProperty("viewScale", 0.8); },
                                    [&] { document->setProperty("viewScale", 0.7); });
    const Stats zoomAcross = bench::Measure([&] { document->setProperty("viewScale", 0.95); },
                                     [&] { document->setProperty("viewScale", 1.05); });
    document->setProperty("viewScale", 1.0);
    const Stats playheadInView = bench::Measure([&] { timeline.SetPlayheadTick(0); }, [&] { timeline.SetPlayheadTick(480); });
    const Stats playheadScrolls = bench::Measure([&] { timeline.SetPlayheadTick(0); },
                                          [&] { timeline.SetPlayheadTick(200 * kBar); });

    QQmlComponent rectangle(&qml);
    rectangle.setData("import QtQuick\nRectangle { width: 1; height: 10 }", QUrl());
    QQuickItem* parent = document->property("barsRegion").value<QQuickItem*>();
    std::vector<QQuickItem*> plain;
    const Stats r1 = bench::Measure(none,
                             [&] {
                                 for (std::size_t i = 0; i < items; ++i) {
                                     auto* item = qobject_cast<QQuickItem*>(rectangle.create());
                                     item->setParentItem(parent);
                                     plain.push_back(item);
                                 }
                                 for (QQuickItem* item : plain)
                                     item->deleteLater();
                                 plain.clear();
                                 bench::DeliverDeferredDeletes();
                             });
    for (std::size_t i = 0; i < items; ++i) {
        auto* item = qobject_cast<QQuickItem*>(rectangle.create());
        item->setParentItem(parent);
        plain.push_back(item);
    }
    double x = 0.0;
    const Stats r2 = bench::Measure(none, [&] {
        x += 1.0;
        for (QQuickItem* item : plain)
            item->setProperty("x", x);
    });
    qDeleteAll(plain);

    bench::Print("full rebuild (LoadSong)", load);
    bench::Print("  deferred deletion of the old items", deletion);
    bench::Print("  one rendered frame", frame);
    bench::Print("edit refresh (ClearItems, Refresh)", refresh);
    bench::Print("ruler build", ruler);
    bench::Print("zoom step below 1.0 (0.8 -> 0.7)", zoomBelow);
    bench::Print("zoom step across 1.0 (0.95 -> 1.05)", zoomAcross);
    bench::Print("playhead in view", playheadInView);
    bench::Print("playhead that scrolls", playheadScrolls);
    bench::Print("R1: create and delete plain Rectangles", r1);
    bench::Print("R2: one property write on each", r2);
    std::printf("\nGoals (median ratios):\n");
    std::printf("  full rebuild / R1          %6.2f (goal <= 1.5)\n", load.median / r1.median);
    std::printf("  edit refresh / rebuild     %6.2f (goal <= 1.0)\n", refresh.median / load.median);
    std::printf("  zoom below 1.0 / R2        %6.2f (goal <= 10)\n", zoomBelow.median / r2.median);
    std::printf("  zoom across 1.0 / R2       %6.2f (goal <= 10)\n", zoomAcross.median / r2.median);
    std::printf("  playhead in view           %6.1f us (goal <= 50)\n", playheadInView.median);
    std::printf("  playhead that scrolls      %6.1f us (goal <= 50)\n", playheadScrolls.median);
    return 0;
}
