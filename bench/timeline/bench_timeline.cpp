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

#include <vemo_core/change_log_document.h>
#include <vemo_core/events.h>
#include <vemo_player_core/audio_interface.h>

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

Q_IMPORT_QML_PLUGIN(com_quorvane_vemo_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_musical_uiPlugin)

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 25;
constexpr int kWarmUp = 3;
constexpr UInt32 kBar = 1920;
constexpr int kBars = 400;
constexpr int kEventsPerKind = 300;

struct Stats {
    double median = 0.0;
    double p90 = 0.0;
};

Stats Measure(const std::function<void()>& setUp, const std::function<void()>& work,
              const std::function<void()>& tearDown = [] {})
{
    std::vector<double> micros;
    for (int run = 0; run < kWarmUp + kRuns; ++run) {
        setUp();
        const auto started = Clock::now();
        work();
        const double elapsed = std::chrono::duration<double, std::micro>(Clock::now() - started).count();
        tearDown();
        if (run >= kWarmUp)
            micros.push_back(elapsed);
    }
    std::sort(micros.begin(), micros.end());
    return {micros[micros.size() / 2], micros[micros.size() * 9 / 10]};
}

void Print(const char* name, const Stats& stats)
{
    std::printf("%-44s median %10.1f us   p90 %10.1f us\n", name, stats.median, stats.p90);
}

void DeliverDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// show.json and the change log of the generated song, in `folder`.
void WriteShow(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    const QJsonObject song{
        {"number", "1"},
        {"title", "Benchmark"},
        {"bars", kBars},
        {"meters", QJsonArray{QJsonObject{{"bar", 1}, {"num", 4}, {"den", 4}},
                              QJsonObject{{"bar", 101}, {"num", 3}, {"den", 4}},
                              QJsonObject{{"bar", 201}, {"num", 4}, {"den", 4}}}},
        {"tempos", QJsonArray{QJsonObject{{"bar", 1}, {"bpm", 120}}, QJsonObject{{"bar", 150}, {"bpm", 96}},
                              QJsonObject{{"bar", 300}, {"bpm", 132}}}},
        {"keys", QJsonArray{QJsonObject{{"bar", 1}, {"sf", 0}, {"mi", 0}}, QJsonObject{{"bar", 120}, {"sf", 2}, {"mi", 0}},
                            QJsonObject{{"bar", 320}, {"sf", -3}, {"mi", 1}}}},
    };
    const QJsonObject show{{"format", "vemo-show/1"},
                           {"id", "bench"},
                           {"name", "Bench"},
                           {"songs", QJsonArray{song}},
                           {"networks", QJsonArray{QJsonObject{{"networkId", "NET1"}, {"name", "Desk"},
                                                               {"ip", "127.0.0.1"}, {"port", 9001}}}}};
    std::ofstream(folder / "show.json") << QJsonDocument(show).toJson().toStdString();

    CL::ChangeLogDocument log;
    log.SetShowId("bench");
    log.SetVersion(cmn::VEMOVersion{1, 0});
    auto& events = log.SongForWriting("1");
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
    log.Save(folder / "Bench-1.0.logdata");
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    QTemporaryDir root;
    qputenv("XDG_DATA_HOME", (root.path() + "/home").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root.path() + "/config").toLocal8Bit());
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle("Basic");
    Q_INIT_RESOURCE(vemo_images);

    const std::filesystem::path showFolder = std::filesystem::path(root.path().toStdString()) / "shows" / "bench";
    WriteShow(showFolder);
    vemo::AudioInterface::Options options;
    options.clock = vemo::AudioInterface::Options::Clock::Manual;
    auto engine = std::make_shared<vemo::AudioInterface>(showFolder.string(), (showFolder.parent_path() / "data").string(),
                                                         false, nullptr, options);
    engine->ThrowIfThreadExceptions();
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
    DeliverDeferredDeletes();
    const std::size_t items = ItemCount(timeline);
    std::printf("Song: %d bars, %zu items (%zu ruler lines)\n\n", kBars, items, timeline.Ruler().Lines().size());

    const auto none = [] {};
    const Stats load = Measure(none, [&] { timeline.LoadSong("1"); }, DeliverDeferredDeletes);
    const Stats deletion = Measure([&] { timeline.LoadSong("1"); }, DeliverDeferredDeletes);
    const Stats frame = Measure([&] { document->setProperty("viewScale", 1.0); }, [&] { window.grabWindow(); });
    const Stats refresh = Measure(
        none,
        [&] {
            timeline.ClearItems();
            timeline.Refresh();
        },
        DeliverDeferredDeletes);
    const Stats ruler = Measure(none, [&] { timeline.Ruler().Rebuild(); }, DeliverDeferredDeletes);
    const Stats zoomBelow = Measure([&] { document->setProperty("viewScale", 0.8); },
                                    [&] { document->setProperty("viewScale", 0.7); });
    const Stats zoomAcross = Measure([&] { document->setProperty("viewScale", 0.95); },
                                     [&] { document->setProperty("viewScale", 1.05); });
    document->setProperty("viewScale", 1.0);
    const Stats playheadInView = Measure([&] { timeline.SetPlayheadTick(0); }, [&] { timeline.SetPlayheadTick(480); });
    const Stats playheadScrolls = Measure([&] { timeline.SetPlayheadTick(0); },
                                          [&] { timeline.SetPlayheadTick(200 * kBar); });

    QQmlComponent rectangle(&qml);
    rectangle.setData("import QtQuick\nRectangle { width: 1; height: 10 }", QUrl());
    QQuickItem* parent = document->property("barsRegion").value<QQuickItem*>();
    std::vector<QQuickItem*> plain;
    const Stats r1 = Measure(none,
                             [&] {
                                 for (std::size_t i = 0; i < items; ++i) {
                                     auto* item = qobject_cast<QQuickItem*>(rectangle.create());
                                     item->setParentItem(parent);
                                     plain.push_back(item);
                                 }
                                 for (QQuickItem* item : plain)
                                     item->deleteLater();
                                 plain.clear();
                                 DeliverDeferredDeletes();
                             });
    for (std::size_t i = 0; i < items; ++i) {
        auto* item = qobject_cast<QQuickItem*>(rectangle.create());
        item->setParentItem(parent);
        plain.push_back(item);
    }
    double x = 0.0;
    const Stats r2 = Measure(none, [&] {
        x += 1.0;
        for (QQuickItem* item : plain)
            item->setProperty("x", x);
    });
    qDeleteAll(plain);

    Print("full rebuild (LoadSong)", load);
    Print("  deferred deletion of the old items", deletion);
    Print("  one rendered frame", frame);
    Print("edit refresh (ClearItems, Refresh)", refresh);
    Print("ruler build", ruler);
    Print("zoom step below 1.0 (0.8 -> 0.7)", zoomBelow);
    Print("zoom step across 1.0 (0.95 -> 1.05)", zoomAcross);
    Print("playhead in view", playheadInView);
    Print("playhead that scrolls", playheadScrolls);
    Print("R1: create and delete plain Rectangles", r1);
    Print("R2: one property write on each", r2);
    std::printf("\nGoals (median ratios):\n");
    std::printf("  full rebuild / R1          %6.2f (goal <= 1.5)\n", load.median / r1.median);
    std::printf("  edit refresh / rebuild     %6.2f (goal <= 1.0)\n", refresh.median / load.median);
    std::printf("  zoom below 1.0 / R2        %6.2f (goal <= 10)\n", zoomBelow.median / r2.median);
    std::printf("  zoom across 1.0 / R2       %6.2f (goal <= 10)\n", zoomAcross.median / r2.median);
    std::printf("  playhead in view           %6.1f us (goal <= 50)\n", playheadInView.median);
    std::printf("  playhead that scrolls      %6.1f us (goal <= 50)\n", playheadScrolls.median);
    return 0;
}
