// The engine's notifications reach the main window: handed over from the engine's thread in the
// engine's order, each kind to its handler, whatever text comes with it.
#include "main_window_rig.h"

#include <vemo_core/notify.h>

#include <QSignalSpy>
#include <QtTest>

#include <string>
#include <thread>

using notify::EventKind;
using vemo::testing::MainWindowRig;

namespace {

// A property of the root, or of a descendant named before the '.'.
QVariant Read(MainWindowRig& rig, const QString& path)
{
    const QStringList parts = path.split('.');
    QObject* holder = parts.size() == 1 ? rig.Root() : rig.Child(qPrintable(parts[0]));
    return holder->property(qPrintable(parts.last()));
}

void Publish(MainWindowRig& rig, EventKind kind, int value, const std::string& text)
{
    rig.Engine().PublishFromEngineThread(kind, value, text);
}

} // namespace

class TestMusicalMainNotifications : public QObject {
    Q_OBJECT

private slots:
    void eachKindReachesItsHandler_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("expected");

        auto row = [](const char* name, EventKind kind, int value, const char* text, const char* property,
                      const QVariant& expected) {
            QTest::newRow(name) << static_cast<int>(kind) << value << QString::fromUtf8(text) << QString(property)
                                << expected;
        };
        row("flow control vamp", EventKind::StatusFlowControl, 3, "Vamp", "flowControlValue", "3");
        row("flow control colour", EventKind::StatusFlowControl, 3, "Vamp", "flowControlBackgroundColor",
            QColor("#00BFFF"));
        row("flow control without count", EventKind::StatusFlowControl, 0, "Vamp", "flowControlValue", "");
        row("pickup beat cleared", EventKind::StatusFlowControl, 2, "ClearPickupBeat", "flowControlLabel", "");
        row("pickup beat colour", EventKind::StatusFlowControl, 2, "ClearPickupBeat", "flowControlBackgroundColor",
            QColor("#333"));
        row("skip before caesura", EventKind::StatusFlowControl, 1, "Caesura Skip", "flowControlBackgroundColor",
            QColor("#6e3493"));
        row("repeat", EventKind::StatusFlowControl, 1, "Repeat", "flowControlBackgroundColor", QColor("#DAA520"));
        row("caesura", EventKind::StatusFlowControl, 1, "caesura", "flowControlBackgroundColor", QColor("#DC143C"));
        row("key, padded", EventKind::Key, 0, "  D minor \t", "key", "D minor");
        row("tempo", EventKind::Tempo, 0, "96", "tempo", "96");
        row("meter", EventKind::Meter, 0, "7/8", "meter", "7/8");
        row("transposition", EventKind::Transposition, -2, "ignored", "transpose", "-2");
        row("tempo scale", EventKind::TempoScale, 0, "110%", "tempoScale", "110%");
        row("bar and beat: measure", EventKind::BarBeat, 0, "0012|03", "measure", "0012");
        row("bar and beat: beat", EventKind::BarBeat, 0, "0012|03", "beat", "03");
        row("one character: measure", EventKind::BarBeat, 0, "7", "measure", "7");
        row("one character: beat", EventKind::BarBeat, 0, "7", "beat", "7");
        row("marker passed", EventKind::Marker, 1000000, "", "markerList.passedIndex", 0);
        row("score page", EventKind::PageNum, 3, "", "scoreView.currentIndex", 2);
        row("playhead", EventKind::Playhead, 2008, "", "timeline.playheadItem", QVariant());
        row("song title markup", EventKind::SongTitle, 0, "<b>A & B</b>", "songTitle", "<b>A & B</b>");
        row("non-UTF-8 title", EventKind::SongTitle, 0, "\xff\xfe", "songTitle", QString::fromUtf8("\xff\xfe"));
        row("vamp on", EventKind::VampOn, 0, "", "highlightContinueButton", true);
        row("volume", EventKind::StatusVolume, 500, "", "volumeLevelPercent", 0.5);
        row("volume 0 dB", EventKind::StatusVolume, 1000, "", "volumeLevelPercent", 1.0);
    }

    void eachKindReachesItsHandler()
    {
        QFETCH(int, kind);
        QFETCH(int, value);
        QFETCH(QString, text);
        QFETCH(QString, property);
        QFETCH(QVariant, expected);
        MainWindowRig rig;
        rig.Create();
        rig.Advance(0);

        Publish(rig, static_cast<EventKind>(kind), value, text.toStdString());
        rig.Advance(0);
        if (property == "timeline.playheadItem") {
            QObject* playhead = Read(rig, property).value<QObject*>();
            QCOMPARE(playhead->property("basePos").toInt(), (value - 8) / 25);
        } else {
            QCOMPARE(Read(rig, property), expected);
        }
    }

    // The transport and MIDI kinds become the controller's signals, in the engine's order; the
    // song-loaded kind rebuilds the timeline for that song; vamp off follows vamp on.
    void signalsFollowTheEngineOrder()
    {
        MainWindowRig rig;
        rig.Create();
        rig.Advance(0);
        QStringList order;
        auto* controller = rig.controller.get();
        connect(controller, &vemo::qt::MusicalMainController::PlayStarted, this, [&] { order << "started"; });
        connect(controller, &vemo::qt::MusicalMainController::Stopped, this, [&] { order << "stopped"; });
        connect(controller, &vemo::qt::MusicalMainController::Paused, this, [&] { order << "paused"; });
        connect(controller, &vemo::qt::MusicalMainController::Fading, this, [&] { order << "fading"; });
        connect(controller, &vemo::qt::MusicalMainController::MidiLearned, this, [&](int id, int status, int channel,
                                                                                       int note) {
            order << QString("learned %1 %2 %3 %4").arg(id).arg(status, 0, 16).arg(channel).arg(note);
        });
        connect(controller, &vemo::qt::MusicalMainController::MidiUnlearned, this,
                [&](int id) { order << QString("unlearned %1").arg(id); });

        Publish(rig, EventKind::PlaybackFading, 0, "");
        Publish(rig, EventKind::LearnedMIDICommand, 0x05933C, "");
        Publish(rig, EventKind::PlaybackPaused, 0, "");
        Publish(rig, EventKind::MIDICommandCanceled, 7, "");
        Publish(rig, EventKind::PlaybackStarted, 0, "");
        Publish(rig, EventKind::PlaybackStopped, 0, "");
        Publish(rig, EventKind::Key, 0, "first");
        Publish(rig, EventKind::VampOn, 0, "");
        Publish(rig, EventKind::Key, 0, "second");
        Publish(rig, EventKind::VampOff, 0, "");
        rig.Engine().ClearJournal();
        Publish(rig, EventKind::SongLoaded, 0, " 2 ");
        rig.Advance(0);

        QCOMPARE(order, (QStringList{"fading", "learned 5 90 3 60", "paused", "unlearned 7", "started", "stopped"}));
        QCOMPARE(rig.Root()->property("key").toString(), QString("second"));
        QCOMPARE(rig.Root()->property("highlightContinueButton").toBool(), false);
        QVERIFY(rig.JournalHas("GetBarsBeats(\"2\""));
    }

    void theMidiNoticeLightsTheMidiLamp()
    {
        MainWindowRig rig;
        rig.Create();
        QObject* banner = rig.Child("statusBanner");
        Publish(rig, EventKind::MidiNotification, 0, "");
        rig.Advance(0);
        QCOMPARE(rig.Child("midiLamp")->property("color"), banner->property("highlightedNotificationColor"));
        QCOMPARE(rig.Child("oscLamp")->property("color"), banner->property("defaultNotificationColor"));
    }

    // Texts the core library publishes from any thread: null, short, padded and non-UTF-8 texts
    // arrive as written (trimmed), never read after the call.
    void textsPublishedByTheCoreLibrary_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("null");
        QTest::addColumn<QString>("expected");
        QTest::newRow("null") << QByteArray() << true << QString();
        QTest::newRow("empty") << QByteArray("") << false << QString();
        QTest::newRow("padded") << QByteArray("\n 5/4 ") << false << QString("5/4");
        QTest::newRow("non-UTF-8") << QByteArray("\xc3\x28") << false << QString::fromUtf8("\xc3\x28");
    }

    void textsPublishedByTheCoreLibrary()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, null);
        QFETCH(QString, expected);
        MainWindowRig rig;
        rig.Create();
        rig.Advance(0);
        QByteArray buffer = text;
        std::thread publisher([&] {
            notify::Publish(EventKind::Meter, 0, null ? nullptr : buffer.constData());
            buffer.fill('x');
        });
        publisher.join();
        QTRY_COMPARE(rig.Root()->property("meter").toString(), expected);
    }

    void unknownIdsChangeNothing()
    {
        MainWindowRig rig;
        rig.Create();
        rig.Advance(0);
        const QString title = rig.Root()->property("songTitle").toString();
        rig.controller->postEngineEvent(22, 1, "x");
        rig.controller->postEngineEvent(-1, 1, nullptr);
        rig.controller->onEngineEvent(1000, 1, "x");
        QCoreApplication::processEvents();
        QCOMPARE(rig.Root()->property("songTitle").toString(), title);
        QCOMPARE(rig.DialogTitles(), QStringList());
    }
};

QTEST_MAIN(TestMusicalMainNotifications)
#include "test_musical_main_notifications.moc"
