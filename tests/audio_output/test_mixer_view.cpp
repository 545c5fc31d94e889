#include "audio_output/mixer_controller.h"
#include "audio_output/mixer_model.h"
#include "audio_output/mixer_tracks_model.h"
#include "audio_output/string_value_list_model.h"

#include <vemo_test/qml_engine.h>

#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using vemo::qt::MixerController;
using vemo::qt::MixerModel;
using vemo::qt::MixerSectionItem;
using vemo::qt::MixerTrackItem;
using vemo::qt::MixerTracksModel;

namespace {

const char* const hostDocument = R"(import QtQuick
import QtQuick.Window
import com.quorvane.vemo_ui
import com.quorvane.musical_ui
Window {
    width: 800
    height: 700
    visible: true
    VemoTheme { id: theme }
    MixerView { objectName: "mixer"; anchors.fill: parent }
}
)";

std::unique_ptr<MixerTrackItem> MakeTrack(const QString& name, int trackId)
{
    auto* instruments = new StringValueListModel;
    instruments->Append({QStringLiteral("Piano"), 0});
    instruments->Append({QStringLiteral("Organ"), 5});
    return std::make_unique<MixerTrackItem>(name, trackId, false, false, 0.5f, 0.0f, true, true, 5, instruments);
}

// The items below `root` with this object name, in the order of the visual tree. Rows made by a
// Repeater are visual children only, so a QObject search would miss them.
QList<QQuickItem*> ItemsNamed(QQuickItem* root, const QString& objectName)
{
    QList<QQuickItem*> found;
    for (QQuickItem* child : root->childItems()) {
        if (child->objectName() == objectName) {
            found << child;
        }
        found << ItemsNamed(child, objectName);
    }
    return found;
}

void Click(QQuickWindow* window, QQuickItem* item)
{
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(window, Qt::LeftButton, {}, centre.toPoint());
}

} // namespace

// The mixer view driven through the real models, the way a mixer controller hands them over.
class TestMixerView : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(".?"));
        engine = vemo::testing::MakeQmlEngine();
        QQmlComponent component(engine.get());
        component.setData(hostDocument, QUrl(QStringLiteral("qrc:/mixer_host.qml")));
        window.reset(qobject_cast<QQuickWindow*>(component.create()));
        QVERIFY2(window, qPrintable(component.errorString()));
        tracks = new MixerTracksModel;
        tracks->Append(MakeTrack(QStringLiteral("Drums"), 11));
        tracks->Append(MakeTrack(QStringLiteral("Bass"), 12));
        section = std::make_unique<MixerSectionItem>(QStringLiteral("Rhythm"), QStringLiteral("Drums, bass"), false,
                                                     false, tracks);
        model = std::make_unique<MixerModel>();
        model->Append(section.get());
        QObject* mixer = vemo::testing::Child(window.get(), QStringLiteral("mixer"));
        QVERIFY(mixer);
        controller = std::make_unique<MixerController>(mixer, engine.get());
        loadRequests = std::make_unique<QSignalSpy>(tracks, &MixerTracksModel::instrumentTrackRequested);
        controller->QmlObject()->setProperty("mixerModel", QVariant::fromValue(model.get()));
        QVERIFY(vemo::testing::Settle(window.get()));
    }

    void cleanup()
    {
        loadRequests.reset();
        controller.reset();
        window.reset();
        model.reset();
        section.reset();
        engine.reset();
    }

    void buildsOneRowPerTrack()
    {
        const QList<QQuickItem*> names = ItemsNamed(window->contentItem(), QStringLiteral("nameText"));
        QCOMPARE(names.size(), 2);
        QCOMPARE(names[0]->property("text").toString(), QStringLiteral("Drums"));
        QCOMPARE(names[1]->property("text").toString(), QStringLiteral("Bass"));
        const QList<QQuickItem*> combos = ItemsNamed(window->contentItem(), QStringLiteral("instrumentCombo"));
        QCOMPARE(combos.size(), 2);
        QCOMPARE(combos[1]->property("currentIndex").toInt(), 1);
    }

    // Each row selects its instrument while loading, which is no choice of the user's.
    void loadingRequestsNoInstrument()
    {
        QCOMPARE(loadRequests->count(), 0);
    }

    void trackMuteRequestsWithTheTrackId()
    {
        QSignalSpy requests(tracks, &MixerTracksModel::muteTrackRequested);
        QQuickItem* mute = ItemsNamed(window->contentItem(), QStringLiteral("muteButton")).value(1);
        QVERIFY(mute);
        Click(window.get(), mute);
        QCOMPARE(requests.count(), 1);
        QCOMPARE(requests.first().at(0).toInt(), 12);
        QCOMPARE(requests.first().at(1).toBool(), true);
        QVERIFY(mute->property("checked").toBool());
    }

    void groupMuteRequestsWithTheRow()
    {
        QSignalSpy requests(model.get(), &MixerModel::muteSectionRequested);
        QQuickItem* groupMute = ItemsNamed(window->contentItem(), QStringLiteral("groupMuteButton")).value(0);
        QVERIFY(groupMute);
        Click(window.get(), groupMute);
        QCOMPARE(requests.count(), 1);
        QCOMPARE(requests.first().at(0).toInt(), 0);
        QCOMPARE(requests.first().at(1).toBool(), true);
        QVERIFY(section->isMuted());
        QVERIFY(groupMute->property("checked").toBool());
    }

private:
    std::unique_ptr<QQmlEngine> engine;
    std::unique_ptr<QQuickWindow> window;
    MixerTracksModel* tracks = nullptr;
    std::unique_ptr<MixerSectionItem> section;
    std::unique_ptr<MixerModel> model;
    std::unique_ptr<MixerController> controller;
    std::unique_ptr<QSignalSpy> loadRequests;
};

QTEST_MAIN(TestMixerView)
#include "test_mixer_view.moc"
