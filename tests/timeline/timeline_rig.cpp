#include "timeline_rig.h"

#include <vemo_test/qml_engine.h>

#include <QQmlComponent>
#include <QtTest>

namespace timelinetest {

std::shared_ptr<vemo::AudioInterface> MakeEngine(const std::filesystem::path& show)
{
    vemo::AudioInterface::Options options;
    options.clock = vemo::AudioInterface::Options::Clock::Manual;
    auto engine = std::make_shared<vemo::AudioInterface>(show.string(), (show.parent_path() / "data").string(), false,
                                                         nullptr, options);
    engine->ThrowIfThreadExceptions();
    return engine;
}

std::unique_ptr<QQuickItem> MakeDocument(QQmlEngine& engine, const QString& name, double width, double height)
{
    QQmlComponent component(&engine, QUrl("qrc:/qt/qml/com/quorvane/musical_ui/qml/" + name + ".qml"));
    std::unique_ptr<QQuickItem> item(qobject_cast<QQuickItem*>(component.create()));
    if (!item) {
        QTest::qFail(qPrintable(name + " did not load: " + component.errorString()), __FILE__, __LINE__);
        return nullptr;
    }
    item->setWidth(width);
    item->setHeight(height);
    return item;
}

std::filesystem::path OneSongShow(int bars, std::vector<std::shared_ptr<const cmn::VemoEvent>> events)
{
    vemo::testing::FixtureShow show;
    show.songs = {{.number = "1", .bars = bars, .events = std::move(events)}};
    show.networks = {{.id = "NET1", .name = "Desk"}};
    return show.Write();
}

TimelineRig::TimelineRig(const std::filesystem::path& show, bool editRight,
                         std::shared_ptr<vemo::AudioInterface> customEngine)
    : qml(vemo::testing::MakeQmlEngine())
    , timeline(MakeDocument(*qml, "TimeLine", 1000, 220))
    , engine(customEngine ? std::move(customEngine) : MakeEngine(show))
{
    permissions.edit = editRight;
    const std::string song = engine->GetCurrentSongNumber();
    engine->LoadSong(song);
    engine->Probe().Drain();
    showManager = std::make_shared<vemo::ShowManager>(engine);
    editModel = std::make_shared<vemo::qt::EditModel>(showManager, true);
    controller = std::make_unique<vemo::qt::TimelineController>(qml.get(), timeline.get(), engine, showManager,
                                                                editModel, true, permissions, true, true);
    controller->LoadSong(song);
    ClearJournal();
}

TimelineRig::~TimelineRig()
{
    controller.reset();
    vemo::testing::DeliverDeferredDeletes();
    timeline.reset();
    vemo::testing::DeliverDeferredDeletes();
}

std::vector<std::string> TimelineRig::Journal()
{
    engine->Probe().Drain();
    return engine->Probe().Journal();
}

void TimelineRig::ClearJournal()
{
    engine->Probe().Drain();
    engine->Probe().ClearJournal();
}

QVariant TimelineRig::Document(const char* property) const
{
    return timeline->property(property);
}

} // namespace timelinetest
