#include "list_rig.h"

#include "timeline_rig.h"

#include "timeline/document_access.h"

#include <vemo_core/notify.h>
#include <vemo_test/fixture_show.h>
#include <vemo_test/qml_engine.h>

#include <QQmlComponent>
#include <QtTest>

#include <algorithm>

namespace liststest {

namespace {

// The edit panel under a host that declares the theme, as the main window document does.
std::unique_ptr<QQuickItem> ThemedPanelHost(QQmlEngine& engine, QQuickWindow& window)
{
    QQmlComponent component(&engine);
    component.setData("import QtQuick\nimport com.quorvane.vemo_ui\nimport com.quorvane.musical_ui\n"
                      "Item { width: 1500; height: 400; property alias panel: editPanel\n"
                      "VemoTheme { id: theme }\n"
                      "EditPanel { id: editPanel; anchors.fill: parent; sfxPermissions: true } }",
                      QUrl("qrc:/lists_test/PanelHost.qml"));
    std::unique_ptr<QQuickItem> host(qobject_cast<QQuickItem*>(component.create()));
    if (!host) {
        QTest::qFail(qPrintable("The edit panel did not load: " + component.errorString()), __FILE__, __LINE__);
        return nullptr;
    }
    host->setParentItem(window.contentItem());
    return host;
}

} // namespace

std::filesystem::path ThreeSongShow()
{
    vemo::testing::FixtureShow show;
    show.songs = {{.number = "1", .bars = 4, .attacca = 0},
                  {.number = "2", .bars = 4, .attacca = 1},
                  {.number = "3", .bars = 4, .attacca = 2}};
    show.networks = {{.id = "NET1", .name = "Desk"}};
    return show.Write();
}

ListRig::ListRig(bool includeSfxEvents, const std::filesystem::path& show,
                 std::shared_ptr<vemo::AudioInterface> customEngine)
    : qml(vemo::testing::MakeQmlEngine())
    , window(std::make_unique<QQuickWindow>())
    , engine(customEngine ? std::move(customEngine) : timelinetest::MakeEngine(show))
{
    window->resize(1500, 400);
    host = ThemedPanelHost(*qml, *window);
    panel = vemo::qt::ItemProperty(host.get(), "panel");
    songView = vemo::qt::ItemProperty(panel, "songListControl");
    markerView = vemo::qt::ItemProperty(panel, "markerListControl");
    eventView = vemo::qt::ItemProperty(panel, "eventListControl");
    window->show();
    vemo::testing::Settle(window.get());

    notify::callbackDispatcher.Subscribe(notify::names::EVT_MARKER_PANEL_SELECTED, this,
                                         [this](void* row) { markerRowsPublished.push_back(*static_cast<int*>(row)); });
    notify::callbackDispatcher.Subscribe(notify::names::EVT_CHANGE_LOG_PANEL_SELECTED, this,
                                         [this](void* row) { eventRowsPublished.push_back(*static_cast<int*>(row)); });

    const std::string song = engine->GetCurrentSongNumber();
    if (!song.empty()) {
        engine->LoadSong(song);
        engine->Probe().Drain();
    }
    showManager = std::make_shared<vemo::ShowManager>(engine);
    editModel = std::make_shared<vemo::qt::EditModel>(showManager, true);
    songs = std::make_unique<vemo::qt::SongListController>(songView, engine.get());
    markers = std::make_unique<vemo::qt::MarkerListController>(markerView, editModel.get());
    events = std::make_unique<vemo::qt::EventListController>(eventView, editModel.get(), includeSfxEvents);
    if (!song.empty())
        SongChanged(song);
    ClearJournal();
}

ListRig::~ListRig()
{
    notify::callbackDispatcher.RemoveCallbacksForTarget(this);
    events.reset();
    markers.reset();
    songs.reset();
    vemo::testing::DeliverDeferredDeletes();
    host.reset();
    window.reset();
    vemo::testing::DeliverDeferredDeletes();
}

void ListRig::SongChanged(const std::string& songNumber)
{
    editModel->selectedEvent = nullptr;
    editModel->currentSong = songNumber;
    showManager->SelectSongLogForEditing(songNumber);
    editModel->ReloadBarsBeats();
    markers->Refresh();
    events->Refresh();
    songs->SelectSong(songNumber);
}

void ListRig::PassedMarker(UInt32 tick)
{
    markers->setPassedIndex(markers->IndexForPosition(tick));
}

void ListRig::AddEvents(const std::vector<std::shared_ptr<const cmn::VemoEvent>>& added)
{
    CL::Editor* editor = engine->GetChangeLogEditor();
    editor->SelectSongLogForEditing(editModel->currentSong);
    for (const auto& event : added)
        editor->AddEvent(*event);
    engine->LoadNewChangeLog();
    engine->Probe().Drain();
    markers->Refresh();
    events->Refresh();
}

std::vector<std::string> ListRig::Journal()
{
    engine->Probe().Drain();
    return engine->Probe().Journal();
}

std::vector<std::string> ListRig::Loads()
{
    std::vector<std::string> loads;
    for (const std::string& line : Journal()) {
        if (line.rfind("LoadSong(", 0) == 0)
            loads.push_back(line);
    }
    return loads;
}

void ListRig::ClearJournal()
{
    engine->Probe().Drain();
    engine->Probe().ClearJournal();
}

QQuickItem* ListRig::Row(QQuickItem* view, int row) const
{
    auto* list = view->property("listView").value<QQuickItem*>();
    QQuickItem* item = nullptr;
    if (list != nullptr)
        QMetaObject::invokeMethod(list, "itemAtIndex", Q_RETURN_ARG(QQuickItem*, item), Q_ARG(int, row));
    return item;
}

void ListRig::ClickRow(QQuickItem* view, int row)
{
    QQuickItem* item = Row(view, row);
    QVERIFY(item != nullptr);
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, item->mapToScene({20, item->height() / 2}).toPoint());
}

void ListRig::DoubleClickRow(QQuickItem* view, int row)
{
    QQuickItem* item = Row(view, row);
    QVERIFY(item != nullptr);
    QTest::mouseDClick(window.get(), Qt::LeftButton, {}, item->mapToScene({20, item->height() / 2}).toPoint());
}

void ListRig::ClickChild(QQuickItem* view, int row, const QString& objectName)
{
    QQuickItem* item = Row(view, row);
    QVERIFY(item != nullptr);
    auto* child = item->findChild<QQuickItem*>(objectName);
    QVERIFY(child != nullptr);
    QTest::mouseClick(window.get(), Qt::LeftButton, {},
                      child->mapToScene({child->width() / 2, child->height() / 2}).toPoint());
}

} // namespace liststest
