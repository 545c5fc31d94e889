// Times one edit's road through the edit controller over a generated song of 400 bars with 300
// events of every kind, offscreen, on the simulated engine's manual clock: (a) one add through
// onVemoMakeEvent with its refresh of the bars, the lists and the timeline, (b) one undo, and (c) a
// bare rebuild of the timeline in the same run. Prints median and 95th percentile of 200 runs after
// warm-up, and the ratios of (a) and (b) to (c) against the goal of at most 2.

#include "editing/edit_controller.h"
#include "main_window/edit_model.h"
#include "main_window/permissions.h"
#include "main_window/show_manager.h"
#include "timeline/document_access.h"
#include "timeline/timeline_controller.h"

#include "bench_support.h"

#include <vemo_core/events.h>

#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>

#include <cstdio>
#include <functional>
#include <memory>

Q_IMPORT_QML_PLUGIN(com_quorvane_vemo_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_musical_uiPlugin)

namespace {

using bench::kBar;
constexpr int kBars = 400;
constexpr int kEachKind = 25;
constexpr int kRuns = 200;
constexpr int kWarmUp = 10;

bench::Stats Measure(const std::function<void()>& setUp, const std::function<void()>& work,
               const std::function<void()>& tearDown)
{
    return bench::MeasureRuns(kRuns, kWarmUp, 95, setUp, work, tearDown);
}

void PrintP95(const char* name, const bench::Stats& stats)
{
    std::printf("%-44s median %10.1f us   p95 %10.1f us\n", name, stats.median, stats.p90);
}

void FillSong(CL::SongDocument& events)
{
    bench::FillEveryKind(events, kBars, kEachKind);
}

// The timeline panel and the edit panel under a host that declares the theme.
std::unique_ptr<QQuickItem> Host(QQmlEngine& qml)
{
    return bench::MakeHost(qml, "import QtQuick\nimport com.quorvane.vemo_ui\nimport com.quorvane.musical_ui\n"
                                "Item { width: 1500; height: 700\n"
                                "property alias panel: editPanel\n"
                                "property alias timeline: timelinePanel.timelineControl\n"
                                "VemoTheme { id: theme }\n"
                                "TimeLineEditPanel { id: timelinePanel; width: parent.width }\n"
                                "EditPanel { id: editPanel; y: 280; width: parent.width; height: 400 } }",
                                "qrc:/bench_edit_road/Host.qml");
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir root;
    bench::UseOffscreenSoftware(root);
    QGuiApplication app(argc, argv);
    auto engine = bench::MakeEngine(bench::WriteShow(root, kBars, FillSong));
    engine->LoadSong("1");
    engine->Probe().Drain();
    auto showManager = std::make_shared<vemo::ShowManager>(engine);
    auto editModel = std::make_shared<vemo::qt::EditModel>(showManager, true);

    Q_INIT_RESOURCE(vemo_images);
    QQmlEngine qml;
    qml.addImportPath("qrc:/qt/qml");
    std::unique_ptr<QQuickItem> host = Host(qml);
    if (!host)
        return 1;
    Permissions permissions{.edit = true};
    vemo::qt::TimelineController timeline(&qml, vemo::qt::ItemProperty(host.get(), "timeline"), engine, showManager,
                                          editModel, true, permissions, true, true);
    vemo::qt::EditController controller(&qml, showManager, editModel, engine,
                                        vemo::qt::ItemProperty(host.get(), "panel"), &timeline, &permissions, true,
                                        true);
    timeline.LoadSong("1");
    controller.OnSongChanged("1");
    std::printf("Song: %d bars, %d event rows, %d markers\n\n", kBars,
                static_cast<int>(editModel->panelEvents.size()), static_cast<int>(editModel->markers.size()));

    const CL::Cut added(100 * kBar, 101 * kBar, "CUT9999", 0);
    const auto none = [] {};
    const auto settle = [] { bench::DeliverDeferredDeletes(); QCoreApplication::processEvents(); };
    const bench::Stats add = Measure(none, [&] { controller.onVemoMakeEvent(added); }, [&] {
        controller.UndoRequested();
        settle();
    });
    const bench::Stats undo = Measure([&] {
        controller.onVemoMakeEvent(added);
        settle();
    }, [&] { controller.UndoRequested(); }, settle);
    const bench::Stats refresh = Measure(none, [&] { timeline.Refresh(); }, settle);

    PrintP95("(a) add through the edit controller", add);
    PrintP95("(b) undo through the edit controller", undo);
    PrintP95("(c) bare timeline rebuild", refresh);
    std::printf("\nGoal (median ratio to (c)):\n");
    std::printf("  (a) / (c)   %6.2f (goal <= 2.0)\n", add.median / refresh.median);
    std::printf("  (b) / (c)   %6.2f (goal <= 2.0)\n", undo.median / refresh.median);
    return 0;
}
