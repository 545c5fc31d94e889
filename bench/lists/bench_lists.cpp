// Times one refresh of the edit panel's marker and event lists over a generated song of 300 events
// and 50 markers, offscreen with the software renderer, on the simulated engine's manual clock and
// bar texts with sound effects off: both controllers rebuild their rows, then each list view lays
// out until it has a delegate for every row it shows. Prints median and 90th percentile of 25 runs
// after warm-up, and the ratio to the goal of a quarter of a 16 ms frame.

#include "lists/event_list.h"
#include "lists/marker_list.h"
#include "main_window/edit_model.h"
#include "main_window/show_manager.h"

#include "bench_support.h"

#include <vemo_core/events.h>

#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>

#include <cstdio>
#include <memory>

Q_IMPORT_QML_PLUGIN(com_quorvane_vemo_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_musical_uiPlugin)

namespace {

using bench::kBar;
constexpr int kBars = 400;
constexpr int kEvents = 300;
constexpr int kMarkers = 50;
constexpr double kGoalMicros = 4000.0;

// 300 events of six kinds and 50 markers, evenly spaced over the song.
void FillSong(CL::SongDocument& events)
{
    const auto add = [&events](std::shared_ptr<cmn::VemoEvent> event) { events.Insert(std::move(event)); };
    const UInt32 spacing = (kBars - 2) * kBar / kEvents;
    for (int i = 0; i < kEvents; ++i) {
        const UInt32 at = kBar + static_cast<UInt32>(i) * spacing;
        const std::string n = std::to_string(i);
        switch (i % 6) {
        case 0: add(std::make_shared<CL::Vamp>(at, at + 480, "VMP" + n, 2)); break;
        case 1: add(std::make_shared<CL::Repeat>(at, at + 960, "RPT" + n, 2)); break;
        case 2: add(std::make_shared<CL::Cut>(at, at + 960, "CUT" + n, 0)); break;
        case 3: add(std::make_shared<CL::Transpose>(at, at + 960, "TRN" + n, 1)); break;
        case 4: add(std::make_shared<CL::Click>(at, at + 960, "CLK" + n, 8)); break;
        default: add(std::make_shared<CL::Osc>(at, "OSC" + n, CL::OscProperties("/vemo/volume 1", "NET1"))); break;
        }
    }
    for (int i = 0; i < kMarkers; ++i) {
        const UInt32 at = kBar + static_cast<UInt32>(i) * 8 * kBar;
        add(std::make_shared<CL::Marker>(at, "Marker " + std::to_string(i), "MRK" + std::to_string(i)));
    }
}

// The edit panel under a host that declares the theme, as the main window document does.
std::unique_ptr<QQuickItem> PanelHost(QQmlEngine& qml)
{
    return bench::MakeHost(qml, "import QtQuick\nimport com.quorvane.vemo_ui\nimport com.quorvane.musical_ui\n"
                                "Item { width: 1500; height: 400; property alias panel: editPanel\n"
                                "VemoTheme { id: theme }\n"
                                "EditPanel { id: editPanel; anchors.fill: parent } }",
                                "qrc:/bench_lists/PanelHost.qml");
}

QQuickItem* ItemProperty(QObject* object, const char* name)
{
    return object->property(name).value<QQuickItem*>();
}

QQuickItem* Delegate(QQuickItem* listView, int row)
{
    QQuickItem* item = nullptr;
    QMetaObject::invokeMethod(listView, "itemAtIndex", Q_RETURN_ARG(QQuickItem*, item), Q_ARG(int, row));
    return item;
}

// Rows of `listView` that lie at least partly inside it, from its first row.
int VisibleRows(QQuickItem* listView)
{
    int rows = 0;
    for (QQuickItem* item = Delegate(listView, 0); item != nullptr && item->y() < listView->height();
         item = Delegate(listView, rows))
        ++rows;
    return rows;
}

// Lays the view out and lets the window polish it until it has made its first `rows` rows.
void MakeRows(QQuickItem* listView, int rows)
{
    QMetaObject::invokeMethod(listView, "forceLayout");
    while (rows > 0 && Delegate(listView, rows - 1) == nullptr)
        QCoreApplication::processEvents();
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
    editModel->currentSong = "1";
    showManager->SelectSongLogForEditing("1");
    editModel->ReloadBarsBeats();

    Q_INIT_RESOURCE(vemo_images);
    QQmlEngine qml;
    qml.addImportPath("qrc:/qt/qml");
    QQuickWindow window;
    window.resize(1500, 400);
    std::unique_ptr<QQuickItem> host = PanelHost(qml);
    if (!host)
        return 1;
    host->setParentItem(window.contentItem());
    window.show();
    QQuickItem* panel = ItemProperty(host.get(), "panel");
    QQuickItem* markerView = ItemProperty(panel, "markerListControl");
    QQuickItem* eventView = ItemProperty(panel, "eventListControl");
    QQuickItem* markerList = ItemProperty(markerView, "listView");
    QQuickItem* eventList = ItemProperty(eventView, "listView");

    vemo::qt::MarkerListController markers(markerView, editModel.get());
    vemo::qt::EventListController events(eventView, editModel.get(), false);
    markers.Refresh();
    events.Refresh();
    window.grabWindow();
    const int markerRows = VisibleRows(markerList);
    const int eventRows = VisibleRows(eventList);
    std::printf("Song: %d bars, %d marker rows (%d visible), %d event rows (%d visible)\n\n", kBars,
                markers.Model().rowCount(), markerRows, events.Model().rowCount(), eventRows);

    const auto none = [] {};
    const bench::Stats markerOnly = bench::Measure(none, [&] {
        markers.Refresh();
        MakeRows(markerList, markerRows);
    }, bench::DeliverDeferredDeletes);
    const bench::Stats eventOnly = bench::Measure(none, [&] {
        events.Refresh();
        MakeRows(eventList, eventRows);
    }, bench::DeliverDeferredDeletes);
    const bench::Stats both = bench::Measure(none, [&] {
        markers.Refresh();
        events.Refresh();
        MakeRows(markerList, markerRows);
        MakeRows(eventList, eventRows);
    }, bench::DeliverDeferredDeletes);

    bench::Print("marker list refresh to visible rows", markerOnly);
    bench::Print("event list refresh to visible rows", eventOnly);
    bench::Print("both lists refresh to visible rows", both);
    std::printf("\nGoal (median ratio):\n");
    std::printf("  both lists / 4 ms          %6.2f (goal <= 1.0, %.1f us)\n", both.median / kGoalMicros,
                both.median);
    return 0;
}
