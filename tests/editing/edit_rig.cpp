#include "edit_rig.h"

#include "timeline_rig.h"

#include "timeline/document_access.h"

#include <vemo_core/events.h>
#include <vemo_test/fixture_show.h>
#include <vemo_test/qml_engine.h>

#include <QQmlComponent>
#include <QtTest>

#include <stdexcept>

namespace edittest {

namespace {

// The two panels of the main window's edit page under a host that declares the theme.
std::unique_ptr<QQuickItem> ThemedHost(QQmlEngine& engine)
{
    QQmlComponent component(&engine);
    component.setData("import QtQuick\nimport com.quorvane.vemo_ui\nimport com.quorvane.musical_ui\n"
                      "Item { width: 1500; height: 700\n"
                      "property alias panel: editPanel\n"
                      "property alias timeline: timelinePanel.timelineControl\n"
                      "VemoTheme { id: theme }\n"
                      "TimeLineEditPanel { id: timelinePanel; width: parent.width }\n"
                      "EditPanel { id: editPanel; y: 280; width: parent.width; height: 400; sfxPermissions: true } }",
                      QUrl("qrc:/editing_test/EditHost.qml"));
    std::unique_ptr<QQuickItem> host(qobject_cast<QQuickItem*>(component.create()));
    if (!host)
        QTest::qFail(qPrintable("The edit host did not load: " + component.errorString()), __FILE__, __LINE__);
    return host;
}

} // namespace

UInt32 SongOneTick(int bar, int beat)
{
    // Bar 1 starts after the one-beat pickup; bar 3 is the only 3/4 bar.
    UInt32 tick = kBeat;
    for (int b = 1; b < bar; ++b)
        tick += (b == 3 ? 3 : 4) * kBeat;
    return tick + static_cast<UInt32>(beat - 1) * kBeat;
}

std::filesystem::path EditingShow()
{
    vemo::testing::FixtureShow show;
    show.songs = {{.number = "1",
                   .bars = 8,
                   .meters = {{.bar = 1, .numerator = 4}, {.bar = 3, .numerator = 3}, {.bar = 4, .numerator = 4}},
                   .pickupBeats = 1,
                   .editStartTick = kEditStartTick,
                   .events = {std::make_shared<CL::Marker>(SongOneTick(2, 1), "Verse", "MRK1"),
                              std::make_shared<CL::Cut>(SongOneTick(4, 1), SongOneTick(5, 1), "CUT1"),
                              std::make_shared<CL::Click>(SongOneTick(5, 1), SongOneTick(7, 1), "CLK1", 8)}},
                  {.number = "2", .bars = 4, .meters = {{.bar = 1, .numerator = 6, .denominator = 8}}}};
    show.networks = {{.id = "NET1", .name = "Desk"}};
    return show.Write();
}

EditRig::EditRig(bool editRight, const std::filesystem::path& show)
    : qml(vemo::testing::MakeQmlEngine())
    , host(ThemedHost(*qml))
    , engine(timelinetest::MakeEngine(show))
{
    if (!host)
        throw std::runtime_error("The edit host did not load");
    permissions.edit = editRight;
    panel = vemo::qt::ItemProperty(host.get(), "panel");
    timelineItem = vemo::qt::ItemProperty(host.get(), "timeline");
    const std::string song = engine->GetCurrentSongNumber();
    engine->LoadSong(song);
    engine->Probe().Drain();
    showManager = std::make_shared<vemo::ShowManager>(engine);
    editModel = std::make_shared<vemo::qt::EditModel>(showManager, true);
    timeline = std::make_unique<vemo::qt::TimelineController>(qml.get(), timelineItem, engine, showManager, editModel,
                                                              true, permissions, true, true);
    controller = std::make_unique<vemo::qt::EditController>(qml.get(), showManager, editModel, engine, panel,
                                                            timeline.get(), &permissions, true, true);
    QObject::connect(controller.get(), &vemo::qt::EditController::error, controller.get(),
                     [this](const std::string& message, const std::string& title) {
                         errors.push_back({message, title});
                     });
    QObject::connect(controller.get(), &vemo::qt::EditController::UpdateUndoRedoState, controller.get(),
                     [this](bool undo, bool redo, bool save, bool share) {
                         undoRedoStates.push_back({undo, redo, save, share});
                     });
    timeline->LoadSong(song);
    controller->OnSongChanged(song);
    errors.clear();
    undoRedoStates.clear();
    ClearJournal();
}

EditRig::~EditRig()
{
    controller.reset();
    timeline.reset();
    vemo::testing::DeliverDeferredDeletes();
    host.reset();
    vemo::testing::DeliverDeferredDeletes();
}

void EditRig::LoadSong(const std::string& song)
{
    engine->LoadSong(song);
    engine->Probe().Drain();
    timeline->LoadSong(song);
    controller->OnSongChanged(song);
}

vemo::testing::EngineProbe& EditRig::Probe()
{
    return engine->Probe();
}

std::vector<std::string> EditRig::Journal()
{
    engine->Probe().Drain();
    return engine->Probe().Journal();
}

std::vector<std::string> EditRig::Calls(const std::string& prefix)
{
    return Matching(Journal(), prefix);
}

std::vector<std::string> Matching(const std::vector<std::string>& lines, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    }
    return found;
}

cmn::VemoEvent* PanelEvent(EditRig& rig, const std::string& id)
{
    for (const auto& event : rig.editModel->panelEvents) {
        if (event->EventId() == id)
            return event.get();
    }
    return nullptr;
}

void EditRig::ClearJournal()
{
    engine->Probe().Drain();
    engine->Probe().ClearJournal();
}

void EditRig::FailNext(const std::string& callName, const std::string& text)
{
    engine->Probe().FailNext(callName, std::make_exception_ptr(std::runtime_error(text)));
}

} // namespace edittest
